#include "ui/message_requester.h"
#include "ui/requester_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

using UserAction = std::function<void(RequesterDialog &)>;

// Asks, and once the dialog is up lets the "user" act on it. A dialog the
// action leaves open is a failure and is closed so the test goes on.
Answer askAndAct(MessageRequester &requester, const Request &request, const UserAction &act)
{
    QTimer::singleShot(0, [&requester, &act] {
        RequesterDialog *dialog = requester.dialog();
        if (!dialog->isVisible()) {
            ADD_FAILURE() << "the dialog is not shown";
            return;
        }
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        act(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            dialog->hide();
        }
    });
    return requester.ask(request);
}

QWidget *focused(RequesterDialog &dialog)
{
    return dialog.focusWidget() ? dialog.focusWidget() : &dialog;
}

Request question(int buttons, const QString &first = {}, const QString &second = {})
{
    Request request;
    request.title = u"Frage"_s;
    request.heading = u"Überschrift"_s;
    request.text = u"Ein Satz."_s;
    request.icon = RequestIcon::Question;
    request.buttons = buttons;
    request.firstCaption = first;
    request.secondCaption = second;
    return request;
}

struct Keystroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

struct KeyCase {
    const char *name;
    int buttons;
    const char16_t *first;
    const char16_t *second;
    std::vector<Keystroke> keys;
    int code;
};

void PrintTo(const KeyCase &kc, std::ostream *out)
{
    *out << kc.name;
}

class RequesterKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(RequesterKeys, ChooseTheirButton)
{
    const KeyCase &kc = GetParam();
    MessageRequester requester;
    const Answer answer =
        askAndAct(requester,
                  question(kc.buttons, QString::fromUtf16(kc.first), QString::fromUtf16(kc.second)),
                  [&kc](RequesterDialog &dialog) {
                      for (const Keystroke &stroke : kc.keys) {
                          QTest::keyClick(focused(dialog), stroke.key, stroke.modifiers);
                      }
                  });
    EXPECT_EQ(answer.code, kc.code);
}

INSTANTIATE_TEST_SUITE_P(
    MessageRequester, RequesterKeys,
    ::testing::Values(
        KeyCase{"ArrowsEnterChoosesTheDefaultSecond", 99, u"<", u">", {{Qt::Key_Return}}, 'N'},
        KeyCase{"ArrowsKeepTheYesLetter", 99, u"<", u">", {{Qt::Key_J}}, 'J'},
        KeyCase{"ArrowsEscapeChoosesCancel", 99, u"<", u">", {{Qt::Key_Escape}}, 'A'},
        KeyCase{"ReplacedLetterD", 98, u"&Deaktivieren", u"&Löschen", {{Qt::Key_D}}, 'D'},
        KeyCase{
            "ReplacedAltD", 98, u"&Deaktivieren", u"&Löschen", {{Qt::Key_D, Qt::AltModifier}}, 'D'},
        KeyCase{"ReplacedLetterL", 98, u"&Deaktivieren", u"&Löschen", {{Qt::Key_L}}, 'L'},
        KeyCase{"ReplacedKeepsCancel", 98, u"&Deaktivieren", u"&Löschen", {{Qt::Key_A}}, 'A'},
        KeyCase{"ReplacedLetterJAnswersNoLonger",
                98,
                u"&Deaktivieren",
                u"&Löschen",
                {{Qt::Key_J}, {Qt::Key_N}, {Qt::Key_Return}},
                'D'},
        KeyCase{"CtrlLetterIsNoChoice",
                95,
                u"",
                u"",
                {{Qt::Key_J, Qt::ControlModifier}, {Qt::Key_N}},
                'N'},
        KeyCase{"OkByLetter", 93, u"", u"", {{Qt::Key_O}}, 'O'},
        KeyCase{"DefaultThird", 100, u"", u"", {{Qt::Key_Enter}}, 'A'},
        KeyCase{"TabThenEnterStillChoosesTheDefault",
                95,
                u"",
                u"",
                {{Qt::Key_Tab}, {Qt::Key_Return}},
                'J'},
        KeyCase{"UnknownSetAnswersZero", 7, u"", u"", {{Qt::Key_Escape}}, 0},
        KeyCase{"NumberBoxLeavesLettersToTheButtons",
                OkCancel | WithNumberBox,
                u"",
                u"",
                {{Qt::Key_A}},
                'A'}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MessageRequesterTest, ArrowCaptionsShowWithTheSecondAsDefault)
{
    MessageRequester requester;
    std::vector<QString> captions;
    int defaultButton = -1;
    const Answer answer =
        askAndAct(requester, question(99, u"<"_s, u">"_s), [&](RequesterDialog &d) {
            for (int i = 0; i < 3; ++i) {
                captions.push_back(d.button(i)->isVisible() ? d.button(i)->text() : QString());
                if (d.button(i)->isDefault()) {
                    defaultButton = i;
                }
            }
            EXPECT_EQ(d.focusWidget(), d.button(1));
            d.close();
        });
    EXPECT_EQ(captions, (std::vector<QString>{u"<"_s, u">"_s, u"Abbrechen"_s}));
    EXPECT_EQ(defaultButton, 1);
    EXPECT_EQ(answer.code, 'A') << "the close box chooses the last button";
}

TEST(MessageRequesterTest, NumberBoxIsFocusedWithItsTextSelected)
{
    MessageRequester requester;
    Request request = question(2142);
    request.number = 17;
    const Answer answer = askAndAct(requester, request, [](RequesterDialog &d) {
        QSpinBox *box = d.numberBox();
        ASSERT_TRUE(box->isVisible());
        EXPECT_TRUE(box->hasFocus());
        auto *editor = box->findChild<QLineEdit *>();
        EXPECT_EQ(editor->selectedText(), u"17"_s);
        EXPECT_EQ(d.button(0)->text(), u"OK"_s);
        EXPECT_EQ(d.button(1)->text(), u"Abbrechen"_s);
        QTest::keyClicks(focused(d), u"42"_s);
        QTest::keyClick(focused(d), Qt::Key_Return);
    });
    EXPECT_EQ(answer.code, 'O');
    EXPECT_EQ(answer.number, 42);
}

TEST(MessageRequesterTest, AStepByTheArrowsLeavesTheCaretBehindTheNumber)
{
    MessageRequester requester;
    Request request = question(2142);
    request.number = 1;
    const Answer answer = askAndAct(requester, request, [](RequesterDialog &d) {
        QTest::keyClick(focused(d), Qt::Key_Up);
        auto *editor = d.numberBox()->findChild<QLineEdit *>();
        EXPECT_EQ(editor->selectedText(), QString());
        QTest::keyClicks(focused(d), u"5"_s);
        QTest::keyClick(focused(d), Qt::Key_Return);
    });
    EXPECT_EQ(answer.number, 25);
}

TEST(MessageRequesterTest, CheckBoxIsReadAfterwardsAndUntickedOnTheNextCall)
{
    MessageRequester requester;
    const int buttons = YesNo | WithCheckBox;
    const Answer first = askAndAct(requester, question(buttons), [](RequesterDialog &d) {
        ASSERT_TRUE(d.checkBox()->isVisible());
        EXPECT_EQ(d.checkBox()->text(), u" ohne weitere Fragen automatisch durchführen"_s);
        QTest::mouseClick(d.checkBox(), Qt::LeftButton);
        QTest::keyClick(focused(d), Qt::Key_Return);
    });
    EXPECT_EQ(first.code, 'J');
    EXPECT_TRUE(first.checked);

    RequesterDialog *made = requester.dialog();
    const Answer second = askAndAct(requester, question(buttons), [made](RequesterDialog &d) {
        EXPECT_EQ(&d, made) << "the dialog is reused";
        EXPECT_FALSE(d.checkBox()->isChecked());
        QTest::keyClick(focused(d), Qt::Key_N);
    });
    EXPECT_EQ(second.code, 'N');
    EXPECT_FALSE(second.checked);
}

TEST(MessageRequesterTest, CentresOverTheActiveWindowAndGivesItBackTheFocus)
{
    QWidget active;
    active.setGeometry(100, 300, 720, 552);
    active.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&active));
    MessageRequester requester(&active);
    QPoint shownAt;
    QSize shownSize;
    askAndAct(requester, question(OkOnly), [&](RequesterDialog &d) {
        shownAt = d.pos();
        shownSize = d.size();
        QTest::keyClick(focused(d), Qt::Key_Return);
    });
    EXPECT_EQ(shownAt, QPoint(210, 300 + (552 - shownSize.height()) / 2));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&active));
}

class RequesterLayout : public ::testing::Test {
protected:
    RequesterDialog dialog;
};

TEST_F(RequesterLayout, TextsWithoutIconStart40FromTheLeftAnd444Wide)
{
    Request request = question(OkOnly);
    request.icon = RequestIcon::None;
    dialog.prepare(request, nullptr);
    EXPECT_TRUE(dialog.iconLabel()->isHidden());
    EXPECT_EQ(dialog.heading()->x(), 40);
    EXPECT_EQ(dialog.heading()->width(), 444);
    EXPECT_EQ(dialog.body()->x(), 40);
    EXPECT_EQ(dialog.body()->width(), 444);

    request.icon = static_cast<RequestIcon>(104);
    dialog.prepare(request, nullptr);
    EXPECT_EQ(dialog.heading()->x(), 40) << "an unknown icon shows none";

    request.icon = RequestIcon::Warning;
    dialog.prepare(request, nullptr);
    EXPECT_FALSE(dialog.iconLabel()->isHidden());
    EXPECT_EQ(dialog.iconLabel()->geometry(), QRect(24, 16, 64, 64));
    EXPECT_EQ(dialog.heading()->geometry().topLeft(), QPoint(110, 15));
    EXPECT_EQ(dialog.heading()->width(), 374);
}

TEST_F(RequesterLayout, HeightFollowsTheLinesOfTheTexts)
{
    Request request = question(YesNoCancel | WithCheckBox);
    request.heading = u"Eins\rZwei"_s;
    request.text = u"Eins\r\rDrei"_s;
    dialog.prepare(request, nullptr);

    const int headingLine = dialog.heading()->fontMetrics().lineSpacing();
    const int bodyLine = dialog.body()->fontMetrics().lineSpacing();
    EXPECT_EQ(dialog.heading()->height(), 2 * headingLine);
    EXPECT_EQ(dialog.body()->y(), 2 * headingLine + 25);
    EXPECT_EQ(dialog.body()->height(), 3 * bodyLine);
    const int panel = dialog.body()->y() + 3 * bodyLine + 25;
    EXPECT_EQ(dialog.panel()->geometry(), QRect(0, 0, 500, panel));
    EXPECT_EQ(dialog.checkBox()->geometry(), QRect(110, panel + 5, 374, 20));
    EXPECT_EQ(dialog.size(), QSize(500, panel + 30 + 50));
    EXPECT_EQ(dialog.button(0)->geometry(), QRect(155, panel + 30 + 13, 100, 25));
    EXPECT_EQ(dialog.button(2)->geometry(), QRect(385, panel + 30 + 13, 100, 25));
    EXPECT_TRUE(dialog.numberBox()->isHidden());
}

TEST_F(RequesterLayout, NumberBoxStandsBelowTheText)
{
    Request request = question(OkCancel | WithNumberBox);
    dialog.prepare(request, nullptr);
    const QRect body = dialog.body()->geometry();
    const QRect box = dialog.numberBox()->geometry();
    EXPECT_EQ(box.topLeft(), QPoint(205, body.y() + 40));
    EXPECT_EQ(box.size(), QSize(105, 25));
    EXPECT_EQ(dialog.panel()->height(), body.y() + 50 + body.height() + 25);

    request.text = u"Eins\rZwei\rDrei\rVier"_s;
    dialog.prepare(request, nullptr);
    EXPECT_GT(dialog.numberBox()->y(), dialog.body()->geometry().bottom())
        << "a longer text is not covered";
    EXPECT_LT(dialog.numberBox()->geometry().bottom(), dialog.panel()->height());
}

TEST_F(RequesterLayout, CentresOverTheWindowButNeverLeftOfOrAboveTheOrigin)
{
    Request request = question(OkOnly);
    QWidget over;
    over.setGeometry(100, 300, 720, 552);
    dialog.prepare(request, &over);
    EXPECT_EQ(dialog.pos(), QPoint(210, 300 + (552 - dialog.height()) / 2));

    over.setGeometry(0, 0, 242, 100);
    dialog.prepare(request, &over);
    EXPECT_EQ(dialog.pos(), QPoint(0, 0));

    over.setGeometry(-300, 500, 720, 552);
    dialog.prepare(request, &over);
    EXPECT_EQ(dialog.x(), 0);
    EXPECT_GT(dialog.y(), 500);

    const QPoint kept = dialog.pos();
    dialog.prepare(request, nullptr);
    EXPECT_EQ(dialog.pos(), kept) << "without a window to centre on the dialog stays";
}

TEST_F(RequesterLayout, UnknownButtonSetShowsOneButtonWithoutCaption)
{
    dialog.prepare(question(4711), nullptr);
    ASSERT_EQ(dialog.buttonCount(), 1);
    EXPECT_FALSE(dialog.button(0)->isHidden());
    EXPECT_TRUE(dialog.button(1)->isHidden());
    EXPECT_EQ(dialog.button(0)->text(), QString());
    EXPECT_EQ(dialog.button(0)->x(), 385);
}

} // namespace
} // namespace namenswerk
