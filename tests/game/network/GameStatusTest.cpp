// The status of a game told to whoever asks: the answer's bytes, which a stranger may forge, and
// the host's answers on the loopback, which a flood of queries must not multiply.
#include "tests/support/EventLoop.h"

#include "engine/scene/VORN_Clock.h"
#include "game/network/GameFinder.h"
#include "game/network/GameStatus.h"
#include "game/network/NetworkMessage.h"
#include "game/network/StatusResponder.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using Network::GameStatus;
using VORN_LIB::VORN_Clock;

namespace {

GameStatus sample() {
    GameStatus s;
    s.protocol = Network::protocolVersion;
    s.version = QStringLiteral("1.0.0");
    s.name = QStringLiteral("kiste \u00e4\u00f6\u00fc");
    s.port = 47800;
    s.seated = 2;
    s.wanted = 3;
    s.watchers = 1;
    s.valley = QStringLiteral("random 4711");
    s.wind = GameSettings::Wind::Strong;
    s.weapons = GameSettings::Weapons::All;
    s.password = true;
    return s;
}

} // namespace

TEST(GameStatus, AnAnswerReadsBackAsSentAndNothingElseReadsAsOne) {
    const QByteArray bytes = sample().encode();
    ASSERT_EQ(GameStatus::decode(bytes), sample());
    EXPECT_LE(bytes.size(), Network::mostAnswerBytes);
    // The longest names and valleys still fit, cut where a character begins.
    GameStatus longest = sample();
    longest.name = QString(40, QChar(0x00e4));
    longest.valley = QString(100, QLatin1Char('v'));
    const QByteArray big = longest.encode();
    EXPECT_LE(big.size(), Network::mostAnswerBytes);
    const auto cut = GameStatus::decode(big);
    ASSERT_TRUE(cut.has_value());
    EXPECT_TRUE(longest.name.startsWith(cut->name));
    EXPECT_FALSE(cut->name.isEmpty());

    // Every shorter piece of an answer, one byte more, and every byte changed where a value
    // lies outside what a game can have.
    for (int n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(GameStatus::decode(bytes.left(n))) << n;
    EXPECT_FALSE(GameStatus::decode(bytes + '\0'));
    const int tail = bytes.size();
    const auto changed = [&](int at, char value) {
        QByteArray b = bytes;
        b[at] = value;
        return GameStatus::decode(b).has_value();
    };
    EXPECT_FALSE(changed(2, '?'));        // a query's magic
    EXPECT_FALSE(changed(tail - 1, 2));   // password neither yes nor no
    EXPECT_FALSE(changed(tail - 2, 2));   // weapons beyond the two
    EXPECT_FALSE(changed(tail - 3, 3));   // wind beyond the three
    EXPECT_FALSE(changed(9, char(0xff))); // not UTF-8 in the version
    EXPECT_FALSE(changed(9, '\n'));       // a control character
    GameStatus crowded = sample();
    crowded.seated = 4; // more seated than the game has players
    EXPECT_FALSE(GameStatus::decode(crowded.encode()));

    EXPECT_TRUE(GameStatus::isQuery(GameStatus::query()));
    EXPECT_EQ(GameStatus::query().size(), Network::queryBytes);
    EXPECT_FALSE(GameStatus::isQuery(GameStatus::query().left(4)));
}

TEST(StatusResponder, AnswersEachSenderOnceASecondAndIgnoresEveryOtherDatagram) {
    VORN_Clock::setManual(10000);
    int described = 0;
    StatusResponder responder([&] {
        ++described;
        return sample();
    });
    // The game's port and a shared port of its own, so that no other host of this machine
    // answers here.
    QUdpSocket portFinder;
    ASSERT_TRUE(portFinder.bind(QHostAddress(QHostAddress::LocalHost), 0));
    const quint16 shared = portFinder.localPort();
    portFinder.close();
    ASSERT_TRUE(responder.open(QHostAddress(QHostAddress::LocalHost), 0, shared));

    QUdpSocket asker;
    ASSERT_TRUE(asker.bind(QHostAddress(QHostAddress::LocalHost), 0));
    const auto answers = [&](const QByteArray& datagram, quint16 port, int ms) {
        asker.writeDatagram(datagram, QHostAddress::LocalHost, port);
        int n = 0;
        waitFor(
            [&] {
                while (asker.hasPendingDatagrams()) {
                    const auto status = GameStatus::decode(asker.receiveDatagram().data());
                    n += status && *status == sample();
                }
                return false;
            },
            ms);
        return n;
    };
    // Forms that are not a query: silence, however many.
    for (const QByteArray& wrong : {QByteArray("TV?\x01", 4), GameStatus::query() + 'x',
                                    QByteArray(128, 'T'), sample().encode()})
        EXPECT_EQ(answers(wrong, shared, 150), 0);
    EXPECT_EQ(responder.answered(), 0);

    EXPECT_EQ(answers(GameStatus::query(), shared, 300), 1);
    // Again within the second: no answer to this sender.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(answers(GameStatus::query(), shared, 60), 0);
    VORN_Clock::advance(1000);
    EXPECT_EQ(answers(GameStatus::query(), shared, 300), 1);
    EXPECT_EQ(responder.answered(), 2);
    EXPECT_EQ(described, 2);

    // Many senders in one second (as forged ones would be) get no more than the host's share.
    VORN_Clock::advance(1000);
    std::vector<std::unique_ptr<QUdpSocket>> crowd;
    for (int i = 0; i < StatusResponder::answersPerSecond + 10; ++i) {
        crowd.push_back(std::make_unique<QUdpSocket>());
        ASSERT_TRUE(crowd.back()->bind(QHostAddress(QHostAddress::LocalHost), 0));
        crowd.back()->writeDatagram(GameStatus::query(), QHostAddress::LocalHost, shared);
    }
    const auto answeredCrowd = [&] {
        int n = 0;
        for (const auto& s : crowd)
            n += s->hasPendingDatagrams();
        return n;
    };
    waitFor([&] { return answeredCrowd() >= StatusResponder::answersPerSecond + 10; }, 500);
    EXPECT_EQ(answeredCrowd(), StatusResponder::answersPerSecond);
    VORN_Clock::useReal();
}
