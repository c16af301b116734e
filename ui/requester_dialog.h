#pragma once

#include "settings/requester.h"
#include "ui/requester_buttons.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace namenswerk {

class NumberBox;

// The window of the message requester: a white panel with icon, heading and
// text, the optional number box and check box, and up to three buttons. It
// sizes itself to each request; exec() returns when a button was chosen.
class RequesterDialog : public QDialog {
    Q_OBJECT

public:
    // Wider only where a line of its texts needs it.
    static constexpr int DialogWidth = 500;

    explicit RequesterDialog(QWidget *parent = nullptr);
    ~RequesterDialog() override;
    Q_DISABLE_COPY_MOVE(RequesterDialog)

    // Sets everything up for one request. over: the window to centre on;
    // null keeps the dialog where it is.
    void prepare(const Request &request, const QWidget *over);

    // The chosen button's code (0 until one was chosen), the check box and
    // the number box.
    Answer answer() const;

    QLabel *panel() const { return panel_; }
    QLabel *iconLabel() const { return icon_; }
    QLabel *heading() const { return heading_; }
    QLabel *body() const { return body_; }
    QSpinBox *numberBox() const;
    QCheckBox *checkBox() const { return checkBox_; }
    QPushButton *button(int index) const; // 0 to 2, shown or not
    int buttonCount() const { return static_cast<int>(row_.buttons.size()); }

public Q_SLOTS:
    // Escape and the close box choose the last button.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    int layoutTexts(const Request &request);
    void placeOver(const QWidget *over, int panelHeight);
    void layoutButtons(int rowY);
    void focusFirstInput();
    bool chooseByKey(const QKeyEvent &key);
    void choose(int index);

    QLabel *panel_;
    QLabel *icon_;
    QLabel *heading_;
    QLabel *body_;
    NumberBox *numberBox_;
    QCheckBox *checkBox_;
    std::array<QPushButton *, 3> buttons_{};
    RequesterButtonRow row_;
    int code_ = 0;
    int width_ = DialogWidth;
};

} // namespace namenswerk
