#pragma once

#include <QLabel>

#include <vector>

namespace namenswerk {

// A label for the requester's plain texts. It draws them as the text fitting
// measures them (wrappedTextOption): wrapped at words, and with the texts
// after a tab lined up in one column instead of on the font's fixed tab grid.
class WrappedTextLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // Where each shown line of the text starts the text after its tab, in
    // pixels from the label's left edge; -1 for a line without a tab.
    std::vector<int> tabbedTextStarts() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace namenswerk
