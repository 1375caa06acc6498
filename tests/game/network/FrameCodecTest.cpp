// The wire format alone: every message comes back as it was sent, and bad frames are refused
// with a reason, never decoded into something.
#include "game/network/FrameCodec.h"
#include "game/network/FrameReader.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace Network;

namespace {

Message decoded(const QByteArray& frame) {
    FrameReader reader;
    reader.append(frame);
    std::optional<Message> m = reader.next();
    EXPECT_FALSE(reader.failed()) << qPrintable(reader.error);
    EXPECT_TRUE(m);
    return m ? *m : Message(Bye{});
}

QByteArray frameOf(const QByteArray& body) {
    QByteArray frame(4, '\0');
    qToBigEndian<quint32>(quint32(body.size()), frame.data());
    return frame + body;
}

} // namespace

TEST(FrameCodec, EveryMessageComesBackAsItWasSentAndInPieces) {
    State state;
    state.state = Aiming;
    state.currentPlayer = 3;
    state.currentSlot = 8;
    state.secondsLeft = 41;
    state.msIntoPhase = 12345;
    state.grenadeShown = true;
    state.grenadeX = -12.5f;
    state.aimYaw = 33.25f;
    state.aimPower = 4.5f;
    for (int p = 0; p < 9; ++p)
        for (int s = 0; s < 9; ++s)
            state.figures.append(
                {quint8(p), quint8(s), p * 10.5f, 1.25f, -s * 3.5f, 90.0f, qint16(100 - p)});
    state.messages = {QString(), QStringLiteral("spieler 4"), QStringLiteral("meldet verluste")};
    const QByteArray stateFrame = FrameCodec::encode(state);
    EXPECT_LT(stateFrame.size(), 4096) << "a tick of 81 figures";

    const State back = std::get<State>(decoded(stateFrame));
    EXPECT_EQ(back.state, Aiming);
    EXPECT_EQ(back.currentPlayer, 3);
    EXPECT_EQ(back.currentSlot, 8);
    EXPECT_EQ(back.msIntoPhase, 12345);
    EXPECT_TRUE(back.grenadeShown);
    EXPECT_EQ(back.grenadeX, -12.5f);
    EXPECT_EQ(back.aimYaw, 33.25f);
    ASSERT_EQ(back.figures.size(), 81);
    EXPECT_EQ(back.figures[80].x, 84.0f);
    EXPECT_EQ(back.figures[80].z, -28.0f);
    EXPECT_EQ(back.figures[80].health, 92);
    EXPECT_EQ(back.messages, state.messages);

    TurnCommand c;
    c.yawRate = 30;
    c.driveRate = -2;
    c.step = TurnCommand::Step::Throw;
    const Command command = std::get<Command>(decoded(FrameCodec::encode(Command{4, c})));
    EXPECT_EQ(command.seat, 4);
    EXPECT_EQ(command.command, c);
    EXPECT_EQ(std::get<Hello>(decoded(FrameCodec::encode(Hello{1, QStringLiteral("1.0.0")}))).game,
              QStringLiteral("1.0.0"));
    EXPECT_EQ(std::get<Welcome>(decoded(FrameCodec::encode(Welcome{7}))).seat, 7);
    const Event crater =
        std::get<Event>(decoded(FrameCodec::encode(Event{Event::Crater, 1, 2, 3})));
    EXPECT_EQ(crater.kind, Event::Crater);
    EXPECT_EQ(crater.z, 3.0f);
    const HeightRows rows =
        std::get<HeightRows>(decoded(FrameCodec::encode(HeightRows{100, {0.125, 0.7}})));
    EXPECT_EQ(rows.firstValue, 100u);
    EXPECT_EQ(rows.heights, (QVector<double>{0.125, 0.7}));

    // Frames arriving byte by byte, several in one piece: each comes out once, in order.
    FrameReader reader;
    const QByteArray two = FrameCodec::encode(Welcome{2}) + FrameCodec::encode(KeepAlive{});
    int seen = 0;
    for (char byte : two) {
        reader.append(QByteArray(1, byte));
        while (std::optional<Message> m = reader.next())
            seen += std::holds_alternative<Welcome>(*m) ? 1 : 10;
    }
    EXPECT_EQ(seen, 11);
    EXPECT_FALSE(reader.failed());
}

TEST(FrameCodec, BadFramesAreRefusedWithTheirReason) {
    QByteArray truncatedText = FrameCodec::encode(Hello{1, QStringLiteral("1.0.0")});
    truncatedText.chop(2);
    qToBigEndian<quint32>(quint32(truncatedText.size() - 4), truncatedText.data());
    QByteArray hugeCount = frameOf(QByteArray("\x05", 1) + QByteArray(35, '\0'));
    hugeCount[4 + 1 + 34] = char(0xff); // the figures' count, far beyond what follows
    hugeCount[4 + 1 + 33] = char(0xff);
    QByteArray badRate = FrameCodec::encode(Command{1, TurnCommand()});
    badRate[4 + 1 + 4] = char(0x7f); // the yaw rate's exponent: an enormous number
    badRate[4 + 1 + 5] = char(0xf0);
    const struct Case {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"empty", frameOf(QByteArray()), "empty frame"},
        {"oversized", frameOf(QByteArray(70000, 'x')),
         "frame of 70004 bytes is over the limit of 65536"},
        {"length only", QByteArray("\xff\xff\xff\xff", 4),
         "frame of 4294967299 bytes is over the limit of 65536"},
        {"unknown type", frameOf(QByteArray("\x63", 1)), "unknown frame type 99"},
        {"truncated text", truncatedText, "malformed frame of type 0"},
        {"count beyond the frame", hugeCount, "malformed frame of type 5"},
        {"rate out of reach", badRate, "malformed frame of type 3"},
        {"bytes left over", frameOf(QByteArray("\x0a\x00", 2)),
         "frame of type 10 has bytes left over"},
        {"unknown step",
         frameOf(FrameCodec::encode(Command{1, TurnCommand()}).mid(4).chopped(2) +
                 QByteArray("\x09\x00", 2)),
         "malformed frame of type 3"},
        {"unknown weapon",
         frameOf(FrameCodec::encode(Command{1, TurnCommand()}).mid(4).chopped(1) + "\x06"),
         "malformed frame of type 3"},
        {"a gale",
         frameOf(
             FrameCodec::encode(Arms{}).mid(4).replace(3, 4, QByteArray("\x7f\x80\x00\x00", 4))),
         "malformed frame of type 40"},
    };
    for (const Case& c : cases) {
        FrameReader reader;
        reader.append(c.bytes);
        EXPECT_FALSE(reader.next()) << c.name;
        EXPECT_EQ(reader.error.toStdString(), c.reason) << c.name;
        // A bad stream stays bad: nothing after it is read.
        reader.append(FrameCodec::encode(KeepAlive{}));
        EXPECT_FALSE(reader.next()) << c.name;
    }
}

// The bytes of every message, as the wire holds them: a change to a type number, a field's order
// or width shows here, and must come with a new protocol version.
TEST(FrameCodec, EveryMessageKeepsItsBytes) {
    State state;
    state.state = Flying;
    state.currentPlayer = 1;
    state.currentSlot = 0;
    state.secondsLeft = 5;
    state.msIntoPhase = 300;
    state.grenadeShown = true;
    state.grenadeX = 1.5f;
    state.aimPower = 2.0f;
    state.figures.append({1, 0, 0.5f, 1.0f, -2.0f, 90.0f, 75});
    state.messages = {QStringLiteral("ab")};
    TurnCommand keys;
    keys.yawRate = 30;
    keys.step = TurnCommand::Step::Throw;
    keys.weapon = 3;
    Arms arms;
    arms.wind = GameSettings::Wind::Strong;
    arms.weapons = GameSettings::Weapons::All;
    arms.windX = 0.25f;
    arms.windZ = -0.5f;
    arms.taken = Weapon::Heavy;
    arms.left = {-1, 3, 1, 3, 3};
    HeightRows rows;
    rows.firstValue = 7;
    rows.heights = {0.5};

    const struct {
        const char* name;
        Message message;
        const char* hex;
    } golden[] = {
        {"hello", Hello{2, QStringLiteral("1.0")}, "0000000a 00 00000002 0003 312e30"},
        {"welcome", Welcome{3}, "000000050100000003"},
        {"refused", Refused{QStringLiteral("x"), QStringLiteral("1")}, "000000070200017800 0131"},
        {"command", Command{1, keys},
         "0000001f 03 00000001 403e000000000000 0000000000000000 0000000000000000 02 03"},
        {"start", Start{{1.0f, 0.5f, 0.0f}, 2}, "000000130400033f8000003f0000000000000000000002"},
        {"state", state,
         "0000003f 05 06 01 00 0005 0000012c 01 3fc00000 00000000 00000000 00000000 00000000 "
         "40000000 0001 01 00 3f000000 3f800000 c0000000 42b40000 004b 0001 0002 6162"},
        {"event", Event{Event::Launch, 1.0f, 2.0f, 3.0f}, "0000000e06023f8000004000000040400000"},
        {"checksum", Checksum{0xdeadbeef}, "0000000507deadbeef"},
        {"heightmapRequest", HeightmapRequest{}, "0000000108"},
        {"heightRows", rows, "0000000f0900000007 00013fe0000000000000"},
        {"keepAlive", KeepAlive{}, "000000010a"},
        {"bye", Bye{}, "000000010b"},
        {"arms", arms, "00000011 28 02 01 3e800000 bf000000 02 ff 03 01 03 03"},
        {"blast", Blast{Weapon::Cluster, 1.0f, 2.0f, 3.0f},
         "0000000e 29 01 3f800000 40000000 40400000"},
    };
    for (const auto& g : golden) {
        SCOPED_TRACE(g.name);
        const QByteArray expected = QByteArray::fromHex(QByteArray(g.hex).replace(' ', ""));
        EXPECT_EQ(FrameCodec::encode(g.message).toHex().toStdString(),
                  expected.toHex().toStdString());
        EXPECT_EQ(FrameCodec::encode(decoded(expected)), expected) << "decoded and encoded again";
    }
}
