#include "ui/group_frame.h"

#include <QPainter>
#include <QStyle>

namespace namenswerk {

namespace {

constexpr int CaptionIndent = 8;
constexpr int CaptionPadding = 3;

} // namespace

GroupFrame::GroupFrame(const QString &title, QWidget *parent) : QGroupBox(title, parent) {}

void GroupFrame::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int lineY = metrics.height() / 2;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, lineY + 0.5, -0.5, -0.5), 3, 3);

    const QString caption = title();
    if (caption.isEmpty()) {
        return;
    }
    const QRect captionRect(CaptionIndent, 0,
                            metrics.horizontalAdvance(caption) + 2 * CaptionPadding,
                            metrics.height());
    painter.fillRect(captionRect, palette().color(QPalette::Window));
    style()->drawItemText(&painter, captionRect, Qt::AlignCenter, palette(), isEnabled(), caption,
                          QPalette::WindowText);
}

} // namespace namenswerk
