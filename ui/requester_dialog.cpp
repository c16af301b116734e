#include "ui/requester_dialog.h"

#include "ui/artwork.h"
#include "ui/fonts.h"
#include "ui/text_fit.h"
#include "ui/wrapped_text_label.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace namenswerk {

// After a step by its arrows the caret stands behind the number and nothing is
// selected, so the next digit typed extends the number instead of replacing it.
class NumberBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

    QLineEdit *editor() const { return lineEdit(); }

    void stepBy(int steps) override
    {
        QSpinBox::stepBy(steps);
        lineEdit()->deselect();
        lineEdit()->end(false);
    }
};

namespace {

constexpr int PanelTextRight = 16; // the texts end this far from the right edge
// A line that fits into a dialog this wide widens the dialog rather than
// wrapping: a text broken into lines by its author reads as meant, and a
// sentence of one line does not leave its last word alone on a second.
constexpr int WidestDialog = 660;

QLabel *makeTextLabel(QWidget *parent, const QFont &font, const QColor &colour)
{
    auto *label = new WrappedTextLabel(parent);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QLabel *makePanel(QWidget *parent)
{
    auto *panel = new QLabel(parent);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
    panel->setEnabled(false);
    return panel;
}

// Callers break lines with "\r"; a break at the end would only show as an
// empty line.
QString withLineBreaks(QString text)
{
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    while (text.endsWith(u'\n')) {
        text.chop(1);
    }
    return text;
}

int halfRoundingDown(int value)
{
    return value >= 0 ? value / 2 : -((1 - value) / 2);
}

} // namespace

RequesterDialog::RequesterDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      panel_(makePanel(this)), icon_(new QLabel(this)),
      heading_(makeTextLabel(this, headingFont(), QColor(0, 0, 128))),
      body_(makeTextLabel(this, textFont(), QColor(64, 64, 64))), numberBox_(new NumberBox(this)),
      checkBox_(new QCheckBox(u" ohne weitere Fragen automatisch durchführen"_s, this))
{
    setModal(true);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(palette);

    icon_->setGeometry(24, 16, 64, 64);
    numberBox_->setRange(0, 9999);
    numberBox_->resize(105, 25);
    numberBox_->installEventFilter(this);
    numberBox_->editor()->installEventFilter(this);
    checkBox_->resize(374, 20);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        auto *button = new QPushButton(this);
        button->setAutoDefault(false);
        button->resize(100, 25);
        connect(button, &QPushButton::clicked, this, [this, i] { choose(static_cast<int>(i)); });
        buttons_[i] = button;
    }
}

RequesterDialog::~RequesterDialog() = default;

QSpinBox *RequesterDialog::numberBox() const
{
    return numberBox_;
}

QPushButton *RequesterDialog::button(int index) const
{
    return index >= 0 && index < static_cast<int>(buttons_.size())
               ? buttons_[static_cast<std::size_t>(index)]
               : nullptr;
}

void RequesterDialog::prepare(const Request &request, const QWidget *over)
{
    code_ = 0;
    setWindowTitle(request.title);
    row_ = requesterButtons(request.buttons, request.firstCaption, request.secondCaption);

    int y = layoutTexts(request);
    panel_->setGeometry(0, 0, width_, y);

    const bool withCheckBox = (request.buttons & WithCheckBox) != 0;
    checkBox_->setChecked(false);
    checkBox_->setVisible(withCheckBox);
    if (withCheckBox) {
        checkBox_->move(heading_->x(), y + 5);
        y += 30;
    }

    placeOver(over, y);
    setFixedSize(width_, y + 50);
    layoutButtons(y + 13);
    focusFirstInput();
}

int RequesterDialog::layoutTexts(const Request &request)
{
    const QPixmap picture = requesterIcon(request.icon);
    icon_->setPixmap(picture);
    icon_->setVisible(!picture.isNull());
    // Without a picture the texts take its place.
    const int left = picture.isNull() ? 40 : 110;
    const QString heading = withLineBreaks(request.heading);
    const QString text = withLineBreaks(request.text);
    const int limit = WidestDialog - PanelTextRight - left;
    const int width = std::max({DialogWidth - PanelTextRight - left,
                                widestLineUpTo(heading, heading_->font(), limit),
                                widestLineUpTo(text, body_->font(), limit)});
    width_ = left + width + PanelTextRight;

    heading_->setGeometry(left, 15, width, heading_->height());
    int y = fitLabelToText(heading_, heading) + 25;

    body_->setGeometry(left, y, width, body_->height());
    const int bodyHeight = fitLabelToText(body_, text);

    numberBox_->setValue(request.number);
    const bool withNumberBox = (request.buttons & WithNumberBox) != 0;
    numberBox_->setVisible(withNumberBox);
    if (withNumberBox) {
        // Below a text of more than one line the box moves down with it
        // instead of covering it.
        const int offset = std::max(40, bodyHeight + 19);
        numberBox_->move(205, y + offset);
        y += offset + 10;
    }
    return y + bodyHeight + 25;
}

void RequesterDialog::placeOver(const QWidget *over, int panelHeight)
{
    if (!over) {
        return;
    }
    const QRect frame = over->frameGeometry();
    const int x = std::max(0, frame.x() + halfRoundingDown(frame.width() - width_));
    const int y = std::max(0, frame.y() + halfRoundingDown(frame.height() - panelHeight - 50));
    move(x, y);
}

void RequesterDialog::layoutButtons(int rowY)
{
    const int count = buttonCount();
    for (QPushButton *button : buttons_) {
        button->setDefault(false);
        button->hide();
    }
    // Buttons are 100 pixels wide, 115 apart and end 15 from the right; a
    // caption too long for its button in this font widens it to the left, so
    // no caption is ever cut.
    int right = width_ - 15;
    for (int i = count - 1; i >= 0; --i) {
        QPushButton *shown = buttons_[static_cast<std::size_t>(i)];
        shown->setText(row_.buttons[static_cast<std::size_t>(i)].caption);
        // The dialog handles the letters itself, with and without Alt.
        shown->setShortcut(QKeySequence());
        const int width = std::max(100, shown->sizeHint().width());
        shown->setGeometry(right - width, rowY, width, 25);
        right -= width + 15;
        shown->show();
    }
    buttons_[static_cast<std::size_t>(row_.defaultIndex)]->setDefault(true);
}

void RequesterDialog::focusFirstInput()
{
    if (!numberBox_->isHidden()) {
        numberBox_->setFocus(Qt::OtherFocusReason);
        numberBox_->selectAll();
    } else {
        buttons_[static_cast<std::size_t>(row_.defaultIndex)]->setFocus(Qt::OtherFocusReason);
    }
}

Answer RequesterDialog::answer() const
{
    return {code_, checkBox_->isChecked(), numberBox_->value()};
}

void RequesterDialog::reject()
{
    choose(buttonCount() - 1);
}

void RequesterDialog::choose(int index)
{
    if (index < 0 || index >= buttonCount()) {
        return;
    }
    numberBox_->interpretText();
    code_ = row_.buttons[static_cast<std::size_t>(index)].code;
    done(QDialog::Accepted);
}

bool RequesterDialog::chooseByKey(const QKeyEvent &key)
{
    if (key.key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        choose(row_.defaultIndex);
        return true;
    }
    if (key.modifiers().testAnyFlags(Qt::ControlModifier | Qt::MetaModifier)) {
        return false;
    }
    const auto &buttons = row_.buttons;
    const auto match = std::find_if(buttons.begin(), buttons.end(), [&key](const auto &button) {
        return button.code != 0 && button.code == key.key();
    });
    if (match == buttons.end()) {
        return false;
    }
    choose(static_cast<int>(match - buttons.begin()));
    return true;
}

void RequesterDialog::keyPressEvent(QKeyEvent *event)
{
    if (chooseByKey(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool RequesterDialog::eventFilter(QObject *watched, QEvent *event)
{
    // The number box would swallow the letters and Escape; the buttons' keys
    // come first.
    const bool inNumberBox = watched == numberBox_ || watched == numberBox_->editor();
    if (inNumberBox && event->type() == QEvent::KeyPress &&
        chooseByKey(*static_cast<QKeyEvent *>(event))) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void RequesterDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    focusFirstInput();
}

} // namespace namenswerk
