// Host addresses as people type them, on the command line and in the network menu, and joins over
// IPv6 and by name on this machine's loopback.
#include "game/network/HostAddress.h"
#include "game/network/NetworkClient.h"
#include "game/network/NetworkHost.h"
#include "tests/support/EventLoop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <optional>
#include <utility>

namespace {

struct Typed {
    const char* name;
    const char* text;
    const char* host; // null: refused
    quint16 port;
};

const Typed typed[] = {
    {"ipv4", "192.168.0.7", "192.168.0.7", 47800},
    {"ipv4WithPort", "127.0.0.1:5000", "127.0.0.1", 5000},
    {"name", "localhost", "localhost", 47800},
    {"nameWithPort", "game-host.example:47801", "game-host.example", 47801},
    {"ipv6", "::1", "::1", 47800},
    {"ipv6Bracketed", "[::1]", "::1", 47800},
    {"ipv6WithPort", "[::1]:47811", "::1", 47811},
    {"ipv6Full", "[fe80::1:2]:9", "fe80::1:2", 9},
    {"portTooLarge", "localhost:70000", nullptr, 0},
    {"portMissing", "localhost:", nullptr, 0},
    {"bracketNotClosed", "[::1:47800", nullptr, 0},
    {"noHost", ":47800", nullptr, 0},
    {"spaceInName", "my host", nullptr, 0},
    // Invite links, as the desktop hands them over.
    {"link", "tortoise-valley://192.168.0.7:47801", "192.168.0.7", 47801},
    {"linkIpv6WithSlash", "Tortoise-Valley://[::1]:47811/", "::1", 47811},
    {"linkWithoutPort", "tortoise-valley://localhost", "localhost", 47800},
    {"linkWithPath", "tortoise-valley://localhost:47800/join", nullptr, 0},
    {"linkWithoutHost", "tortoise-valley://", nullptr, 0},
};

class HostAddressTest : public ::testing::TestWithParam<Typed> {};

} // namespace

TEST_P(HostAddressTest, ReadsWhatPeopleType) {
    const Typed& t = GetParam();
    const HostAddress address = HostAddress::parse(QString::fromUtf8(t.text), 47800);
    if (!t.host) {
        EXPECT_FALSE(address.error.isEmpty()) << address.host.toStdString();
        return;
    }
    EXPECT_EQ(address.error.toStdString(), "");
    EXPECT_EQ(address.host.toStdString(), t.host);
    EXPECT_EQ(address.port, t.port);
}

INSTANTIATE_TEST_SUITE_P(Addresses, HostAddressTest, ::testing::ValuesIn(typed),
                         [](const ::testing::TestParamInfo<Typed>& info) {
                             return std::string(info.param.name);
                         });

TEST(HostAddressLink, ALinkReadsBackAsTheAddressItWasMadeOf) {
    for (const auto& [host, port] : {std::pair<const char*, quint16>{"192.168.0.7", 47800},
                                     {"fe80::1:2", 9},
                                     {"game-host.example", 65535}}) {
        const QString link = HostAddress::link(QString::fromLatin1(host), port);
        EXPECT_TRUE(HostAddress::isLink(link)) << link.toStdString();
        const HostAddress read = HostAddress::parse(link, 1);
        EXPECT_EQ(read.error.toStdString(), "") << link.toStdString();
        EXPECT_EQ(read.host.toStdString(), host);
        EXPECT_EQ(read.port, port);
    }
    EXPECT_EQ(HostAddress::link(QStringLiteral("::1"), 47800).toStdString(),
              "tortoise-valley://[::1]:47800");
}

TEST(HostAddressJoin, APortWhereNothingListensIsToldApartFromALostGame) {
    quint16 closedPort = 0;
    {
        NetworkHost probe; // a free port, closed again at once
        ASSERT_TRUE(probe.listen(0));
        closedPort = probe.port();
    }
    NetworkClient client;
    bool lost = false;
    std::optional<NetworkClient::Failure> failure;
    QObject::connect(&client, &NetworkClient::lost, [&] { lost = true; });
    QObject::connect(&client, &NetworkClient::failed,
                     [&](NetworkClient::Failure f) { failure = f; });
    client.connectTo(QStringLiteral("127.0.0.1"), closedPort);
    ASSERT_TRUE(waitFor([&] { return failure.has_value() || lost; }));
    EXPECT_FALSE(lost);
    EXPECT_EQ(failure, NetworkClient::Failure::Refused);
}

TEST(HostAddressJoin, AHostIsReachedOverIPv6AndByName) {
    NetworkHost host;
    ASSERT_TRUE(host.listen(0));
    for (const char* text : {"[::1]", "localhost"}) {
        SCOPED_TRACE(text);
        const HostAddress address = HostAddress::parse(QString(text), host.port());
        NetworkClient client;
        client.connectTo(address.host, address.port);
        EXPECT_TRUE(waitFor([&] { return client.seat >= 1; }));
        client.leave();
        EXPECT_TRUE(waitFor([&] { return host.joinedCount() == 0; }));
    }
}
