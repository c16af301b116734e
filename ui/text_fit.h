#pragma once

#include <QFont>
#include <QString>

class QLabel;

namespace namenswerk {

// Lines a text takes when wrapped at words to the given width, as a label
// shows it; "\n" breaks a line. At least 1.
int wrappedLineCount(const QString &text, const QFont &font, int width);

// Shows the text in the word-wrapping label and makes the label exactly as
// high as its lines; returns that height.
int fitLabelToText(QLabel *label, const QString &text);

} // namespace namenswerk
