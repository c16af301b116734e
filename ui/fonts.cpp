#include "ui/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace namenswerk {

QString textFontFamily()
{
    static const QString family = [] {
        QString preferred = u"Segoe UI Semilight"_s;
        if (QFontDatabase::hasFamily(preferred)) {
            return preferred;
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

QFont headingFont()
{
    return {textFontFamily(), 16};
}

QFont textFont()
{
    return {textFontFamily(), 12};
}

namespace {

constexpr int SmallestPixelSize = 10;

bool textsFit(const QFont &font, const std::vector<TextBox> &boxes)
{
    const QFontMetrics metrics(font);
    return std::all_of(boxes.begin(), boxes.end(), [&metrics](const TextBox &box) {
        QString shown = box.text;
        shown.remove(u'&');
        return metrics.horizontalAdvance(shown) <= box.width;
    });
}

} // namespace

QFont fontFittingTexts(const QFont &base, const std::vector<TextBox> &boxes)
{
    QFont font = base;
    int pixels = QFontInfo(base).pixelSize();
    font.setPixelSize(pixels);
    while (pixels > SmallestPixelSize && !textsFit(font, boxes)) {
        font.setPixelSize(--pixels);
    }
    return font;
}

} // namespace namenswerk
