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
    state.time = 5000000123;
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
    const QByteArray stateFrame = FrameCodec::encode(state);
    EXPECT_LT(stateFrame.size(), 4096) << "a tick of 81 figures";

    const State back = std::get<State>(decoded(stateFrame));
    EXPECT_EQ(back.time, 5000000123);
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

    // The largest snapshot there can be fits one frame: nine players of nine figures, a full log
    // of the longest lines and every crater it may carry, each crater exactly as it was dug.
    Snapshot whole;
    whole.state = Flying;
    whole.currentPlayer = 8;
    whole.figuresEach = 9;
    whole.colours = QVector<float>(27, 0.5f);
    whole.figures = state.figures;
    for (int i = 0; i < 6; ++i)
        whole.log.append({quint8(i), qint8(i - 1), QString(2000, QLatin1Char('x'))});
    for (int i = 0; i < snapshotCraters; ++i)
        whole.craters.append({i * 0.1, 1.0 / 3.0, -i * 0.7});
    whole.groundSum = 0x12345678;
    const QByteArray wholeFrame = FrameCodec::encode(whole);
    EXPECT_LE(wholeFrame.size(), frameLimit);
    const Snapshot again = std::get<Snapshot>(decoded(wholeFrame));
    EXPECT_EQ(again.state, Flying);
    EXPECT_EQ(again.currentPlayer, 8);
    EXPECT_EQ(again.colours, whole.colours);
    ASSERT_EQ(again.figures.size(), 81);
    EXPECT_EQ(again.figures[80].health, 92);
    ASSERT_EQ(again.log.size(), 6);
    EXPECT_EQ(again.log[5].text, 5);
    EXPECT_EQ(again.log[5].player, 4);
    EXPECT_EQ(again.log[0].player, -1);
    EXPECT_EQ(again.log[5].detail.size(), 1024) << "a text is cut to its limit, not the frame";
    ASSERT_EQ(again.craters.size(), snapshotCraters);
    EXPECT_EQ(again.craters[1999].x, 1999 * 0.1);
    EXPECT_EQ(again.craters[3].y, 1.0 / 3.0);
    EXPECT_EQ(again.groundSum, 0x12345678u);
    EXPECT_TRUE(again.cratersWhole);

    TurnCommand c;
    c.yawRate = 30;
    c.driveRate = -2;
    const Command command = std::get<Command>(decoded(FrameCodec::encode(Command{4, c})));
    EXPECT_EQ(command.seat, 4);
    EXPECT_EQ(command.command, c);
    const Step step =
        std::get<Step>(decoded(FrameCodec::encode(Step{4, 70000, TurnCommand::Step::Throw})));
    EXPECT_EQ(step.seat, 4);
    EXPECT_EQ(step.number, 70000u);
    EXPECT_EQ(step.step, TurnCommand::Step::Throw);
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
    truncatedText.chop(4); // the password's length and the end of the version
    qToBigEndian<quint32>(quint32(truncatedText.size() - 4), truncatedText.data());
    QByteArray hugeCount = frameOf(QByteArray("\x05", 1) + QByteArray(43, '\0'));
    hugeCount[4 + 1 + 42] = char(0xff); // the figures' count, far beyond what follows
    hugeCount[4 + 1 + 41] = char(0xff);
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
        {"refusal for no known reason", frameOf(QByteArray("\x02\x07\x00\x00", 4)),
         "malformed frame of type 2"},
        {"log line about player 9", frameOf(QByteArray("\x0c\x00\x01\x04\x09\x00\x00", 7)),
         "malformed frame of type 12"},
        {"unknown step",
         frameOf(FrameCodec::encode(Step{1, 1, TurnCommand::Step::Throw}).mid(4).chopped(1) +
                 "\x09"),
         "malformed frame of type 20"},
        {"a step of nothing",
         frameOf(FrameCodec::encode(Step{1, 1, TurnCommand::Step::Throw}).mid(4).chopped(1) +
                 QByteArray(1, '\0')),
         "malformed frame of type 20"},
        {"random valley without its number",
         frameOf(QByteArray::fromHex("24 01 00000000 0000 00 00")), "malformed frame of type 36"},
        {"valley's heights not its size",
         frameOf(QByteArray::fromHex("25 0002 0002 00000003 004080")),
         "malformed frame of type 37"},
        {"texture's rows beyond the picture",
         frameOf(QByteArray::fromHex("26 0001 0002 0002 00000003 010203")),
         "malformed frame of type 38"},
        {"texture larger than any valley's",
         frameOf(QByteArray::fromHex("26 0001 ffff 0000 00000003 010203")),
         "malformed frame of type 38"},
        {"texture's bytes beyond the frame",
         frameOf(QByteArray::fromHex("26 0001 0002 0000 7fffffff 010203")),
         "malformed frame of type 38"},
        {"unknown weapon",
         frameOf(FrameCodec::encode(Command{1, TurnCommand()}).mid(4).chopped(1) + "\x06"),
         "malformed frame of type 3"},
        {"a gale",
         frameOf(
             FrameCodec::encode(Arms{}).mid(4).replace(3, 4, QByteArray("\x7f\x80\x00\x00", 4))),
         "malformed frame of type 40"},
        {"a pace that is none",
         frameOf(FrameCodec::encode(Valley{}).mid(4).chopped(2) + QByteArray("\x03\x00", 2)),
         "malformed frame of type 36"},
        {"sudden death neither on nor off",
         frameOf(FrameCodec::encode(Arms{}).mid(4).chopped(1) + "\x02"),
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
    state.time = 0x123456789;
    state.state = Flying;
    state.currentPlayer = 1;
    state.currentSlot = 0;
    state.secondsLeft = 5;
    state.msIntoPhase = 300;
    state.grenadeShown = true;
    state.grenadeX = 1.5f;
    state.aimPower = 2.0f;
    state.figures.append({1, 0, 0.5f, 1.0f, -2.0f, 90.0f, 75});
    TurnCommand keys;
    keys.yawRate = 30;
    keys.weapon = 3;
    Arms arms;
    arms.wind = GameSettings::Wind::Strong;
    arms.weapons = GameSettings::Weapons::All;
    arms.windX = 0.25f;
    arms.windZ = -0.5f;
    arms.taken = Weapon::Heavy;
    arms.left = {-1, 3, 1, 3, 3};
    arms.suddenDeath = true;
    HeightRows rows;
    rows.firstValue = 7;
    rows.heights = {0.5};
    Players players;
    players.people.append({1, QStringLiteral("a"), QStringLiteral("b"), 12, true});
    Snapshot snapshot;
    snapshot.state = Moving;
    snapshot.currentPlayer = 1;
    snapshot.currentSlot = 0;
    snapshot.secondsLeft = 59;
    snapshot.msIntoPhase = 1000;
    snapshot.figuresEach = 1;
    snapshot.colours = {1.0f, 0.0f, 0.5f};
    snapshot.figures.append({0, 0, 0.5f, 1.0f, -2.0f, 90.0f, 100});
    snapshot.log = {{10, 0, QString()}};
    snapshot.groundSum = 0xcafef00d;
    snapshot.craters = {{1.0, 2.0, -3.0}};
    Valley random;
    random.settings.valley = GameSettings::Valley::Random;
    random.settings.valleyNumber = 4711;
    random.settings.wind = GameSettings::Wind::Light;
    random.settings.weapons = GameSettings::Weapons::All;
    random.settings.pace = GameSettings::Pace::Quick;
    random.settings.suddenDeath = GameSettings::SuddenDeath::After10;
    Valley picture;
    picture.settings.valley = GameSettings::Valley::Picture;
    picture.settings.valleyPicture = "ab";

    const struct {
        const char* name;
        Message message;
        const char* hex;
    } golden[] = {
        {"hello", Hello{3, QStringLiteral("1.0"), 0x0102030405060708ull},
         "00000014 00 00000003 0003 312e30 0102030405060708 0000"},
        {"welcome", Welcome{3, 0xfedcba9876543210ull}, "0000000d 01 00000003 fedcba9876543210"},
        {"watching", Welcome{-1, 0}, "0000000d 01 ffffffff 0000000000000000"},
        {"refused", Refused{Refused::WrongVersion, QStringLiteral("1")}, "00000005 02 01 0001 31"},
        {"command", Command{1, keys},
         "0000001e 03 00000001 403e000000000000 0000000000000000 0000000000000000 03"},
        {"step", Step{1, 258, TurnCommand::Step::FireMode}, "0000000a 14 00000001 00000102 01"},
        {"start", Start{{1.0f, 0.5f, 0.0f}, 2}, "000000130400033f8000003f0000000000000000000002"},
        {"state", state,
         "00000041 05 0000000123456789 06 01 00 0005 0000012c 01 3fc00000 00000000 00000000 "
         "00000000 00000000 40000000 0001 01 00 3f000000 3f800000 c0000000 42b40000 004b"},
        {"event", Event{Event::Crater, 1.0f, 2.0f, 3.0f}, "0000000e06003f8000004000000040400000"},
        {"checksum", Checksum{0xdeadbeef}, "0000000507deadbeef"},
        {"heightmapRequest", HeightmapRequest{}, "0000000108"},
        {"heightRows", rows, "0000000f0900000007 00013fe0000000000000"},
        {"keepAlive", KeepAlive{}, "000000010a"},
        {"bye", Bye{}, "000000010b"},
        {"name", Name{QStringLiteral("ab")}, "00000005 1c 0002 6162"},
        {"players", players, "0000000f 1d 0001 01 0001 61 0001 62 0000000c 01"},
        {"say", Say{QStringLiteral("hi")}, "00000005 1e 0002 6869"},
        {"chat", Chat{2, QStringLiteral("hi")}, "00000006 1f 02 0002 6869"},
        {"chatDropped", ChatDropped{}, "0000000120"},
        {"ping", Ping{0x01020304}, "00000005 21 01020304"},
        {"pong", Pong{0x01020304}, "00000005 22 01020304"},
        {"log", Log{{{4, 2, QString()}, {14, -1, QStringLiteral("ab")}}},
         "0000000d 0c 0002 04 02 0000 0e ff 0002 6162"},
        {"snapshot", snapshot,
         "00000054 0d 04 01 00 003b 000003e8 01 0003 3f800000 00000000 3f000000 "
         "0001 00 00 3f000000 3f800000 c0000000 42b40000 0064 0001 0a 00 0000 "
         "cafef00d 01 0001 3ff0000000000000 4000000000000000 c008000000000000"},
        {"random valley", random, "0000000c 24 01 00001267 0000 01 01 01 02"},
        {"picture valley", picture, "0000000e 24 02 00000000 0002 6162 00 00 00 00"},
        {"valley's heights", ValleyHeights{2, 2, QByteArray::fromHex("004080ff")},
         "0000000d 25 0002 0002 00000004 004080ff"},
        {"valley's texture", ValleyTexture{1, 2, 1, QByteArray::fromHex("010203")},
         "0000000e 26 0001 0002 0001 00000003 010203"},
        {"arms", arms, "00000012 28 02 01 3e800000 bf000000 02 ff 03 01 03 03 01"},
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
