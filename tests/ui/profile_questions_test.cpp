// The questions of saving a profile, asked in the real profile window and
// the real requester, as the user meets them.
#include "tests/ui/controller_fixture.h"
#include "ui/control_ids.h"
#include "ui/message_requester.h"
#include "ui/profile_window.h"
#include "ui/requester_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <gtest/gtest.h>

namespace namenswerk::test {
namespace {

using namespace Qt::StringLiterals;

// What the user saw of the requester while the profile window was open.
struct SeenQuestion {
    QString heading;
    bool profileWindowShown = false;
    bool parentIsProfileWindow = false;
    bool buttonsEnabled = false;
    QRect question;
    QRect profileWindow;
};

class ProfileQuestions : public ControllerTest {
protected:
    ProfileQuestions()
    {
        // Made before the profile window disables the main window, as at a
        // start with the welcome tip.
        dialog.dialog();
        requester.delegate = &dialog;
        controller.setProfileNameAsker(
            [this](ProfileDialogMode mode, const Profiles &profiles, const auto &confirmed) {
                ProfileWindow::ask(mode, profiles, &window, confirmed);
            });
    }

    // Saves the settings under `name` in the real window; a question that
    // comes up is looked at and answered with `answer`.
    std::optional<SeenQuestion> saveAs(const QString &name, Qt::Key answer)
    {
        std::optional<SeenQuestion> seen;
        QTimer::singleShot(0, [name, answer, &seen] {
            auto *profileWindow = qobject_cast<ProfileWindow *>(QApplication::activeModalWidget());
            ASSERT_NE(profileWindow, nullptr) << "no profile window";
            EXPECT_TRUE(QTest::qWaitForWindowActive(profileWindow));
            profileWindow->nameBox()->setEditText(name);
            QTimer::singleShot(0, [profileWindow, answer, &seen] {
                auto *question = qobject_cast<RequesterDialog *>(QApplication::activeModalWidget());
                if (question == nullptr) {
                    return; // no question; the profile window has closed
                }
                seen = SeenQuestion{question->heading()->text(),
                                    profileWindow->isVisible(),
                                    question->parentWidget() == profileWindow,
                                    question->button(0)->isEnabled() &&
                                        question->button(question->buttonCount() - 1)->isEnabled(),
                                    question->frameGeometry(),
                                    profileWindow->frameGeometry()};
                if (seen->buttonsEnabled) {
                    QTest::keyClick(question, answer);
                } else {
                    question->reject(); // keys would not reach it
                }
            });
            QTest::keyClick(profileWindow->nameBox(), Qt::Key_Return);
        });
        press(Qt::Key_S, Qt::ControlModifier);
        backInTheWindow();
        return seen;
    }

    // The main window takes the keys again once the modal windows are gone.
    void backInTheWindow()
    {
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QWidget *profileButton() const { return window.button(control::ProfileButton); }

    MessageRequester dialog{&window};
};

void expectOver(const SeenQuestion &seen)
{
    EXPECT_TRUE(seen.profileWindowShown);
    EXPECT_TRUE(seen.parentIsProfileWindow);
    EXPECT_TRUE(seen.buttonsEnabled) << "the question can be answered with the mouse";
    // Centred over the profile window, to within the window frames' margins.
    const int centre = seen.profileWindow.center().x();
    EXPECT_LE(std::abs(seen.question.center().x() - centre), 4)
        << seen.question.x() << " over " << seen.profileWindow.x();
}

TEST_F(ProfileQuestions, OverwriteQuestionStandsOverTheProfileWindow)
{
    EXPECT_FALSE(saveAs(u"Fotos"_s, Qt::Key_Return)) << "a new name asks nothing";
    EXPECT_EQ(window.windowTitle(), u"Namenswerk - Fotos"_s);
    EXPECT_EQ(QApplication::focusWidget(), profileButton());

    editor(control::NamePatternField)->setFocus();
    const auto seen = saveAs(u"fotos"_s, Qt::Key_B);
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->heading, u"Unter dem Namen 'fotos' ist bereits ein Profil gespeichert."_s);
    expectOver(*seen);
    EXPECT_EQ(window.windowTitle(), u"Namenswerk - Fotos"_s);
    EXPECT_EQ(QApplication::focusWidget(), profileButton());
    EXPECT_EQ(dialog.dialog()->parentWidget(), &window) << "the requester goes back to its owner";
}

TEST_F(ProfileQuestions, NoFreeProfileStandsOverTheProfileWindow)
{
    for (int i = 1; i <= 20; ++i) {
        ASSERT_FALSE(saveAs(u"P"_s + QString::number(i), Qt::Key_Return)) << i;
    }
    const auto seen = saveAs(u"Noch eins"_s, Qt::Key_Return);
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->heading, u"Kein freies Profil verfügbar."_s);
    expectOver(*seen);
    EXPECT_EQ(window.windowTitle(), u"Namenswerk - P20"_s);
    EXPECT_EQ(QApplication::focusWidget(), profileButton());
}

TEST_F(ProfileQuestions, RenamingLeavesTheFocusOnProfile)
{
    ASSERT_FALSE(saveAs(u"Fotos"_s, Qt::Key_Return));
    editor(control::NamePatternField)->setFocus();
    QTimer::singleShot(0, [] {
        auto *profileWindow = qobject_cast<ProfileWindow *>(QApplication::activeModalWidget());
        ASSERT_NE(profileWindow, nullptr);
        profileWindow->nameField()->setText(u"Reisen"_s);
        QTest::keyClick(profileWindow->nameField(), Qt::Key_Return);
    });
    press(Qt::Key_B, Qt::ControlModifier);
    backInTheWindow();
    EXPECT_EQ(window.windowTitle(), u"Namenswerk - Reisen"_s);
    EXPECT_EQ(QApplication::focusWidget(), profileButton());
}

} // namespace
} // namespace namenswerk::test
