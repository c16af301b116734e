#include "ui/shortcuts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>
#include <QWidget>

#include <algorithm>

namespace namenswerk {

namespace {

constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers Alt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers None = Qt::NoModifier;

using C = Command;

constexpr ShortcutBinding bind(Qt::KeyboardModifiers modifiers, Qt::Key key, Command command)
{
    return {QKeyCombination(modifiers, key), command};
}

const ShortcutBinding bindings[] = {
    bind(None, Qt::Key_Escape, C::Close),
    bind(Alt, Qt::Key_A, C::FocusFirstReplace),
    bind(Alt, Qt::Key_B, C::FocusFinalReplace),
    bind(Alt, Qt::Key_C, C::Close),
    bind(Alt, Qt::Key_D, C::InvertFileDate),
    bind(Alt, Qt::Key_E, C::FocusExtensionPattern),
    bind(Alt, Qt::Key_F, C::ShowFilterMenu),
    bind(Alt, Qt::Key_G, C::InvertPatternCase),
    bind(Alt, Qt::Key_I, C::FocusTemplate),
    bind(Alt, Qt::Key_K, C::InvertReplaceCase),
    bind(Alt, Qt::Key_M, C::InvertNameOnly),
    bind(Alt, Qt::Key_N, C::FocusNamePattern),
    bind(Alt, Qt::Key_O, C::ShowSpecialMenu),
    bind(Alt, Qt::Key_P, C::ShowProfileMenu),
    bind(Alt, Qt::Key_S, C::FocusFirstReplace),
    bind(Alt, Qt::Key_T, C::FocusExtensionCase),
    bind(Alt, Qt::Key_U, C::RenameFiles),
    bind(Alt, Qt::Key_V, C::InvertReplaceAll),
    bind(Alt, Qt::Key_W, C::FocusNameCase),
    bind(Ctrl, Qt::Key_B, C::RenameProfile),
    bind(Ctrl, Qt::Key_D, C::SortByDate),
    bind(Ctrl, Qt::Key_F, C::ShowFilterMenu),
    bind(Ctrl, Qt::Key_G, C::SortBySize),
    bind(Ctrl, Qt::Key_I, C::About),
    bind(Ctrl, Qt::Key_L, C::DeleteProfile),
    bind(Ctrl, Qt::Key_M, C::SortByOldName),
    bind(Ctrl, Qt::Key_N, C::SortByNewName),
    bind(Ctrl, Qt::Key_O, C::ShowSpecialMenu),
    bind(Ctrl, Qt::Key_P, C::ShowProfileMenu),
    bind(Ctrl, Qt::Key_R, C::RefreshFacts),
    bind(Ctrl, Qt::Key_S, C::SaveProfile),
    bind(Ctrl, Qt::Key_T, C::SortByStatus),
    bind(Ctrl, Qt::Key_U, C::ResetSort),
    bind(Ctrl, Qt::Key_W, C::SortByFolderMark),
    bind(Ctrl, Qt::Key_Z, C::RestoreInputs),
    bind(None, Qt::Key_Return, C::StoreSettings),
    bind(None, Qt::Key_Enter, C::StoreSettings),
    bind(Ctrl, Qt::Key_Return, C::RenameFiles),
    bind(Ctrl, Qt::Key_Enter, C::RenameFiles),
    bind(Ctrl, Qt::Key_Backspace, C::UndoLastRun),
    bind(Ctrl, Qt::Key_1, C::FilterFound),
    bind(Ctrl, Qt::Key_2, C::FilterRenameable),
    bind(Ctrl, Qt::Key_3, C::FilterBlocked),
    bind(Ctrl, Qt::Key_4, C::FilterRenameResult),
    bind(Ctrl, Qt::Key_5, C::FilterNotFound),
    bind(Ctrl, Qt::Key_0, C::FilterOff),
    bind(None, Qt::Key_F1, C::ContextHelp),
    bind(Shift, Qt::Key_F1, C::PatternReference),
    bind(Ctrl, Qt::Key_F1, C::ShortcutOverview),
    bind(CtrlShift, Qt::Key_A, C::AddFolder),
    bind(CtrlShift, Qt::Key_C, C::CopyRenameCommands),
    bind(CtrlShift, Qt::Key_D, C::AddFiles),
    bind(CtrlShift, Qt::Key_E, C::RememberList),
    bind(CtrlShift, Qt::Key_F, C::CustomColours),
    bind(CtrlShift, Qt::Key_I, C::About),
    bind(CtrlShift, Qt::Key_N, C::TakeOverNewNames),
    bind(CtrlShift, Qt::Key_O, C::OpenFolder),
    bind(CtrlShift, Qt::Key_R, C::AdoptDisplayedOrder),
    bind(CtrlShift, Qt::Key_U, C::UpperCaseSwitch),
    bind(CtrlShift, Qt::Key_Z, C::CounterStart),
};

// The keys as the key event reports them; the keypad's Enter carries a
// modifier of its own.
QKeyCombination pressedKeys(const QKeyEvent &event)
{
    constexpr Qt::KeyboardModifiers relevant =
        Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier;
    return QKeyCombination(event.modifiers() & relevant, Qt::Key(event.key()));
}

bool isWindowKey(const QKeyEvent &event)
{
    const QKeyCombination keys = pressedKeys(event);
    return std::ranges::any_of(
        bindings, [&](const ShortcutBinding &binding) { return binding.keys == keys; });
}

// A focused line edit claims Ctrl+Z, Ctrl+Backspace and others for itself
// before any shortcut sees them. The window's keys must win there, so the
// claim is refused for them while the focus lies inside the window.
class KeyClaimGuard : public QObject {
public:
    explicit KeyClaimGuard(QWidget &window) : QObject(&window), window_(window)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride) {
            return false;
        }
        // An open drop-down list or popup owns the keys: Escape closes only
        // it and Enter picks its entry, instead of ending the program or
        // storing the settings. Accepting the override keeps the window's
        // shortcut from firing; the event still travels on, because a
        // drop-down list picks its entry on the override of Enter itself.
        if (QApplication::activePopupWidget() &&
            isWindowKey(static_cast<const QKeyEvent &>(*event))) {
            event->accept();
            return false;
        }
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != &window_ ||
            !isWindowKey(static_cast<const QKeyEvent &>(*event))) {
            return false;
        }
        event->ignore();
        return true;
    }

private:
    QWidget &window_;
};

} // namespace

std::span<const ShortcutBinding> windowShortcuts()
{
    return bindings;
}

void installShortcuts(QWidget &window, const std::function<void(Command)> &run)
{
    for (const ShortcutBinding &binding : bindings) {
        auto *shortcut = new QShortcut(QKeySequence(binding.keys), &window);
        shortcut->setContext(Qt::WindowShortcut);
        const Command command = binding.command;
        QObject::connect(shortcut, &QShortcut::activated, &window,
                         [run, command] { run(command); });
    }
    new KeyClaimGuard(window);
}

} // namespace namenswerk
