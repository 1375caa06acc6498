// Hosting from home through a real UPnP router: miniupnpd runs in a "router" namespace that the
// test makes, between a "home" namespace (10.78.0.0/24, where the headless host runs with --upnp)
// and an "outside" one that plays the internet. The host is forwarded by the router, a friend
// outside reaches it at the router's outside address, and the forwarding is gone once the host
// ends by SIGTERM; without a router the host says so and hosts on. Everything the test makes is
// removed however it ends, and every address is one of its own namespaces.
#include "tests/support/EventLoop.h"
#include "tests/support/RunProgram.h"

#include "game/hosting/RouterGateway.h"
#include "game/hosting/RouterPortMapping.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <sched.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// miniupnpd forwards nothing while its outside address is a private or documentation one, so
// the router's outside link has an address of the public kind; that link ends in the test's own
// "outside" namespace, so nothing sent to it can leave the machine.
const QString routerOutside = QStringLiteral("203.0.114.7");
const QString friendOutside = QStringLiteral("203.0.114.1");
const QString homeHost = QStringLiteral("10.78.0.2");

// A program run in a namespace while the test lasts, its output collected; killed at the end.
struct Running {
    QProcess process;
    QString said;
    Running(const QString& ns, const QStringList& command) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        QObject::connect(&process, &QProcess::readyRead,
                         [this] { said += QString::fromUtf8(process.readAll()); });
        process.start(QStringLiteral("ip"), QStringList{"netns", "exec", ns} + command);
    }
    ~Running() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(3000);
        }
    }
    bool saysWithin(const QString& text, int ms) {
        return waitFor([&] { return said.contains(text); }, ms);
    }
};

// The namespaces, links and router of one test, removed however it ends.
class HomeNetwork {
public:
    HomeNetwork() : id(QString::number(getpid())) {}
    ~HomeNetwork() {
        router.reset(); // before its namespace
        for (const QString& ns : {home(), routerSide(), outside()})
            runProgram(QStringLiteral("ip"), {"netns", "del", ns});
    }
    QString home() const { return "tv-home-" + id; }
    QString routerSide() const { return "tv-router-" + id; }
    QString outside() const { return "tv-outside-" + id; }

    // Empty when made; else what failed.
    QString make() {
        const QList<QStringList> steps = {
            {"netns", "add", routerSide()},
            {"netns", "add", home()},
            {"netns", "add", outside()},
            {"-n", routerSide(), "link", "add", "wan0", "type", "veth", "peer", "name", "eth0",
             "netns", outside()},
            {"-n", routerSide(), "link", "add", "lan0", "type", "veth", "peer", "name", "eth0",
             "netns", home()},
            {"-n", routerSide(), "addr", "add", routerOutside + "/24", "dev", "wan0"},
            {"-n", outside(), "addr", "add", friendOutside + "/24", "dev", "eth0"},
            {"-n", routerSide(), "addr", "add", "10.78.0.1/24", "dev", "lan0"},
            {"-n", home(), "addr", "add", homeHost + "/24", "dev", "eth0"},
            {"-n", routerSide(), "link", "set", "wan0", "up"},
            {"-n", routerSide(), "link", "set", "lan0", "up"},
            {"-n", routerSide(), "link", "set", "lo", "up"},
            {"-n", outside(), "link", "set", "eth0", "up"},
            {"-n", home(), "link", "set", "eth0", "up"},
            {"-n", home(), "link", "set", "lo", "up"},
            // The router is the home's way out (and to the search's multicast group).
            {"-n", home(), "route", "add", "default", "via", "10.78.0.1"},
        };
        for (const QStringList& step : steps) {
            QString out;
            if (runProgram(QStringLiteral("ip"), step, &out) != 0)
                return "ip " + step.join(' ') + ": " + out;
        }
        return QString();
    }

    // Starts miniupnpd in the router namespace: its tables first (the router's forwarding and
    // address translation, into which it puts its rules), then its own configuration. Empty
    // when it listens; else what failed.
    QString startRouter() {
        if (!folder.isValid())
            return QStringLiteral("no temporary folder");
        QFile rules(folder.filePath(QStringLiteral("router.nft")));
        QFile config(folder.filePath(QStringLiteral("miniupnpd.conf")));
        if (!rules.open(QIODevice::WriteOnly) || !config.open(QIODevice::WriteOnly))
            return QStringLiteral("cannot write into ") + folder.path();
        rules.write("table inet tv {\n"
                    "  chain forward { type filter hook forward priority 0; policy drop;\n"
                    "    ct state established,related accept; jump miniupnpd; }\n"
                    "  chain miniupnpd { }\n"
                    "  chain prerouting { type nat hook prerouting priority -100;\n"
                    "    jump prerouting_miniupnpd; }\n"
                    "  chain postrouting { type nat hook postrouting priority 100;\n"
                    "    jump postrouting_miniupnpd; }\n"
                    "  chain prerouting_miniupnpd { }\n"
                    "  chain postrouting_miniupnpd { }\n"
                    "}\n");
        rules.close();
        config.write(QStringLiteral("ext_ifname=wan0\n"
                                    "listening_ip=lan0\n"
                                    "http_port=0\n"
                                    "enable_upnp=yes\n"
                                    "enable_natpmp=no\n"
                                    "secure_mode=yes\n"
                                    "system_uptime=yes\n"
                                    "uuid=5b1f0c1e-7a43-4c55-9d8e-0e7a3c2b9f10\n"
                                    "upnp_table_name=tv\n"
                                    "upnp_nat_table_name=tv\n"
                                    "lease_file=%1\n"
                                    "allow 1024-65535 10.78.0.0/24 1024-65535\n"
                                    "deny 0-65535 0.0.0.0/0 0-65535\n")
                         .arg(leaseFile())
                         .toUtf8());
        config.close();
        QString out;
        const QStringList inRouter{"netns", "exec", routerSide()};
        if (runProgram(QStringLiteral("ip"), inRouter + QStringList{"nft", "-f", rules.fileName()},
                       &out) != 0)
            return "nft: " + out;
        if (runProgram(QStringLiteral("ip"),
                       inRouter + QStringList{"sysctl", "-q", "-w", "net.ipv4.ip_forward=1"},
                       &out) != 0)
            return "sysctl: " + out;
        router = std::make_unique<Running>(
            routerSide(), QStringList{QStringLiteral("miniupnpd"), "-d", "-f", config.fileName(),
                                      "-P", folder.filePath(QStringLiteral("miniupnpd.pid"))});
        if (!router->saysWithin(QStringLiteral("HTTP listening on port"), 5000))
            return "miniupnpd: " + router->said;
        return QString();
    }

    QString leaseFile() const { return folder.filePath(QStringLiteral("leases")); }
    QString leases() const {
        QFile f(leaseFile());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    // The router's address translation: what comes to its outside and where it goes.
    QString translation() const {
        QString out;
        runProgram(QStringLiteral("ip"),
                   {"netns", "exec", routerSide(), "nft", "list", "chain", "inet", "tv",
                    "prerouting_miniupnpd"},
                   &out);
        return out;
    }

    std::unique_ptr<Running> router;

private:
    QString id;
    QTemporaryDir folder;
};

// Whether this machine can make the namespaces and run the router; else why not.
QString missingTools() {
    if (!RouterGateway::builtIn())
        return QStringLiteral("built without libminiupnpc (TV_UPNP)");
    if (geteuid() != 0)
        return QStringLiteral("needs root for network namespaces");
    for (const char* tool : {"ip", "nft", "miniupnpd"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty() &&
            QStandardPaths::findExecutable(QLatin1String(tool),
                                           {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
                .isEmpty())
            return QStringLiteral("needs %1 (scripts/setup installs it)").arg(QLatin1String(tool));
    return QString();
}

// This thread in a namespace of the test, and back where it was at the end. A thread it makes
// meanwhile is made in that namespace, and stays there.
class InNamespace {
public:
    explicit InNamespace(const QString& name)
        : before(::open("/proc/thread-self/ns/net", O_RDONLY)) {
        const int into = ::open(qPrintable("/var/run/netns/" + name), O_RDONLY);
        entered = before >= 0 && into >= 0 && setns(into, CLONE_NEWNET) == 0;
        if (into >= 0)
            ::close(into);
    }
    ~InNamespace() {
        if (entered)
            setns(before, CLONE_NEWNET);
        if (before >= 0)
            ::close(before);
    }
    bool entered = false;

private:
    int before;
};

QStringList host() {
    return {QDir::current().absoluteFilePath(QStringLiteral("tortoise-valley")), "--server", "0",
            "--upnp"};
}

// Each test's namespaces, made before it and removed after it; a test is skipped where the tools
// or namespaces are missing.
class RouterForwarding : public ::testing::Test {
protected:
    void SetUp() override {
        const QString missing = missingTools();
        if (!missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        const QString failed = net.make();
        if (!failed.isEmpty())
            GTEST_SKIP() << "no network namespaces here: " << failed.toStdString();
    }
    HomeNetwork net;
};

} // namespace

TEST_F(RouterForwarding, TheRouterForwardsTheHostToTheOutsideUntilTheHostEnds) {
    const QString routerFailed = net.startRouter();
    ASSERT_TRUE(routerFailed.isEmpty()) << routerFailed.toStdString();

    Running server(net.home(), host());
    const QRegularExpression reachable(
        QStringLiteral("upnp: reachable at 203\\.0\\.114\\.7:(\\d+) \\(the router forwards port "
                       "(\\d+) for 3600 s\\)"));
    ASSERT_TRUE(waitFor([&] { return reachable.match(server.said).hasMatch(); }, 10000))
        << server.said.toStdString();
    const QString port = reachable.match(server.said).captured(1);
    EXPECT_EQ(reachable.match(server.said).captured(2), port);

    // The router keeps both, the game's TCP and the status answers' UDP, and translates them.
    const QString leases = net.leases();
    EXPECT_TRUE(leases.contains(QStringLiteral("TCP:%1:%2:%1:").arg(port, homeHost)))
        << leases.toStdString();
    EXPECT_TRUE(leases.contains(QStringLiteral("UDP:%1:%2:%1:").arg(port, homeHost)))
        << leases.toStdString();
    EXPECT_EQ(net.translation().count(QStringLiteral("dnat ip to %1:%2").arg(homeHost, port)), 2)
        << net.translation().toStdString();

    // A friend outside asks at the router's outside address and is answered by the host at
    // home; the game's port takes a connection there too.
    QString status;
    EXPECT_EQ(runProgram(QStringLiteral("ip"),
                         {"netns", "exec", net.outside(),
                          QDir::current().absoluteFilePath("tortoise-valley"), "--query",
                          routerOutside + ":" + port},
                         &status),
              0)
        << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("players: 0 of 2"))) << status.toStdString();
    EXPECT_EQ(runProgram(QStringLiteral("ip"),
                         {"netns", "exec", net.outside(), "timeout", "3", "bash", "-c",
                          QStringLiteral("exec 3<>/dev/tcp/%1/%2").arg(routerOutside, port)}),
              0);

    server.process.terminate();
    ASSERT_TRUE(server.process.waitForFinished(10000));
    EXPECT_TRUE(server.said.contains(
        QStringLiteral("upnp: the router no longer forwards port %1").arg(port)))
        << server.said.toStdString();
    EXPECT_TRUE(server.said.contains(QStringLiteral("stopping: SIGTERM")));
    EXPECT_FALSE(net.leases().contains(QStringLiteral(":%1:%2:").arg(port, homeHost)))
        << net.leases().toStdString();
    EXPECT_FALSE(net.translation().contains(QStringLiteral("dnat")))
        << net.translation().toStdString();
}

TEST_F(RouterForwarding, WithoutARouterTheHostSaysSoAndHostsOn) {
    // no miniupnpd in the home network

    Running server(net.home(), host());
    const QRegularExpression hosting(QStringLiteral("hosting on port (\\d+)"));
    ASSERT_TRUE(waitFor([&] { return hosting.match(server.said).hasMatch(); }, 10000))
        << server.said.toStdString();
    const QString port = hosting.match(server.said).captured(1);
    ASSERT_TRUE(server.saysWithin(
        QStringLiteral("upnp: no router for upnp found; hosting on without it"), 5000))
        << server.said.toStdString();
    // The host is still answered, at once also at home, where the way out leads nowhere (a
    // name server asked for its address's name would never answer).
    QString status;
    EXPECT_EQ(runProgram(QStringLiteral("ip"),
                         {"netns", "exec", net.home(),
                          QDir::current().absoluteFilePath("tortoise-valley"), "--query",
                          homeHost + ":" + port},
                         &status, 5000),
              0)
        << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("players: 0 of 2"))) << status.toStdString();
    server.process.terminate();
    EXPECT_TRUE(server.process.waitForFinished(5000));
    EXPECT_FALSE(server.said.contains(QStringLiteral("no longer forwards")));
}

// The forwarding in this process, its router thread made at home: renewed at half its lease (the
// clock's reading given by hand), not before; a renewal the router does not answer keeps the
// forwarding and says why; and a forwarding dropped before its answer came is dropped at the
// router too and never said to be open.
TEST_F(RouterForwarding, TheForwardingIsRenewedAtHalfItsLeaseAndDroppedWhenClosedEarly) {
    using State = RouterPortMapping::State;
    const QString routerFailed = net.startRouter();
    ASSERT_TRUE(routerFailed.isEmpty()) << routerFailed.toStdString();
    InNamespace atHome(net.home());
    ASSERT_TRUE(atHome.entered);

    {
        RouterPortMapping early;
        bool earlyOpened = false;
        QObject::connect(&early, &RouterPortMapping::opened, [&] { earlyOpened = true; });
        early.open(47801);
        early.close(); // waits for the ask before it, then drops what it got
        EXPECT_EQ(early.state(), State::Off);
        EXPECT_FALSE(net.leases().contains(QStringLiteral(":47801:")))
            << net.leases().toStdString();
        QCoreApplication::processEvents();
        EXPECT_FALSE(earlyOpened);
    }

    RouterPortMapping mapping;
    std::vector<std::pair<QString, bool>> opened;
    std::vector<State> failures;
    QObject::connect(&mapping, &RouterPortMapping::opened,
                     [&](const QString& at, bool renewed) { opened.emplace_back(at, renewed); });
    QObject::connect(&mapping, &RouterPortMapping::failed,
                     [&](State state, const QString&) { failures.push_back(state); });
    mapping.open(47800);
    EXPECT_EQ(mapping.state(), State::Searching);
    ASSERT_TRUE(waitFor([&] { return !opened.empty(); }, 5000)) << net.router->said.toStdString();
    const VORN_LIB::VORN_Clock::Ticks openedAt = VORN_LIB::VORN_Clock::now();
    EXPECT_EQ(opened[0], std::make_pair(routerOutside + ":47800", false));
    EXPECT_EQ(mapping.state(), State::Open);
    EXPECT_EQ(mapping.outside(), routerOutside + ":47800");

    const VORN_LIB::VORN_Clock::Ticks half = RouterPortMapping::leaseSeconds * 1000L / 2;
    mapping.tick(openedAt + half - 5000);
    EXPECT_FALSE(waitFor([&] { return opened.size() > 1; }, 1500)) << "renewed too early";
    mapping.tick(openedAt + half + 1000);
    ASSERT_TRUE(waitFor([&] { return opened.size() > 1; }, 5000));
    EXPECT_EQ(opened[1], std::make_pair(routerOutside + ":47800", true));
    EXPECT_EQ(net.router->said.count(QStringLiteral("AddPortMapping: ext port 47800")), 4)
        << net.router->said.toStdString(); // TCP and UDP, twice

    net.router.reset(); // the router goes away
    mapping.tick(openedAt + 2 * half + 5000);
    ASSERT_TRUE(waitFor([&] { return !failures.empty(); }, 5000));
    EXPECT_EQ(failures[0], State::NoRouter);
    EXPECT_EQ(mapping.state(), State::Open); // as long as the lease runs
    EXPECT_EQ(opened.size(), 2u);
}
