#include "ui/message_requester.h"

#include "ui/requester_dialog.h"

#include <QApplication>

namespace namenswerk {

MessageRequester::MessageRequester(QWidget *owner) : owner_(owner) {}

MessageRequester::~MessageRequester()
{
    delete dialog_.data();
}

RequesterDialog *MessageRequester::dialog()
{
    if (!dialog_) {
        dialog_ = new RequesterDialog(owner_);
    }
    return dialog_;
}

Answer MessageRequester::ask(const Request &request)
{
    RequesterDialog *window = dialog();
    // While a modal window such as the profile window is open, it is the
    // window the user works in, even before the platform reports it active.
    QPointer<QWidget> active = QApplication::activeModalWidget();
    if (!active || active == window) {
        active = QApplication::activeWindow();
    }
    if (active == window) {
        active = nullptr;
    }
    // A question belongs to the window it is asked over, such as the profile
    // window, so that it stands over that window and not behind it.
    QWidget *parent = active ? active.data() : owner_.data();
    if (window->parentWidget() != parent) {
        window->setParent(parent, window->windowFlags());
    }
    // Made while its owner was enabled, the dialog was disabled along with
    // it when a modal window such as the profile window disabled the owner.
    window->setEnabled(true);
    window->prepare(request, active);
    window->exec();
    if (window->parentWidget() != owner_) {
        window->setParent(owner_, window->windowFlags());
    }
    if (active) {
        active->activateWindow();
    }
    return window->answer();
}

} // namespace namenswerk
