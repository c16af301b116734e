#include "ui/char_widths.h"

#include <QFontMetrics>

#include <algorithm>

namespace namenswerk {

CharWidths::CharWidths(const QFont &font)
{
    const QFontMetrics metrics(font);
    for (std::size_t c = 0; c < widths_.size(); ++c) {
        widths_[c] = metrics.horizontalAdvance(QChar(static_cast<char16_t>(c)));
    }
    widest_ = *std::max_element(widths_.begin(), widths_.end());
}

} // namespace namenswerk
