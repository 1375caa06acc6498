// The local list across a real network: two network namespaces on one bridge (a third namespace
// holds it), made by the test and removed after it, with addresses of their own. A headless host
// in one is listed with its settings in the other, and a query of the wrong form gets nothing.
#include "tests/support/EventLoop.h"
#include "tests/support/RunProgram.h"

#include "game/network/GameStatus.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The namespaces and links of one test, removed however it ends.
class TwoMachines {
public:
    TwoMachines() : id(QString::number(getpid())) {}
    ~TwoMachines() {
        for (const QString& ns : {host(), guest(), lan()})
            runProgram(QStringLiteral("ip"), {"netns", "del", ns});
    }
    QString host() const { return "tv-host-" + id; }
    QString guest() const { return "tv-guest-" + id; }
    QString lan() const { return "tv-lan-" + id; }

    // Empty when made; else what failed.
    QString make() {
        const QString hostEnd = "tvh" + id, guestEnd = "tvg" + id;
        const QList<QStringList> steps = {
            {"netns", "add", lan()},
            {"netns", "add", host()},
            {"netns", "add", guest()},
            {"-n", lan(), "link", "add", "br0", "type", "bridge"},
            {"-n", lan(), "link", "set", "br0", "up"},
            {"-n", host(), "link", "add", "eth0", "type", "veth", "peer", "name", hostEnd, "netns",
             lan()},
            {"-n", guest(), "link", "add", "eth0", "type", "veth", "peer", "name", guestEnd,
             "netns", lan()},
            {"-n", lan(), "link", "set", hostEnd, "master", "br0", "up"},
            {"-n", lan(), "link", "set", guestEnd, "master", "br0", "up"},
            {"-n", host(), "addr", "add", "10.77.0.1/24", "broadcast", "10.77.0.255", "dev",
             "eth0"},
            {"-n", guest(), "addr", "add", "10.77.0.2/24", "broadcast", "10.77.0.255", "dev",
             "eth0"},
            {"-n", host(), "link", "set", "eth0", "up"},
            {"-n", guest(), "link", "set", "eth0", "up"},
            {"-n", host(), "link", "set", "lo", "up"},
            {"-n", guest(), "link", "set", "lo", "up"},
        };
        for (const QStringList& step : steps) {
            QString out;
            if (runProgram(QStringLiteral("ip"), step, &out) != 0)
                return "ip " + step.join(' ') + ": " + out;
        }
        return QString();
    }

private:
    QString id;
};

} // namespace

TEST(LocalList, AHostInOneNamespaceIsListedInTheOtherAndABadQueryGetsNothing) {
    if (geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("ip")).isEmpty())
        GTEST_SKIP() << "needs root and ip(8) for network namespaces";
    TwoMachines machines;
    const QString failed = machines.make();
    if (!failed.isEmpty())
        GTEST_SKIP() << "no network namespaces here: " << failed.toStdString();

    QProcess server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    server.setProcessEnvironment(env);
    QString said;
    QObject::connect(&server, &QProcess::readyReadStandardOutput,
                     [&] { said += QString::fromUtf8(server.readAllStandardOutput()); });
    server.start(QStringLiteral("ip"),
                 {"netns", "exec", machines.host(), "./tortoise-valley", "--server", "0", "--name",
                  "im-keller", "--wind", "light", "--weapons", "all", "--players", "3"});
    ASSERT_TRUE(server.waitForStarted(5000));
    const QRegularExpression hosting(QStringLiteral("hosting on port (\\d+)"));
    ASSERT_TRUE(waitFor([&] { return hosting.match(said).hasMatch(); }, 10000))
        << said.toStdString();
    const QString port = hosting.match(said).captured(1);

    QString listed;
    ASSERT_EQ(runProgram(QStringLiteral("ip"),
                         {"netns", "exec", machines.guest(), "./tortoise-valley", "--list"},
                         &listed),
              0)
        << listed.toStdString();
    for (const QString& line :
         {QStringLiteral("name: im-keller\n"), "address: 10.77.0.1:" + port + "\n",
          QStringLiteral("players: 0 of 3\n"), QStringLiteral("wind: light\n"),
          QStringLiteral("weapons: all\n"), QStringLiteral("games: 1\n")})
        EXPECT_TRUE(listed.contains(line)) << line.toStdString() << " in\n" << listed.toStdString();

    // Straight to the shared port from the other machine: the query's own form is answered, a
    // short one is not.
    const auto asked = [&](const QByteArray& datagram) {
        QString escaped;
        for (char c : datagram)
            escaped += QStringLiteral("\\%1").arg(quint8(c), 3, 8, QLatin1Char('0'));
        QString out;
        runProgram(QStringLiteral("ip"),
                   {"netns", "exec", machines.guest(), "bash", "-c",
                    QStringLiteral(
                        "exec 3<>/dev/udp/10.77.0.1/%1; printf '%2' >&3; timeout 1 head -c 3 <&3")
                        .arg(Network::findPort)
                        .arg(escaped)},
                   &out);
        return out;
    };
    EXPECT_EQ(asked(Network::GameStatus::query()), "TV!");
    EXPECT_EQ(asked(Network::GameStatus::query().left(4)), "");

    server.terminate();
    EXPECT_TRUE(server.waitForFinished(5000));
}
