#include "ui/help_windows.h"

#include "engine/definition_overview.h"
#include "engine/name_engine.h"
#include "platform/file_facts.h"
#include "settings/requester.h"
#include "ui/char_widths.h"
#include "ui/control_ids.h"
#include "ui/fonts.h"
#include "ui/help_texts.h"

#include <QDateTime>

namespace namenswerk {

void HelpWindows::showShortcutOverview()
{
    showPages(ShortcutPageCount, shortcutOverviewPage);
}

void HelpWindows::showPatternReference()
{
    showPages(PatternReferencePageCount, patternReferencePage);
}

void HelpWindows::showPages(int pageCount, Request (*page)(int))
{
    // The pattern reference may have left a page the shortcut overview lacks.
    if (helpPage_ >= pageCount) {
        helpPage_ = 0;
    }
    for (;;) {
        const int answer = requester_.ask(page(helpPage_)).code;
        if (answer == PreviousPageAnswer) {
            helpPage_ = (helpPage_ + pageCount - 1) % pageCount;
        } else if (answer == NextPageAnswer) {
            helpPage_ = (helpPage_ + 1) % pageCount;
        } else {
            return;
        }
    }
}

void HelpWindows::showContextHelp(int controlId, const NameEngine &engine,
                                  const RenameSettings &inputs)
{
    if (controlId == control::TemplateField) {
        showDefinitionOverview(engine, inputs);
    } else if (controlId == control::FileListView) {
        showAbout();
    } else if (const auto help =
                   controlHelp(controlId, engine.patternRecord(0), engine.patternRecord(1))) {
        requester_.ask(*help);
    }
}

void HelpWindows::showDefinitionOverview(const NameEngine &engine, const RenameSettings &inputs)
{
    OverviewInputs overview;
    overview.templateText = inputs.regReplace;
    overview.namePattern = inputs.regFindname;
    overview.extensionPattern = inputs.regFindext;
    overview.nameGroups = engine.patternRecord(0).groupList;
    overview.extensionGroups = engine.patternRecord(1).groupList;
    overview.counterStart = engine.counterStart;
    overview.now = platform::toLocalSeconds(QDateTime::currentSecsSinceEpoch());
    requester_.ask(definitionOverviewRequest(definitionOverview(overview, CharWidths(textFont()))));
}

void HelpWindows::showAbout()
{
    requester_.ask(aboutBox());
}

} // namespace namenswerk
