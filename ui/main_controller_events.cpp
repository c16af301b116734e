// Events that are no control's signal: the close box and right clicks on the
// menu buttons. Drops and cell tips are the list view's own.

#include "ui/main_controller.h"
#include "ui/main_window.h"

#include <QMouseEvent>
#include <QPushButton>

namespace namenswerk {

bool MainController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &window_) {
        if (event->type() == QEvent::Close) {
            // Ending is the close command's job, whichever way it is asked for.
            event->ignore();
            execute(Command::Close);
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<const QMouseEvent &>(*event).button() == Qt::RightButton) {
        if (watched == window_.button(control::ProfileButton)) {
            execute(Command::ShowProfileMenu);
            return true;
        }
        if (watched == window_.button(control::FilterButton)) {
            execute(Command::ShowFilterMenu);
            return true;
        }
    }
    return false;
}

} // namespace namenswerk
