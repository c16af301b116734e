#pragma once

class QCheckBox;

namespace namenswerk {

// The width a check box needs to show as many whole words of its caption as
// fit into `room` pixels, all of them if they can; 0 when not even the first
// word fits. Measured with the box's own font and style.
int wholeWordsWidth(const QCheckBox &box, int room);

} // namespace namenswerk
