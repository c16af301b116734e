#include "ui/add_progress.h"

#include <QProgressDialog>

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

// Longer than a blink, shorter than the wait after which a window that does
// not answer looks hung.
constexpr int ShowAfterMilliseconds = 400;

} // namespace

AddProgressWindow::AddProgressWindow(QWidget *owner, const QString &title, int total)
    : dialog_(std::make_unique<QProgressDialog>(u"Dateien werden hinzugefügt…"_s, u"&Abbrechen"_s,
                                                0, total, owner))
{
    dialog_->setWindowTitle(title);
    // Modal to the window, so that nothing in it can change the list while
    // the dialog lets events through.
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(ShowAfterMilliseconds);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setValue(0); // starts the clock that decides whether to show
}

AddProgressWindow::~AddProgressWindow() = default;

bool AddProgressWindow::advance(int done)
{
    dialog_->setValue(done);
    return !dialog_->wasCanceled();
}

} // namespace namenswerk
