#pragma once

#include <QChar>

#include <array>

class QFont;

namespace namenswerk {

// Pixel widths of the characters 0 to 255 in a font, measured once, for
// cheap estimates of text widths. Every other character counts as wide as
// the widest of them, so an estimate errs on the wide side.
class CharWidths {
public:
    explicit CharWidths(const QFont &font);

    int operator()(QChar c) const
    {
        return c.unicode() < widths_.size() ? widths_[c.unicode()] : widest_;
    }

private:
    std::array<int, 256> widths_{};
    int widest_ = 0;
};

} // namespace namenswerk
