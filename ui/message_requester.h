#pragma once

#include "settings/requester.h"

#include <QPointer>

class QWidget;

namespace namenswerk {

class RequesterDialog;

// Asks the user in the program's own modal dialog, centred over the window
// that was active. The dialog is made on the first question and reused.
class MessageRequester final : public Requester {
public:
    // owner: parent of the dialog window; may be null.
    explicit MessageRequester(QWidget *owner = nullptr);
    ~MessageRequester() override;
    MessageRequester(const MessageRequester &) = delete;
    MessageRequester &operator=(const MessageRequester &) = delete;
    MessageRequester(MessageRequester &&) = delete;
    MessageRequester &operator=(MessageRequester &&) = delete;

    Answer ask(const Request &request) override;

    // The dialog window, made on first use.
    RequesterDialog *dialog();

private:
    QPointer<QWidget> owner_;
    QPointer<RequesterDialog> dialog_;
};

} // namespace namenswerk
