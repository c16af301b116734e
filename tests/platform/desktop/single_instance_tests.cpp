#include "platform/desktop/single_instance.h"
#include "tests/support/temp_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namenswerk::test::TempFolder;

namespace namenswerk::platform {
namespace {

// A later start is another process; here it runs on its own thread while
// this one keeps the event loop of the first instance going.
bool startAgain(const QString &serverName, const QStringList &paths = {})
{
    auto later = std::async(std::launch::async, [serverName, paths] {
        return SingleInstance(serverName).tryBecomePrimary(paths);
    });
    while (later.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return later.get();
}

// What a crashed first instance leaves behind: a socket file nobody listens on.
void leaveStaleSocket(const QString &path)
{
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    ASSERT_LT(static_cast<std::size_t>(encoded.size()), sizeof address.sun_path);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, encoded.constData(), static_cast<std::size_t>(encoded.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(socket);
}

TEST(SingleInstance, ALaterStartAsksTheFirstToRaiseAndEnds)
{
    const TempFolder temp;
    const QString name = temp.file(u"instance"_s);
    SingleInstance first(name);
    ASSERT_TRUE(first.tryBecomePrimary());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    EXPECT_FALSE(startAgain(name));
    if (raised.isEmpty()) {
        raised.wait();
    }
    ASSERT_EQ(raised.count(), 1);
    EXPECT_TRUE(raised.at(0).at(0).toStringList().isEmpty());
}

TEST(SingleInstance, ALaterStartHandsOverItsPathsMadeAbsolute)
{
    const TempFolder temp;
    const QString name = temp.file(u"instance"_s);
    SingleInstance first(name);
    ASSERT_TRUE(first.tryBecomePrimary());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);
    // Names with blanks, a line break, a percent sign and umlauts.
    const QStringList withBreak{u"/tmp/a b.jpg"_s, u"/tmp/line\nbreak%25.txt"_s, u"/tmp/Äpfel/"_s};

    EXPECT_FALSE(startAgain(name, withBreak + QStringList{u"relative.txt"_s}));
    if (raised.isEmpty()) {
        raised.wait();
    }
    ASSERT_EQ(raised.count(), 1);
    const QStringList received = raised.at(0).at(0).toStringList();
    ASSERT_EQ(received.size(), 4);
    EXPECT_EQ(received.mid(0, 3), withBreak);
    EXPECT_EQ(received.at(3), QDir::current().absoluteFilePath(u"relative.txt"_s));
}

TEST(SingleInstance, TakesOverTheSocketACrashedRunLeftBehind)
{
    const TempFolder temp;
    const QString name = temp.file(u"instance"_s);
    leaveStaleSocket(name);
    ASSERT_TRUE(QFile::exists(name));

    SingleInstance first(name);
    EXPECT_TRUE(first.tryBecomePrimary());
    EXPECT_FALSE(startAgain(name)) << "the new first instance answers later starts";
}

TEST(SingleInstance, TheNextStartAfterTheFirstEndedIsFirstAgain)
{
    const TempFolder temp;
    const QString name = temp.file(u"instance"_s);
    {
        SingleInstance ended(name);
        ASSERT_TRUE(ended.tryBecomePrimary());
    }
    SingleInstance next(name);
    EXPECT_TRUE(next.tryBecomePrimary());
}

TEST(SingleInstance, StartsEvenWhereNoSocketCanBeMade)
{
    const TempFolder temp;
    SingleInstance first(temp.file(u"missing/instance"_s));
    EXPECT_TRUE(first.tryBecomePrimary());
}

} // namespace
} // namespace namenswerk::platform
