#include "ui/profile_window.h"

#include "settings/profiles.h"
#include "ui/fonts.h"
#include "ui/mnemonic_label.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

const QString labelText = u"&Name des Profiles:"_s;
const QString okText = u"&Ok"_s;
const QString cancelText = u"&Abbrechen"_s;

constexpr QRect labelRect{15, 15, 100, 20};
constexpr QRect nameRect{15, 40, 210, 22};
constexpr QRect okRect{40, 80, 90, 25};
constexpr QRect cancelRect{135, 80, 90, 25};

// The window handles its four keys itself, so the buttons only show their letters.
QPushButton *makeButton(const QString &text, const QRect &rect, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setShortcut(QKeySequence());
    button->setAutoDefault(false);
    button->setGeometry(rect);
    return button;
}

QComboBox *makeNameBox(QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // Completing inline would turn a typed "Foto" into a stored "Fotos" and
    // save under the wrong name.
    box->setCompleter(nullptr);
    box->setGeometry(nameRect);
    return box;
}

bool isAltLetter(const QKeyEvent &key, Qt::Key letter)
{
    const auto modifiers = key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    return key.key() == letter && modifiers == Qt::AltModifier;
}

} // namespace

ProfileWindow::ProfileWindow(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      label_(new MnemonicLabel(labelText, this)), box_(makeNameBox(this)),
      field_(new QLineEdit(this)), ok_(makeButton(okText, okRect, this)),
      cancel_(makeButton(cancelText, cancelRect, this))
{
    setModal(true);
    const int buttonMargins = 2 * (style()->pixelMetric(QStyle::PM_ButtonMargin) + 2);
    setFont(fontFittingTexts(
        QApplication::font(this),
        {{labelText, labelRect.width()}, {cancelText, cancelRect.width() - buttonMargins}}));
    setFixedSize(InnerSize);
    label_->setGeometry(labelRect);
    field_->setGeometry(nameRect);
    field_->hide();
    ok_->setDefault(true);

    connect(ok_, &QPushButton::clicked, this, &ProfileWindow::accept);
    connect(cancel_, &QPushButton::clicked, this, &ProfileWindow::reject);
    connect(box_->lineEdit(), &QLineEdit::textChanged, this, &ProfileWindow::updateOk);
    connect(field_, &QLineEdit::textChanged, this, &ProfileWindow::updateOk);
    // Inputs and buttons would take Return, Escape or the letters for
    // themselves; the window's keys come first.
    for (QWidget *widget : {static_cast<QWidget *>(box_), static_cast<QWidget *>(box_->lineEdit()),
                            static_cast<QWidget *>(field_), static_cast<QWidget *>(ok_),
                            static_cast<QWidget *>(cancel_)}) {
        widget->installEventFilter(this);
    }
}

ProfileWindow::~ProfileWindow() = default;

std::optional<QString> ProfileWindow::ask(ProfileDialogMode mode, const Profiles &profiles,
                                          QWidget *owner, const Confirmation &confirmed)
{
    ProfileWindow window(owner);
    window.prepare(mode, profiles);
    return window.run(confirmed);
}

void ProfileWindow::prepare(ProfileDialogMode mode, const Profiles &profiles)
{
    const ProfileDialogSetup setup = profiles.dialogSetup(mode);
    mode_ = mode;
    canConfirm_ = [&profiles, mode](const QString &text) {
        return profiles.canConfirm(mode, text);
    };
    setWindowTitle(setup.title);

    const bool saving = mode == ProfileDialogMode::Save;
    box_->setHidden(!saving);
    field_->setHidden(saving);
    if (saving) {
        box_->clear();
        box_->addItems(setup.names);
        box_->setCurrentIndex(-1);
        box_->setEditText(setup.text);
        box_->lineEdit()->selectAll();
    } else {
        field_->setText(setup.text);
        field_->selectAll();
    }
    // Opening follows the setup; only changes of the text ask the rules again.
    ok_->setEnabled(setup.okEnabled);
    activeInput()->setFocus(Qt::OtherFocusReason);

    if (const QWidget *owner = parentWidget()) {
        move(owner->pos() + OffsetFromOwner);
    }
}

std::optional<QString> ProfileWindow::run(const Confirmation &confirmed)
{
    confirmed_ = confirmed;
    QWidget *owner = parentWidget();
    const bool disableOwner = owner != nullptr && owner->isEnabled();
    if (disableOwner) {
        owner->setEnabled(false);
        // A disabled owner takes its child windows along.
        setEnabled(true);
    }
    const int result = exec();
    confirmed_ = {};
    if (disableOwner) {
        owner->setEnabled(true);
    }
    if (result != QDialog::Accepted) {
        return std::nullopt;
    }
    return typedText();
}

QString ProfileWindow::typedText() const
{
    return mode_ == ProfileDialogMode::Save ? box_->currentText() : field_->text();
}

QWidget *ProfileWindow::control(int number) const
{
    switch (number) {
    case profile_window::NameLabel:
        return label_;
    case profile_window::NameBox:
        return box_;
    case profile_window::NameField:
        return field_;
    case profile_window::OkButton:
        return ok_;
    case profile_window::CancelButton:
        return cancel_;
    default:
        return nullptr;
    }
}

QWidget *ProfileWindow::activeInput() const
{
    return mode_ == ProfileDialogMode::Save ? static_cast<QWidget *>(box_) : field_;
}

void ProfileWindow::updateOk()
{
    ok_->setEnabled(canConfirm_ && canConfirm_(typedText()));
}

void ProfileWindow::accept()
{
    // Return and Alt+O reach here without the button, which may be disabled.
    if (!ok_->isEnabled()) {
        return;
    }
    if (confirmed_) {
        confirmed_(typedText());
    }
    QDialog::accept();
}

bool ProfileWindow::handleKey(const QKeyEvent &key)
{
    const bool plain = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if ((plain && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)) ||
        isAltLetter(key, Qt::Key_O)) {
        accept();
        return true;
    }
    if ((plain && key.key() == Qt::Key_Escape) || isAltLetter(key, Qt::Key_A)) {
        reject();
        return true;
    }
    return false;
}

void ProfileWindow::keyPressEvent(QKeyEvent *event)
{
    if (handleKey(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool ProfileWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && handleKey(*static_cast<QKeyEvent *>(event))) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace namenswerk
