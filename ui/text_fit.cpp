#include "ui/text_fit.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTextLayout>

#include <algorithm>

namespace namenswerk {

int wrappedLineCount(const QString &text, const QFont &font, int width)
{
    QString laidOut = text;
    laidOut.replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(laidOut, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    int lines = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return std::max(lines, 1);
}

int fitLabelToText(QLabel *label, const QString &text)
{
    label->setWordWrap(true);
    label->setText(text);
    const int lines = wrappedLineCount(text, label->font(), label->contentsRect().width());
    const int height = lines * QFontMetrics(label->font()).lineSpacing();
    label->resize(label->width(), height);
    return height;
}

} // namespace namenswerk
