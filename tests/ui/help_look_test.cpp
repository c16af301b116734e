// How the help texts look in the requester window in the font in use: every
// page's columns line up, authored lines stay whole and nothing trails.
#include "engine/definition_overview.h"
#include "engine/name_engine.h"
#include "ui/char_widths.h"
#include "ui/control_ids.h"
#include "ui/fonts.h"
#include "ui/help_texts.h"
#include "ui/requester_dialog.h"
#include "ui/wrapped_text_label.h"

#include <QFontMetrics>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

WrappedTextLabel *body(RequesterDialog &dialog)
{
    return qobject_cast<WrappedTextLabel *>(dialog.body());
}

QString overview(const QString &templateText)
{
    OverviewInputs inputs;
    inputs.templateText = templateText;
    inputs.namePattern = u"IMG_<\\d+>"_s;
    inputs.nameGroups = u"n1 = \\d+"_s;
    inputs.extensionPattern = u"*"_s;
    return definitionOverview(inputs, CharWidths(textFont()));
}

struct Page {
    std::string name;
    Request request;
};

std::vector<Page> pagesWithColumns()
{
    std::vector<Page> pages{
        {"Shortcuts0", shortcutOverviewPage(0)},
        {"Shortcuts1", shortcutOverviewPage(1)},
        {"Patterns0", patternReferencePage(0)},
        {"Patterns1", patternReferencePage(1)},
        {"Patterns2", patternReferencePage(2)},
        {"Overview", definitionOverviewRequest(overview(u"Urlaub_<n1>_<c3>.<e><n1=a:b>"_s))},
    };
    NameEngine engine;
    pages.push_back(
        {"ReplaceLists", *controlHelp(control::FirstReplaceField, engine.patternRecord(0),
                                      engine.patternRecord(1))});
    return pages;
}

// The key of a line is what stands before its tab, as the window shows it.
int widestKey(const QString &text, const QFont &font)
{
    int widest = 0;
    for (const QString &line : QString(text).replace(u"\r\n"_s, u"\r"_s).split(u'\r')) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab >= 0) {
            widest = std::max(widest, QFontMetrics(font).horizontalAdvance(line.left(tab)));
        }
    }
    return widest;
}

TEST(HelpLook, EveryTextAfterATabStartsInOneColumnPastTheWidestKey)
{
    RequesterDialog dialog;
    for (const Page &page : pagesWithColumns()) {
        SCOPED_TRACE(page.name);
        dialog.prepare(page.request, nullptr);
        WrappedTextLabel *label = body(dialog);
        ASSERT_NE(label, nullptr);
        std::vector<int> starts = label->tabbedTextStarts();
        std::erase(starts, -1);
        ASSERT_GE(starts.size(), 2U);
        EXPECT_TRUE(std::all_of(starts.begin(), starts.end(),
                                [&starts](int x) { return x == starts.front(); }));
        EXPECT_GT(starts.front(), widestKey(page.request.text, label->font()));
        // The column is no wider than it needs to be.
        EXPECT_LT(starts.front(), widestKey(page.request.text, label->font()) +
                                      4 * QFontMetrics(label->font()).horizontalAdvance(u' '));
    }
}

// Before, "w,m,n,g..." and "<n1=a:b>" were wider than the font's fixed tab
// grid and pushed their description one tab further, onto a line of its own.
TEST(HelpLook, LongKeysKeepTheirDescriptionOnTheirLine)
{
    RequesterDialog dialog;
    for (const Request &page : {shortcutOverviewPage(1), patternReferencePage(0)}) {
        dialog.prepare(page, nullptr);
        const qsizetype lines = page.text.count(u'\r') + 1;
        EXPECT_EQ(body(dialog)->height(), lines * body(dialog)->fontMetrics().lineSpacing())
            << page.heading.toStdString();
    }
}

TEST(HelpLook, TheOverviewShowsItsElementsWithoutATrailingEmptyLine)
{
    RequesterDialog dialog;
    const QString text = overview(u"Foto_<c4>"_s);
    ASSERT_TRUE(text.endsWith(u"\r\n"_s));
    dialog.prepare(definitionOverviewRequest(text), nullptr);
    EXPECT_EQ(body(dialog)->text(), u"'Foto_'\t= 'Foto_'\n<c4>\t= <Zähler> ('0001',...)"_s);
    EXPECT_EQ(body(dialog)->height(), 2 * body(dialog)->fontMetrics().lineSpacing());
}

struct AuthoredText {
    std::string name;
    Request request;
    int lines; // as the author broke them
};

// A line that fits a somewhat wider window is not wrapped, so no word ends
// up alone on a line of its own; a long paragraph still wraps at words.
TEST(HelpLook, AuthoredLinesStayWholeAndLongParagraphsWrap)
{
    Request welcome;
    welcome.heading = u"Namenswerk"_s;
    welcome.text = u"Diese Software dient zum schnellen Umbenennen \rmehrerer Dateien.\r\r"
                   u"Nicht vergessen, die F1-Taste bietet einige Hilfe..."_s;
    welcome.icon = RequestIcon::Information;
    NameEngine engine;
    const std::vector<AuthoredText> texts{
        {"Welcome", welcome, 4},
        {"About", aboutBox(), 1},
        {"Shortcuts", shortcutOverviewPage(0), 5},
    };
    RequesterDialog dialog;
    for (const AuthoredText &text : texts) {
        SCOPED_TRACE(text.name);
        dialog.prepare(text.request, nullptr);
        EXPECT_EQ(body(dialog)->height(), text.lines * body(dialog)->fontMetrics().lineSpacing());
        EXPECT_GE(dialog.width(), RequesterDialog::DialogWidth);
        EXPECT_EQ(dialog.width(), dialog.panel()->width());
        EXPECT_EQ(dialog.button(dialog.buttonCount() - 1)->geometry().right() + 1,
                  dialog.width() - 15);
    }
    const Request caseHelp =
        *controlHelp(control::NameCaseList, engine.patternRecord(0), engine.patternRecord(1));
    dialog.prepare(caseHelp, nullptr);
    EXPECT_LT(dialog.width(), 700);
    EXPECT_GT(body(dialog)->height(), 4 * body(dialog)->fontMetrics().lineSpacing())
        << "three paragraphs, the long ones wrapped";
}

} // namespace
} // namespace namenswerk
