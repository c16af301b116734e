#pragma once

#include <QString>

#include <vector>

namespace namenswerk {

struct RequesterButton {
    QString caption;
    int code = 0; // the answer this button gives
};

// The buttons of one question, left to right, and which one Enter chooses.
struct RequesterButtonRow {
    std::vector<RequesterButton> buttons;
    int defaultIndex = 0;
};

// Builds the row for a button set (flags are ignored) and applies the
// replaced captions. An unknown set gives one button without caption whose
// answer is 0.
RequesterButtonRow requesterButtons(int buttonSet, const QString &firstCaption,
                                    const QString &secondCaption);

// The answer of a caption: the upper-cased letter after its first "&", else
// the code of the button it stands on.
int captionCode(const QString &caption, int code);

} // namespace namenswerk
