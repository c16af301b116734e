#include "tests/ui/controller_fixture.h"

#include "ui/file_list_model.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

namespace namenswerk::test {

UrlCatcher::UrlCatcher()
{
    QDesktopServices::setUrlHandler(u"file"_s, this, "openUrl");
}

UrlCatcher::~UrlCatcher()
{
    QDesktopServices::unsetUrlHandler(u"file"_s);
}

ControllerTest::ControllerTest()
{
    controller.setPopupPresenter([this](QMenu &menu, const QPoint &at) {
        shownMenus.push_back({&menu, at});
    });
    controller.setProfileNameAsker(
        [this](ProfileDialogMode mode, const Profiles &, const auto &confirmed) {
            askedProfileNames.push_back(mode);
            if (profileNameAnswer) {
                confirmed(*profileNameAnswer);
            }
        });
    controller.setPathChooser(chooser);
    QObject::connect(&controller, &MainController::executed,
                     [this](Command command) { executed.push_back(command); });
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    editor(control::NamePatternField)->setFocus();
}

ControllerTest::~ControllerTest() = default;

void ControllerTest::dropFiles(const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names) {
        paths.append(folder.write(name, "x"));
    }
    controller.dropFiles(paths);
}

QLineEdit *ControllerTest::editor(int field) const
{
    return window.inputField(field)->lineEdit();
}

QStringList ControllerTest::shownNewNames() const
{
    const FileListModel &model = *window.fileListModel();
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row) {
        names.append(model.index(row, static_cast<int>(ListColumn::NewName)).data().toString());
    }
    return names;
}

QString ControllerTest::statusText() const
{
    return window.statusLine()->text();
}

void ControllerTest::setFieldText(int number, const QString &text)
{
    field(number)->setEditText(text);
}

void ControllerTest::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target ? target : &window, key, modifiers);
}

} // namespace namenswerk::test
