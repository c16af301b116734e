#include "tests/ui/controller_fixture.h"
#include "ui/folder_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace namenswerk::test {
namespace {

using namespace Qt::StringLiterals;

constexpr auto CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

class AddFiles : public ControllerTest {
protected:
    AddFiles() { dropFiles({u"a.txt"_s, u"b.txt"_s}); }

    QStringList oldNames() const
    {
        QStringList names;
        for (int index = 0; index < list.count(); ++index) {
            names.append(list.fullPath(index).mid(folder.path().size()));
        }
        return names;
    }
};

TEST_F(AddFiles, ChosenFilesAreAddedOnceAndTheStatusLineSaysSo)
{
    list.at(0).ignored = true;
    const QString c = folder.write(u"c.txt"_s, "x");
    const QString d = folder.write(u"Urlaub/d.txt"_s, "x");
    chooser.files.push_back({c, folder.file(u"a.txt"_s), d, c});
    press(Qt::Key_D, CtrlShift);

    EXPECT_EQ(oldNames(), QStringList({u"a.txt"_s, u"b.txt"_s, u"c.txt"_s, u"Urlaub/d.txt"_s}));
    EXPECT_TRUE(list.at(0).ignored) << "the list is added to, not replaced";
    EXPECT_EQ(window.fileListModel()->rowCount(), 4);
    EXPECT_TRUE(statusText().startsWith(u"   2 Dateien hinzugefügt, 2 schon in der Liste. 4 "_s))
        << statusText().toStdString();
    ASSERT_EQ(chooser.startFolders.size(), 1u);
    EXPECT_EQ(QDir(chooser.startFolders[0]), QDir(folder.path())) << "opens in the list's folder";

    // The note lasts until the next command; the summary stays.
    setFieldText(control::TemplateField, u"<n>.neu"_s);
    EXPECT_TRUE(statusText().startsWith(u"   4 Dateien"_s)) << statusText().toStdString();
}

TEST_F(AddFiles, ACancelledDialogChangesNothing)
{
    const QString before = statusText();
    press(Qt::Key_D, CtrlShift);
    press(Qt::Key_A, CtrlShift);
    EXPECT_EQ(chooser.startFolders.size(), 2u);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(statusText(), before);
}

TEST_F(AddFiles, AFolderAddsItsFilesAndOnRequestThoseOfItsSubfolders)
{
    folder.write(u"Fotos/2.jpg"_s, "x");
    folder.write(u"Fotos/1.jpg"_s, "x");
    folder.write(u"Fotos/Urlaub/3.jpg"_s, "x");
    const QString fotos = folder.file(u"Fotos"_s);

    chooser.folders.push_back({fotos, false});
    press(Qt::Key_A, CtrlShift);
    EXPECT_EQ(oldNames(),
              QStringList({u"a.txt"_s, u"b.txt"_s, u"Fotos/1.jpg"_s, u"Fotos/2.jpg"_s}));
    EXPECT_TRUE(statusText().startsWith(u"   2 Dateien hinzugefügt. "_s))
        << statusText().toStdString();

    chooser.folders.push_back({fotos, true});
    press(Qt::Key_A, CtrlShift);
    EXPECT_EQ(oldNames().mid(4), QStringList({u"Fotos/Urlaub/3.jpg"_s}));
    EXPECT_TRUE(statusText().startsWith(u"   1 Datei hinzugefügt, 2 schon in der Liste. "_s))
        << statusText().toStdString();

    // The dialog opens where the last one found its files, with the box as left.
    chooser.folders.push_back({fotos, true});
    press(Qt::Key_A, CtrlShift);
    EXPECT_EQ(chooser.startFolders.back(), fotos);
    EXPECT_EQ(chooser.offeredSubfolders, (std::vector<bool>{false, false, true}));
    EXPECT_TRUE(statusText().startsWith(u"   Keine Dateien hinzugefügt, 3 schon in der Liste. "_s))
        << statusText().toStdString();
}

TEST_F(AddFiles, AFolderThatCannotBeReadIsNamed)
{
    const QString gone = folder.file(u"weg"_s);
    chooser.folders.push_back({gone, false});
    press(Qt::Key_A, CtrlShift);
    EXPECT_EQ(list.count(), 2);
    EXPECT_TRUE(
        statusText().startsWith(u"   Der Ordner '"_s + gone + u"' kann nicht gelesen werden."_s))
        << statusText().toStdString();
}

// Many paths at once: the progress window offers to stop, and a later start
// that hands over its paths meanwhile gets its drop once the add is done.
class LongAdd : public AddFiles {
protected:
    LongAdd()
    {
        for (int number = 0; number < 1200; ++number) {
            paths.append(folder.file(u"viele/%1.jpg"_s.arg(number)));
        }
        chooser.files.push_back(paths);
    }

    // Runs once, when the add has read the facts of so many files.
    void whenAdded(int files, std::function<void()> action)
    {
        list.setFactsReader([files, action, calls = 0](const QString &path) mutable {
            if (++calls == files) {
                action();
            }
            return readEntryFacts(path);
        });
    }

    QStringList paths;
};

TEST_F(LongAdd, AbbrechenInTheProgressWindowStopsTheAdd)
{
    whenAdded(300, [] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *progress = qobject_cast<QProgressDialog *>(widget)) {
                EXPECT_EQ(progress->labelText(), u"Dateien werden hinzugefügt…"_s);
                progress->cancel();
            }
        }
    });
    press(Qt::Key_D, CtrlShift);
    const int added = list.count() - 2;
    EXPECT_GE(added, 300);
    EXPECT_LT(added, 1200);
    EXPECT_TRUE(statusText().startsWith(
        u"   %1 Dateien hinzugefügt, %2 wegen Abbruchs nicht. "_s.arg(added).arg(1200 - added)))
        << statusText().toStdString();
}

TEST_F(LongAdd, ADropDuringTheAddWaitsForItsEnd)
{
    const QString handedOver = folder.write(u"neu.txt"_s, "x");
    whenAdded(300, [this, handedOver] { controller.dropFiles({handedOver}); });
    press(Qt::Key_D, CtrlShift);
    ASSERT_EQ(list.count(), 1) << "the drop replaced the list after the add";
    EXPECT_EQ(list.fullPath(0), handedOver);
    EXPECT_EQ(window.fileListModel()->rowCount(), 1);
    EXPECT_TRUE(statusText().startsWith(u"   1 Datei im Verzeichnis"_s))
        << "no word of files that are no longer listed: " << statusText().toStdString();
}

// Chosen in the real "Sonderfunktionen" menu by its letter.
TEST_F(AddFiles, TheMenuItemAddsFilesToo)
{
    const QString c = folder.write(u"c.txt"_s, "x");
    chooser.files.push_back({c});
    controller.setPopupPresenter([](QMenu &menu, const QPoint &at) { menu.exec(at); });
    QTimer::singleShot(0, [] {
        if (QWidget *menu = QApplication::activePopupWidget()) {
            QTest::keyClick(menu, Qt::Key_D);
        }
    });
    press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(list.count(), 3);
}

// The folder dialog with real keys: a folder typed, the box ticked by its
// letter, Enter adds; a text that names no folder cannot be added.
class FolderDialogKeys : public ::testing::Test {
protected:
    FolderDialogKeys()
    {
        folder.write(u"Fotos/1.jpg"_s, "x");
        dialog.prepare(folder.path(), false);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    // Runs the dialog modally while the keys are typed into it.
    int typeAndRun(const std::function<void()> &keys)
    {
        QTimer::singleShot(0, keys);
        return dialog.exec();
    }

    TempFolder folder;
    FolderDialog dialog;
};

TEST_F(FolderDialogKeys, EnterAddsTheTypedFolderWithItsSubfolders)
{
    const QString fotos = folder.file(u"Fotos"_s);
    const int result = typeAndRun([&] {
        QLineEdit *field = dialog.folderField();
        EXPECT_TRUE(field->hasFocus());
        QTest::keyClicks(field, u"Fotos"_s);
        EXPECT_EQ(field->text(), u"Fotos"_s) << "the selected start folder is replaced";
        field->selectAll();
        QTest::keyClicks(field, fotos);
        QTest::keyClick(field, Qt::Key_U, Qt::AltModifier);
        // A button's letter clicks it the way a mouse would, a moment later.
        EXPECT_TRUE(QTest::qWaitFor([this] { return dialog.subfolderBox()->isChecked(); }));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(dialog.choice().folder, fotos);
    EXPECT_TRUE(dialog.choice().withSubfolders);
}

TEST_F(FolderDialogKeys, ANameThatIsNoFolderCannotBeAddedAndEscapeCancels)
{
    const int result = typeAndRun([&] {
        QLineEdit *field = dialog.folderField();
        field->selectAll();
        QTest::keyClicks(field, folder.file(u"Fotos/1.jpg"_s));
        EXPECT_FALSE(dialog.addButton()->isEnabled());
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << "Enter added a file as a folder";
        QTest::keyClick(field, Qt::Key_Escape);
    });
    EXPECT_EQ(result, QDialog::Rejected);
}

} // namespace
} // namespace namenswerk::test
