#pragma once

#include <QFont>
#include <QString>
#include <QTextOption>

class QLabel;

namespace namenswerk {

// How the requester lays out its plain texts: wrapped at words, and with one
// tab stop just past the widest text in front of a tab, so that every text
// after a tab starts in the same column whatever the font. "\n" breaks a line.
QTextOption wrappedTextOption(const QString &text, const QFont &font);

// Lines a text takes when laid out as above at the given width. At least 1.
int wrappedLineCount(const QString &text, const QFont &font, int width);

// The width the widest line of the text needs to stand unwrapped, counting
// only lines of at most `limit` pixels; 0 when none is that short.
int widestLineUpTo(const QString &text, const QFont &font, int limit);

// Shows the text in the word-wrapping label and makes the label exactly as
// high as its lines; returns that height.
int fitLabelToText(QLabel *label, const QString &text);

} // namespace namenswerk
