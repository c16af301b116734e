#pragma once

#include "settings/requester.h"

#include <QColor>
#include <QPixmap>

namespace namenswerk {

// The program's 16 x 16 images, numbered by their roles.
enum class SmallImage : int {
    Ok = 68,
    Error = 69,
    Warning = 70,
    RememberSettings = 71,
    SaveProfile = 72,
    RenameProfile = 73,
    DeleteProfile = 74,
    ActiveProfile = 75,
    OtherProfile = 76,
    Clipboard = 77,
    FolderMarker = 78,
    TakeOverNames = 85,
    CounterStart = 86,
    Resort = 87,
    OpenFolder = 88,
    KeepUpperCase = 90,
    ConvertUpperCase = 91,
    AddFiles = 93,
    AddFolder = 94,
};

// Drawn on each call (they are tiny); a null pixmap for a number without artwork.
QPixmap smallImage(SmallImage image);

// A 16 x 16 colour sample for the menus: the upper colour, the lower half in
// the second colour when it is valid, and a grey outline.
QPixmap colourSwatch(const QColor &upper, const QColor &lower = QColor());

// The requester's 64 x 64 picture for an icon code; null for none or an
// unknown code.
QPixmap requesterIcon(RequestIcon icon);

} // namespace namenswerk
