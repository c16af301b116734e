#pragma once

class QCheckBox;
class QComboBox;

namespace namenswerk {

// The width a check box needs to show as many whole words of its caption as
// fit into `room` pixels, all of them if they can; 0 when not even the first
// word fits. Measured with the box's own font and style.
int wholeWordsWidth(const QCheckBox &box, int room);

// The width a drop-down list needs to show each of its entries whole.
int widthShowingEntries(const QComboBox &list);

// Where the style starts a check box's caption, from the box's left edge.
int captionIndent(const QCheckBox &box);

} // namespace namenswerk
