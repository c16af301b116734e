#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalSocket;

namespace namenswerk::platform {

// One running program per user: the first start listens on a local socket,
// a later start finds it there, hands over the paths from its command line,
// asks it to raise its window and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // `serverName` is the socket's path; tests pass one of their own.
    explicit SingleInstance(QString serverName = defaultServerName(), QObject *parent = nullptr);

    // True when no other start answered: this process goes on and, as far
    // as the socket could be made, answers later starts. False when another
    // one answered; it was given `paths` (made absolute against this
    // process's folder) and asked to raise its window, and this process
    // should end.
    bool tryBecomePrimary(const QStringList &paths = {});

    // A socket in the user's own runtime folder, so that other users can
    // neither see nor occupy it.
    static QString defaultServerName();

Q_SIGNALS:
    // A later start asked for the window, handing over these paths (often none).
    void raiseRequested(const QStringList &paths);

private:
    bool askPrimaryToRaise(const QStringList &paths);
    void listen();
    void answer(QLocalSocket *connection);
    void read(QLocalSocket *connection);

    QString serverName_;
    QLocalServer server_;
};

} // namespace namenswerk::platform
