#include "ui/artwork.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

using Painting = std::function<void(QPainter &)>;

QPixmap paintPixmap(int size, const Painting &paint)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return pixmap;
}

QPen roundPen(const QColor &colour, qreal width)
{
    return {colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin};
}

void disc(QPainter &p, const QRectF &rect, const QColor &fill, const QColor &edge)
{
    p.setPen(QPen(edge, 1));
    p.setBrush(fill);
    p.drawEllipse(rect);
}

void letters(QPainter &p, const QRectF &rect, const QString &text, int pixelSize,
             const QColor &colour)
{
    QFont font = p.font();
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(rect, Qt::AlignCenter, text);
}

void drawOk(QPainter &p)
{
    disc(p, QRectF(1.5, 1.5, 13, 13), QColor(0x2e, 0x9e, 0x47), QColor(0x1f, 0x7a, 0x33));
    p.setPen(roundPen(Qt::white, 2));
    p.drawPolyline(QPolygonF({{4.6, 8.2}, {7, 10.6}, {11.4, 5.6}}));
}

void drawError(QPainter &p)
{
    disc(p, QRectF(1.5, 1.5, 13, 13), QColor(0xd9, 0x34, 0x2b), QColor(0xa8, 0x22, 0x19));
    p.setPen(roundPen(Qt::white, 2));
    p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
    p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
}

void drawWarning(QPainter &p)
{
    p.setPen(roundPen(QColor(0xb8, 0x86, 0x00), 1));
    p.setBrush(QColor(0xf5, 0xc2, 0x11));
    p.drawPolygon(QPolygonF({{8, 1.5}, {14.8, 14.3}, {1.2, 14.3}}));
    p.setPen(roundPen(QColor(0x33, 0x33, 0x33), 2));
    p.drawLine(QPointF(8, 6), QPointF(8, 9.3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x33, 0x33, 0x33));
    p.drawEllipse(QPointF(8, 12), 1.1, 1.1);
}

void drawRememberSettings(QPainter &p)
{
    p.setPen(roundPen(QColor(0x1f, 0x4e, 0x9c), 1));
    p.setBrush(QColor(0x3c, 0x78, 0xd8));
    p.drawPolygon(QPolygonF({{4.5, 1.5}, {11.5, 1.5}, {11.5, 14.5}, {8, 11}, {4.5, 14.5}}));
}

void drawSaveProfile(QPainter &p)
{
    p.setPen(roundPen(QColor(0x20, 0x4a, 0x87), 1));
    p.setBrush(QColor(0x34, 0x65, 0xa4));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 2, 8, 5));
    p.setBrush(QColor(0xd0, 0xd4, 0xda));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
}

void drawRenameProfile(QPainter &p)
{
    p.save();
    p.translate(8, 8);
    p.rotate(-45);
    p.setPen(roundPen(QColor(0x9c, 0x63, 0x00), 1));
    p.setBrush(QColor(0xf0, 0xa3, 0x0a));
    p.drawRect(QRectF(-3.5, -2, 10, 4));
    p.setBrush(QColor(0xf3, 0xd9, 0xb1));
    p.drawPolygon(QPolygonF({{-3.5, -2}, {-3.5, 2}, {-7, 0}}));
    p.restore();
    p.setPen(roundPen(QColor(0x55, 0x55, 0x55), 1));
    p.drawLine(QPointF(8.5, 14.5), QPointF(14.5, 14.5));
}

void drawDeleteProfile(QPainter &p)
{
    const QColor edge(0x5c, 0x5c, 0x5c);
    p.setPen(roundPen(edge, 1));
    p.setBrush(QColor(0xb4, 0xb8, 0xbe));
    p.drawPolygon(QPolygonF({{3.5, 4.5}, {12.5, 4.5}, {11.5, 14.5}, {4.5, 14.5}}));
    p.drawLine(QPointF(2, 3.5), QPointF(14, 3.5));
    p.drawLine(QPointF(6.5, 1.5), QPointF(9.5, 1.5));
    p.drawLine(QPointF(6.5, 7), QPointF(6.8, 12));
    p.drawLine(QPointF(9.5, 7), QPointF(9.2, 12));
}

void drawActiveProfile(QPainter &p)
{
    disc(p, QRectF(4, 4, 8, 8), QColor(0x2e, 0x9e, 0x47), QColor(0x1f, 0x7a, 0x33));
}

void drawOtherProfile(QPainter &p)
{
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(4.5, 4.5, 7, 7));
}

void drawClipboard(QPainter &p)
{
    p.setPen(roundPen(QColor(0x7a, 0x4f, 0x1d), 1));
    p.setBrush(QColor(0xb0, 0x7a, 0x3a));
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 12.5), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 4.5, 7, 9));
    p.setPen(roundPen(QColor(0x50, 0x50, 0x50), 1));
    p.setBrush(QColor(0xc8, 0xc8, 0xc8));
    p.drawRoundedRect(QRectF(5.5, 1.5, 5, 3), 1, 1);
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
    for (const qreal y : {7.5, 9.5, 11.5}) {
        p.drawLine(QPointF(6, y), QPointF(10, y));
    }
}

QPainterPath folderBack()
{
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    return back;
}

void drawFolderMarker(QPainter &p)
{
    p.setPen(roundPen(QColor(0xb8, 0x86, 0x2a), 1));
    p.setBrush(QColor(0xe8, 0xb8, 0x4a));
    p.drawPath(folderBack());
    p.drawLine(QPointF(1.5, 6.5), QPointF(14.5, 6.5));
}

void drawOpenFolder(QPainter &p)
{
    p.setPen(roundPen(QColor(0xb8, 0x86, 0x2a), 1));
    p.setBrush(QColor(0xd9, 0xa4, 0x3a));
    p.drawPath(folderBack());
    p.setBrush(QColor(0xf4, 0xcf, 0x74));
    p.drawPolygon(QPolygonF({{3.5, 7.5}, {15.5, 7.5}, {13, 13.5}, {1.5, 13.5}}));
}

void drawArrowHead(QPainter &p, const QPointF &tip, qreal dx, qreal dy)
{
    p.drawPolyline(
        QPolygonF({tip + QPointF(dx - dy, dy + dx), tip, tip + QPointF(dx + dy, dy - dx)}));
}

void drawTakeOverNames(QPainter &p)
{
    p.setPen(roundPen(QColor(0x70, 0x70, 0x70), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 9, 13));
    p.setPen(QPen(QColor(0xa0, 0xa0, 0xa0), 1));
    for (const qreal y : {4.5, 7.5, 10.5}) {
        p.drawLine(QPointF(3.5, y), QPointF(8.5, y));
    }
    p.setPen(roundPen(QColor(0x2e, 0x9e, 0x47), 2));
    p.drawLine(QPointF(15, 9), QPointF(7.5, 9));
    drawArrowHead(p, QPointF(7.5, 9), 3, 0);
}

void drawCounterStart(QPainter &p)
{
    p.setPen(roundPen(QColor(0x20, 0x4a, 0x87), 1));
    p.setBrush(QColor(0x34, 0x65, 0xa4));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2.5, 2.5);
    letters(p, QRectF(0, 0, 16, 16), u"1"_s, 11, Qt::white);
}

void drawResort(QPainter &p)
{
    p.setPen(roundPen(QColor(0x34, 0x65, 0xa4), 1.6));
    p.drawLine(QPointF(5, 14), QPointF(5, 2.5));
    drawArrowHead(p, QPointF(5, 2.5), 0, 3);
    p.drawLine(QPointF(11, 2), QPointF(11, 13.5));
    drawArrowHead(p, QPointF(11, 13.5), 0, -3);
}

void drawKeepUpperCase(QPainter &p)
{
    letters(p, QRectF(0, 0, 16, 16), u"A"_s, 14, QColor(0x20, 0x4a, 0x87));
}

void drawConvertUpperCase(QPainter &p)
{
    letters(p, QRectF(0, 0, 16, 16), u"Aa"_s, 10, QColor(0x20, 0x4a, 0x87));
}

// The green plus of the items that add to the list, in the lower right corner.
void addMark(QPainter &p)
{
    p.setPen(roundPen(Qt::white, 4.5));
    p.drawLine(QPointF(12, 8.5), QPointF(12, 14.5));
    p.drawLine(QPointF(9, 11.5), QPointF(15, 11.5));
    p.setPen(roundPen(QColor(0x2e, 0x9e, 0x47), 2));
    p.drawLine(QPointF(12, 8.5), QPointF(12, 14.5));
    p.drawLine(QPointF(9, 11.5), QPointF(15, 11.5));
}

void drawAddFiles(QPainter &p)
{
    p.setPen(roundPen(QColor(0x70, 0x70, 0x70), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 0.5, 8, 11));
    p.drawRect(QRectF(1.5, 2.5, 8, 11));
    addMark(p);
}

void drawAddFolder(QPainter &p)
{
    p.setPen(roundPen(QColor(0xb8, 0x86, 0x2a), 1));
    p.setBrush(QColor(0xe8, 0xb8, 0x4a));
    p.drawPath(folderBack());
    addMark(p);
}

Painting smallPainting(SmallImage image)
{
    switch (image) {
    case SmallImage::Ok:
        return drawOk;
    case SmallImage::Error:
        return drawError;
    case SmallImage::Warning:
        return drawWarning;
    case SmallImage::RememberSettings:
        return drawRememberSettings;
    case SmallImage::SaveProfile:
        return drawSaveProfile;
    case SmallImage::RenameProfile:
        return drawRenameProfile;
    case SmallImage::DeleteProfile:
        return drawDeleteProfile;
    case SmallImage::ActiveProfile:
        return drawActiveProfile;
    case SmallImage::OtherProfile:
        return drawOtherProfile;
    case SmallImage::Clipboard:
        return drawClipboard;
    case SmallImage::FolderMarker:
        return drawFolderMarker;
    case SmallImage::TakeOverNames:
        return drawTakeOverNames;
    case SmallImage::CounterStart:
        return drawCounterStart;
    case SmallImage::Resort:
        return drawResort;
    case SmallImage::OpenFolder:
        return drawOpenFolder;
    case SmallImage::KeepUpperCase:
        return drawKeepUpperCase;
    case SmallImage::ConvertUpperCase:
        return drawConvertUpperCase;
    case SmallImage::AddFiles:
        return drawAddFiles;
    case SmallImage::AddFolder:
        return drawAddFolder;
    }
    return {};
}

// The requester's pictures share one shape each: a disc or a triangle with a
// sign on it.
void bigDisc(QPainter &p, const QColor &light, const QColor &dark)
{
    QLinearGradient fill(0, 4, 0, 60);
    fill.setColorAt(0, light);
    fill.setColorAt(1, dark);
    p.setPen(QPen(dark.darker(120), 2));
    p.setBrush(fill);
    p.drawEllipse(QRectF(5, 5, 54, 54));
}

const QColor blueLight(0x4a, 0x8c, 0xe6);
const QColor blueDark(0x1d, 0x4f, 0xa0);

void drawInformation(QPainter &p)
{
    bigDisc(p, blueLight, blueDark);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(32, 18.5), 4.5, 4.5);
    p.drawRoundedRect(QRectF(28, 27, 8, 23), 2, 2);
}

void drawBigWarning(QPainter &p)
{
    QLinearGradient fill(0, 4, 0, 58);
    fill.setColorAt(0, QColor(0xfb, 0xd8, 0x4c));
    fill.setColorAt(1, QColor(0xf0, 0xb0, 0x0c));
    p.setPen(roundPen(QColor(0xb8, 0x86, 0x00), 3));
    p.setBrush(fill);
    p.drawPolygon(QPolygonF({{32, 5}, {60, 57}, {4, 57}}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x33, 0x33, 0x33));
    p.drawRoundedRect(QRectF(29, 21, 6, 22), 2.5, 2.5);
    p.drawEllipse(QPointF(32, 49.5), 3.5, 3.5);
}

void drawBigError(QPainter &p)
{
    bigDisc(p, QColor(0xf0, 0x5a, 0x4c), QColor(0xb8, 0x22, 0x18));
    p.setPen(roundPen(Qt::white, 7));
    p.drawLine(QPointF(22, 22), QPointF(42, 42));
    p.drawLine(QPointF(42, 22), QPointF(22, 42));
}

void drawQuestion(QPainter &p)
{
    bigDisc(p, blueLight, blueDark);
    letters(p, QRectF(0, 0, 64, 64), u"?"_s, 40, Qt::white);
}

Painting requesterPainting(RequestIcon icon)
{
    switch (icon) {
    case RequestIcon::Information:
        return drawInformation;
    case RequestIcon::Warning:
        return drawBigWarning;
    case RequestIcon::Error:
        return drawBigError;
    case RequestIcon::Question:
        return drawQuestion;
    case RequestIcon::None:
        break;
    }
    return {};
}

} // namespace

QPixmap smallImage(SmallImage image)
{
    const Painting paint = smallPainting(image);
    return paint ? paintPixmap(16, paint) : QPixmap();
}

QPixmap colourSwatch(const QColor &upper, const QColor &lower)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(upper);
    QPainter painter(&pixmap);
    if (lower.isValid()) {
        painter.fillRect(0, 8, 16, 8, lower);
    }
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(0, 0, 15, 15);
    return pixmap;
}

QPixmap requesterIcon(RequestIcon icon)
{
    const Painting paint = requesterPainting(icon);
    return paint ? paintPixmap(64, paint) : QPixmap();
}

} // namespace namenswerk
