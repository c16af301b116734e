#pragma once

#include "settings/profile_rules.h"

#include <QDialog>
#include <QPoint>
#include <QSize>

#include <functional>
#include <optional>

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace namenswerk {

class Profiles;

namespace profile_window {

// Numbers of the profile window and its controls; they continue the main
// window's number space.
enum Id : int {
    Window = 122,
    NameLabel = 124,
    NameBox = 125,   // editable drop-down with the stored names, for saving
    NameField = 126, // plain text field, for renaming
    OkButton = 127,
    CancelButton = 128,
};

} // namespace profile_window

// The small window that asks for a profile name, for saving (a drop-down of
// the stored names that can be typed into) or renaming (a plain text field).
// It only asks: the caller saves or renames with the text it returns.
class ProfileWindow : public QDialog {
    Q_OBJECT

public:
    // 242 x 150 with a usual title bar: the controls keep the same margin
    // below them as at the sides.
    static constexpr QSize InnerSize{242, 120};
    // Where the window's frame stands relative to the owner's frame.
    static constexpr QPoint OffsetFromOwner{520, 100};

    // owner: the main window, disabled while this window is open; may be null.
    explicit ProfileWindow(QWidget *owner = nullptr);
    ~ProfileWindow() override;
    Q_DISABLE_COPY_MOVE(ProfileWindow)

    // What "&Ok" does with the typed text before the window closes; the
    // questions it asks stand over this window.
    using Confirmation = std::function<void(const QString &typed)>;

    // Opens the window modally for one name, with the owner disabled until it
    // closes. The typed text on "&Ok", none when cancelled.
    static std::optional<QString> ask(ProfileDialogMode mode, const Profiles &profiles,
                                      QWidget *owner, const Confirmation &confirmed = {});

    // Sets the window up for one question without showing it: title, the
    // field of the mode with its text selected, "&Ok" enabled by the rules of
    // profiles (which must outlive the question) and the place at the owner.
    void prepare(ProfileDialogMode mode, const Profiles &profiles);
    // Shows the prepared window modally; the owner stays disabled meanwhile.
    std::optional<QString> run(const Confirmation &confirmed = {});

    ProfileDialogMode mode() const { return mode_; }
    // The text of the field the mode shows.
    QString typedText() const;

    // A control by its number (profile_window::Id); null for any other.
    QWidget *control(int number) const;
    QLabel *nameLabel() const { return label_; }
    QComboBox *nameBox() const { return box_; }
    QLineEdit *nameField() const { return field_; }
    QPushButton *okButton() const { return ok_; }
    QPushButton *cancelButton() const { return cancel_; }

public Q_SLOTS:
    // "&Ok": only while the typed text may be confirmed.
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handleKey(const QKeyEvent &key);
    void updateOk();
    QWidget *activeInput() const;

    QLabel *label_;
    QComboBox *box_;
    QLineEdit *field_;
    QPushButton *ok_;
    QPushButton *cancel_;
    ProfileDialogMode mode_ = ProfileDialogMode::Save;
    std::function<bool(const QString &)> canConfirm_;
    Confirmation confirmed_;
};

} // namespace namenswerk
