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
    QPointer<QWidget> active = QApplication::activeWindow();
    if (active == window) {
        active = nullptr;
    }
    window->prepare(request, active);
    window->exec();
    if (active) {
        active->activateWindow();
    }
    return window->answer();
}

} // namespace namenswerk
