#pragma once

#include <QFont>
#include <QString>

#include <vector>

namespace namenswerk {

// The family of the requester's and help windows' texts: the light Segoe face
// where it is installed, else the system's sans-serif.
QString textFontFamily();

QFont headingFont(); // 16 points
QFont textFont();    // 12 points

// A text and the width it has to fit in.
struct TextBox {
    QString text;
    int width;
};

// The main window is laid out in fixed pixels; its font is the system's,
// made smaller (never larger, and not below a legible floor) until the given
// texts fit their boxes. "&" mnemonic marks take no room.
QFont fontFittingTexts(const QFont &base, const std::vector<TextBox> &boxes);

} // namespace namenswerk
