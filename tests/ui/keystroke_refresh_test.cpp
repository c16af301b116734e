#include "settings/status_colors.h"
#include "tests/ui/controller_fixture.h"
#include "ui/file_list_model.h"

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QTreeView>

namespace namenswerk::test {
namespace {

using namespace Qt::StringLiterals;

class KeystrokeRefresh : public ControllerTest {
protected:
    KeystrokeRefresh()
    {
        dropFiles({u"1.txt"_s, u"2.txt"_s, u"12.txt"_s, u"ab.txt"_s});
        setFieldText(control::TemplateField, u"neu_<n>.<e>"_s);
        editor(control::NamePatternField)->setFocus();
    }

    QString summary(const QString &tail) const
    {
        return u"   4 Dateien im Verzeichnis '"_s + folder.path() + u"'"_s + tail + u"."_s;
    }
};

TEST_F(KeystrokeRefresh, EveryKeyInTheNameFieldShowsNewNamesAndSummary)
{
    ASSERT_EQ(shownNewNames(),
              QStringList({u"neu_1.txt"_s, u"neu_2.txt"_s, u"neu_12.txt"_s, u"neu_ab.txt"_s}));
    ASSERT_EQ(statusText(), summary(u", 4 Dateien sind bereit zum Umbenennen"_s));

    struct Step {
        char key;
        QStringList names;
        QString summaryTail;
    };
    // A lone backslash does not compile: every entry is a search error.
    // Entries the pattern filters out show their old names.
    const std::vector<Step> steps{
        {'\\', {u"-"_s, u"-"_s, u"-"_s, u"-"_s}, {}},
        {'d',
         {u"neu_1.txt"_s, u"neu_2.txt"_s, u"12.txt"_s, u"ab.txt"_s},
         u", 2 Dateien sind bereit zum Umbenennen"_s},
        {'+',
         {u"neu_1.txt"_s, u"neu_2.txt"_s, u"neu_12.txt"_s, u"ab.txt"_s},
         u", 3 Dateien sind bereit zum Umbenennen"_s},
    };
    executed.clear();
    for (const Step &step : steps) {
        QTest::keyClick(editor(control::NamePatternField), step.key);
        EXPECT_EQ(shownNewNames(), step.names) << "after " << step.key;
        EXPECT_EQ(statusText(), summary(step.summaryTail)) << "after " << step.key;
    }
    EXPECT_EQ(field(control::NamePatternField)->currentText(), u"\\d+"_s);
    EXPECT_EQ(executed, std::vector<Command>(3, Command::NamePatternChanged));
}

TEST_F(KeystrokeRefresh, AnUnbalancedPatternShowsTheErrorIconUntilItIsMended)
{
    QTest::keyClicks(editor(control::NamePatternField), u"<a"_s);
    EXPECT_EQ(window.indicatorState(control::NamePatternIcon), FieldIndicator::State::Error);
    EXPECT_EQ(shownNewNames(), QStringList(4, u"-"_s));

    QTest::keyClick(editor(control::NamePatternField), '>');
    EXPECT_EQ(window.indicatorState(control::NamePatternIcon), FieldIndicator::State::Ok);
}

// The error tooltips name the place of the fault and follow it as the user types.
TEST_F(KeystrokeRefresh, ErrorTooltipsSayWhereTheFaultIs)
{
    const auto tip = [this](int icon) { return window.stateIcon(icon)->toolTip(); };
    QTest::keyClicks(editor(control::NamePatternField), u"IMG_<"_s);
    EXPECT_EQ(tip(control::NamePatternIcon), u"Ungültiges Zeichen oder Token-Fehler\n"
                                             u"An Stelle 5: '<' wird nicht geschlossen."_s);
    QTest::keyClicks(editor(control::NamePatternField), u"\\d"_s);
    EXPECT_EQ(tip(control::NamePatternIcon), u"Ungültiges Zeichen oder Token-Fehler\n"
                                             u"An Stelle 5: '<\\d' wird nicht geschlossen."_s);
    QTest::keyClick(editor(control::NamePatternField), '>');
    EXPECT_EQ(tip(control::NamePatternIcon), u"Ok."_s);

    editor(control::TemplateField)->clear();
    QTest::keyClicks(editor(control::TemplateField), u"<n>-<x"_s);
    EXPECT_EQ(tip(control::TemplateIcon), u"Ungültiges Zeichen oder Token-Fehler.\n"
                                          u"An Stelle 5: '<x' wird nicht geschlossen."_s);
    QTest::keyClick(editor(control::TemplateField), '>');
    EXPECT_EQ(tip(control::TemplateIcon), u"Ungültiges Zeichen oder Token-Fehler.\n"
                                          u"An Stelle 5: unbekanntes Token '<x>'."_s);
}

TEST_F(KeystrokeRefresh, FailedRenamesColourTheStatusLine)
{
    const QColor normal = window.statusLine()->palette().color(QPalette::Window);
    list.at(1).status = EntryStatus::RenameFailed;
    list.requestRefresh(RefreshLevel::Statuses);
    controller.refresh();
    const QColor failed = tableColor(softColors()[std::size_t(EntryStatus::RenameFailed)]);
    EXPECT_EQ(window.statusLine()->palette().color(QPalette::Window), failed);
    EXPECT_TRUE(statusText().endsWith(u", 1 Datei konnte nicht umbenannt werden."_s));

    // A change of the rules computes every name again; the failure is gone.
    QTest::keyClick(editor(control::NamePatternField), '*');
    EXPECT_EQ(window.statusLine()->palette().color(QPalette::Window), normal);
}

TEST_F(KeystrokeRefresh, FilesDroppedOnTheListReplaceIt)
{
    const QString other = folder.write(u"sub/neu.jpg"_s, "x");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(other)});
    QWidget *target = window.fileListView()->viewport();
    const QPoint middle = target->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);

    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.currentFolder, folder.path() + u"sub/"_s);
    EXPECT_EQ(shownNewNames(), QStringList({u"neu_neu.jpg"_s}));
}

TEST_F(KeystrokeRefresh, DragsOfOtherDataAreRefused)
{
    QMimeData data;
    data.setText(u"kein Dateipfad"_s);
    QWidget *target = window.fileListView()->viewport();
    QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    EXPECT_FALSE(enter.isAccepted());
    EXPECT_EQ(list.count(), 4);
}

} // namespace
} // namespace namenswerk::test
