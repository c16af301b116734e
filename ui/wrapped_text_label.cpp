#include "ui/wrapped_text_label.h"

#include "ui/text_fit.h"

#include <QPainter>
#include <QTextLayout>

#include <cmath>
#include <memory>

namespace namenswerk {

namespace {

std::unique_ptr<QTextLayout> laidOut(const QString &text, const QFont &font, int width)
{
    QString shown = text;
    shown.replace(u'\n', QChar::LineSeparator);
    auto layout = std::make_unique<QTextLayout>(shown, font);
    layout->setTextOption(wrappedTextOption(text, font));
    layout->setCacheEnabled(true);
    layout->beginLayout();
    qreal y = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition({0, y});
        y += QFontMetricsF(font).lineSpacing();
    }
    layout->endLayout();
    return layout;
}

} // namespace

std::vector<int> WrappedTextLabel::tabbedTextStarts() const
{
    const QString shown = text();
    const auto layout = laidOut(shown, font(), contentsRect().width());
    std::vector<int> starts;
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        const qsizetype tab = shown.mid(line.textStart(), line.textLength()).indexOf(u'\t');
        starts.push_back(tab < 0 ? -1
                                 : contentsRect().left() +
                                       static_cast<int>(std::lround(line.cursorToX(
                                           static_cast<int>(line.textStart() + tab + 1)))));
    }
    return starts;
}

void WrappedTextLabel::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const QRect room = contentsRect();
    laidOut(text(), font(), room.width())->draw(&painter, room.topLeft());
}

} // namespace namenswerk
