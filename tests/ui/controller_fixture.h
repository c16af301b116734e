#pragma once

#include "engine/entry_facts.h"
#include "model/file_list.h"
#include "settings/requester.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/scripted_path_chooser.h"
#include "ui/file_list_model.h"
#include "ui/main_controller.h"
#include "ui/main_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QObject>
#include <QUrl>

#include <gtest/gtest.h>

#include <vector>

namespace namenswerk::test {

// Answers every question with one code, or hands it to another requester,
// and keeps each request the user would have read.
class AnsweringRequester final : public Requester {
public:
    Answer ask(const Request &request) override
    {
        asked.push_back(request);
        return delegate ? delegate->ask(request) : answer;
    }

    Answer answer{AnswerCancel};
    Requester *delegate = nullptr;
    std::vector<Request> asked;
};

// Takes the folders the program hands to the desktop instead of opening a
// file manager.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    UrlCatcher();
    ~UrlCatcher() override;

    std::vector<QUrl> opened;

public Q_SLOTS:
    void openUrl(const QUrl &url) { opened.push_back(url); }
};

struct ShownMenu {
    QMenu *menu;
    QPoint at;
};

// The main window with its controller on a list of real files in a fresh
// folder, shown and active, as a user meets it.
class ControllerTest : public ::testing::Test {
protected:
    ControllerTest();
    ~ControllerTest() override;

    // Creates the files in the folder and drops them on the list.
    void dropFiles(const QStringList &names);
    // The editor inside an input field.
    QLineEdit *editor(int field) const;
    QComboBox *field(int number) const { return window.inputField(number); }
    // The new names in the order the list shows them.
    QStringList shownNewNames() const;
    QString statusText() const;
    // Puts text into a field as if typed, one change event.
    void setFieldText(int number, const QString &text);
    // Sends keys to whatever has the focus in the window.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    TempFolder folder;
    FileList list{readEntryFacts};
    MainWindow window{list};
    AnsweringRequester requester;
    // What the profile window answers, and the modes it was opened in.
    std::optional<QString> profileNameAnswer;
    std::vector<ProfileDialogMode> askedProfileNames;
    // The add dialogs; they cancel unless a test scripts a choice.
    ScriptedPathChooser chooser;
    MainController controller{list, window, requester, folder.path()};
    std::vector<ShownMenu> shownMenus;
    std::vector<Command> executed;
    UrlCatcher urls;
};

} // namespace namenswerk::test
