#pragma once

#include "settings/requester.h"

#include <QString>

#include <optional>

namespace namenswerk {

struct PatternRecord;

// The paging buttons "<" and ">" replace "Ja" and "Nein" and answer like them.
inline constexpr int PreviousPageAnswer = AnswerYes;
inline constexpr int NextPageAnswer = AnswerNo;

inline constexpr int ShortcutPageCount = 2;
inline constexpr int PatternReferencePageCount = 3;

// One page of the paged help windows, with the paging buttons; page numbers
// start at 0.
Request shortcutOverviewPage(int page);
Request patternReferencePage(int page);

// The help of a main-window control (control::Id) that explains itself with a
// fixed text or with the groups of its expression; none for other controls.
std::optional<Request> controlHelp(int controlId, const PatternRecord &namePattern,
                                   const PatternRecord &extensionPattern);

// The definition overview's text in its window.
Request definitionOverviewRequest(const QString &overview);

Request aboutBox();

} // namespace namenswerk
