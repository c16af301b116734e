#include "ui/text_fit.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace namenswerk {

namespace {

// QTextLayout takes a line separator where the texts have "\n".
QString forLayout(QString text)
{
    text.replace(u'\n', QChar::LineSeparator);
    return text;
}

template <typename EachLine>
void layOut(const QString &text, const QFont &font, const QTextOption &option, int width,
            EachLine each)
{
    QTextLayout layout(forLayout(text), font);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        each(line);
    }
    layout.endLayout();
}

} // namespace

QTextOption wrappedTextOption(const QString &text, const QFont &font)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    const QFontMetrics metrics(font);
    int widestKey = -1;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab >= 0) {
            widestKey = std::max(widestKey, metrics.horizontalAdvance(line.first(tab).toString()));
        }
    }
    if (widestKey >= 0) {
        // Two blanks keep the widest key off the text after it.
        const int gap = 2 * metrics.horizontalAdvance(u' ');
        option.setTabs({QTextOption::Tab(widestKey + gap, QTextOption::LeftTab)});
    }
    return option;
}

int wrappedLineCount(const QString &text, const QFont &font, int width)
{
    int lines = 0;
    layOut(text, font, wrappedTextOption(text, font), width, [&lines](QTextLine &) { ++lines; });
    return std::max(lines, 1);
}

int widestLineUpTo(const QString &text, const QFont &font, int limit)
{
    QTextOption option = wrappedTextOption(text, font);
    option.setWrapMode(QTextOption::NoWrap);
    int widest = 0;
    layOut(text, font, option, std::numeric_limits<int>::max() / 2, [&](QTextLine &line) {
        // Blanks at a line's end take no room on screen.
        const int width = static_cast<int>(std::ceil(line.naturalTextWidth()));
        if (width <= limit) {
            widest = std::max(widest, width);
        }
    });
    return widest;
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
