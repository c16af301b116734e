// Events that are no control's signal: the close box, files dropped on the
// list, the list's cell tips and right clicks on the menu buttons.

#include "ui/list_commands.h"
#include "ui/main_controller.h"
#include "ui/main_window.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMimeData>
#include <QPushButton>
#include <QToolTip>
#include <QTreeView>
#include <QUrl>

namespace namenswerk {

namespace {

// The local paths of a drag from a file manager; empty for anything else.
QStringList droppedPaths(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile()) {
            return {};
        }
        paths.append(url.toLocalFile());
    }
    return paths;
}

bool acceptDrag(QDropEvent &event)
{
    if (droppedPaths(event.mimeData()).isEmpty()) {
        event.ignore();
    } else {
        event.acceptProposedAction();
    }
    return true;
}

} // namespace

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
    QTreeView *view = window_.fileListView();
    if (watched == view->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            return acceptDrag(static_cast<QDropEvent &>(*event));
        case QEvent::Drop: {
            auto &drop = static_cast<QDropEvent &>(*event);
            const QStringList paths = droppedPaths(drop.mimeData());
            if (!paths.isEmpty()) {
                drop.acceptProposedAction();
                dropFiles(paths);
            }
            return true;
        }
        case QEvent::ToolTip: {
            const auto &help = static_cast<const QHelpEvent &>(*event);
            const QModelIndex cell = view->indexAt(help.pos());
            const bool shift = QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
            const QString tip = cell.isValid()
                                    ? hoverTipText(list_, cell.row(), cell.column(), shift)
                                    : hoverTipText(list_, -1, -1, shift);
            if (tip.isEmpty()) {
                QToolTip::hideText();
            } else {
                QToolTip::showText(help.globalPos(), tip, view->viewport());
            }
            return true;
        }
        default:
            return false;
        }
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
