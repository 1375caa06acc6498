// Each message's fields in a fixed order after its type byte (Network::FrameType). Texts are UTF-8
// with a 16-bit length, lists have a 16-bit count.
#include "game/network/FrameCodec.h"

#include "game/rules/SettingChoices.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <type_traits>

using namespace Network;

namespace {

constexpr int maxText = 1024;         // bytes of one text
constexpr int maxMessages = 16;       // lines of the message log
constexpr int maxFigures = 81;        // nine players of nine figures
constexpr int maxColours = 9 * 3;     // nine players
constexpr int maxHeights = 4096;      // heights in one part of the heightmap
constexpr int maxPeople = 9;          // seats
constexpr int maxValleyBytes = 60000; // grey or colour bytes in one frame of a picture valley
constexpr int maxValleyNumber = 999999;
constexpr int maxValleySide = 4096;  // pixels of a side of a valley's heights or texture
constexpr double maxMagnitude = 1e6; // world units, degrees, rates: far beyond any valley's

void writeText(QDataStream& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8().left(maxText);
    out << quint16(utf8.size());
    out.writeRawData(utf8.constData(), utf8.size());
}

void write(QDataStream& out, const Hello& m) {
    out << m.protocol;
    writeText(out, m.game);
    out << m.token;
    writeText(out, m.password);
}
void write(QDataStream& out, const Welcome& m) {
    out << m.seat << m.token;
}
void write(QDataStream& out, const Refused& m) {
    out << quint8(m.reason);
    writeText(out, m.hostVersion);
}
void write(QDataStream& out, const Figure& f) {
    out << f.player << f.slot << f.x << f.y << f.z << f.heading << f.health;
}
void write(QDataStream& out, const QVector<LogEntry>& lines) {
    out << quint16(lines.size());
    for (const LogEntry& line : lines) {
        out << line.text << line.player;
        writeText(out, line.detail);
    }
}
void write(QDataStream& out, const Command& m) {
    out << m.seat << m.command.yawRate << m.command.raiseRate << m.command.driveRate
        << quint8(m.command.weapon);
}
void write(QDataStream& out, const Step& m) {
    out << m.seat << m.number << quint8(m.step);
}
void write(QDataStream& out, const Start& m) {
    out << quint16(m.colours.size());
    for (float c : m.colours)
        out << c;
    out << m.figures;
}
void write(QDataStream& out, const State& m) {
    out << m.time << quint8(m.state) << m.currentPlayer << m.currentSlot << m.secondsLeft
        << m.msIntoPhase << m.grenadeShown << m.grenadeX << m.grenadeY << m.grenadeZ << m.aimYaw
        << m.aimPitch << m.aimPower;
    out << quint16(m.figures.size());
    for (const Figure& f : m.figures)
        write(out, f);
}
void write(QDataStream& out, const Log& m) {
    write(out, m.lines);
}
// Colours and figures in single precision, the craters in double: dug again here, they give
// exactly the host's heights.
void write(QDataStream& out, const Snapshot& m) {
    out << quint8(m.state) << m.currentPlayer << m.currentSlot << m.secondsLeft << m.msIntoPhase
        << m.figuresEach;
    out << quint16(m.colours.size());
    for (float c : m.colours)
        out << c;
    out << quint16(m.figures.size());
    for (const Figure& f : m.figures)
        write(out, f);
    write(out, m.log);
    out << m.groundSum << m.cratersWhole << quint16(m.craters.size());
    out.setFloatingPointPrecision(QDataStream::DoublePrecision);
    for (const Crater& c : m.craters)
        out << c.x << c.y << c.z;
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
}
void write(QDataStream& out, const Event& m) {
    out << quint8(m.kind) << m.x << m.y << m.z;
}
void write(QDataStream& out, const Checksum& m) {
    out << m.sum;
}
void write(QDataStream& out, const HeightRows& m) {
    out << m.firstValue << quint16(m.heights.size());
    for (double h : m.heights)
        out << h;
}
void write(QDataStream& out, const Name& m) {
    writeText(out, m.name);
}
void write(QDataStream& out, const Players& m) {
    out << quint16(m.people.size());
    for (const Person& p : m.people) {
        out << p.seat;
        writeText(out, p.name);
        writeText(out, p.address);
        out << p.roundTripMs << p.connected;
    }
}
void write(QDataStream& out, const Say& m) {
    writeText(out, m.text);
}
void write(QDataStream& out, const Chat& m) {
    out << m.seat;
    writeText(out, m.text);
}
void write(QDataStream& out, const Ping& m) {
    out << m.stamp;
}
void write(QDataStream& out, const Pong& m) {
    out << m.stamp;
}
void write(QDataStream&, const ChatDropped&) {}
void write(QDataStream& out, const Valley& m) {
    out << quint8(m.settings.valley) << qint32(m.settings.valleyNumber);
    writeText(out, QString::fromStdString(m.settings.valleyPicture));
    out << quint8(m.settings.wind) << quint8(m.settings.weapons) << quint8(m.settings.pace)
        << quint8(m.settings.suddenDeath);
}
void writeBytes(QDataStream& out, const QByteArray& bytes) {
    out << quint32(bytes.size());
    out.writeRawData(bytes.constData(), bytes.size());
}
void write(QDataStream& out, const ValleyHeights& m) {
    out << m.columns << m.rows;
    writeBytes(out, m.grey);
}
void write(QDataStream& out, const ValleyTexture& m) {
    out << m.width << m.height << m.firstRow;
    writeBytes(out, m.rgb);
}
void write(QDataStream&, const HeightmapRequest&) {}
void write(QDataStream&, const KeepAlive&) {}
void write(QDataStream&, const Bye&) {}
void write(QDataStream& out, const Arms& m) {
    out << quint8(m.wind) << quint8(m.weapons) << m.windX << m.windZ << quint8(m.taken);
    for (qint8 left : m.left)
        out << left;
    out << quint8(m.suddenDeath);
}
void write(QDataStream& out, const Blast& m) {
    out << quint8(m.weapon) << m.x << m.y << m.z;
}

// Reading: every count is checked against a limit and against the bytes left before anything
// is reserved for it.
class Reader {
public:
    explicit Reader(const QByteArray& body) : in(body), size(body.size()) {
        in.setVersion(QDataStream::Qt_5_15);
        in.setByteOrder(QDataStream::BigEndian);
        in.setFloatingPointPrecision(QDataStream::SinglePrecision);
    }

    // Every number with a point is finite and inside what a valley of the game can hold (its
    // positions, heights, angles, rates, colours); one that is not makes the frame garbage.
    template <typename T> T value() {
        T v{};
        in >> v;
        if constexpr (std::is_floating_point_v<T>)
            if (!(std::abs(v) <= maxMagnitude))
                fail();
        return v;
    }
    double wide() {
        in.setFloatingPointPrecision(QDataStream::DoublePrecision);
        double v = 0;
        in >> v;
        in.setFloatingPointPrecision(QDataStream::SinglePrecision);
        if (!(std::abs(v) <= maxMagnitude))
            fail();
        return v;
    }
    QString text() {
        const quint16 n = value<quint16>();
        if (n > maxText || n > left()) {
            fail();
            return {};
        }
        QByteArray utf8(n, '\0');
        in.readRawData(utf8.data(), n);
        return QString::fromUtf8(utf8);
    }
    // A count of items of itemBytes each, at most limit; 0 and a failure when it cannot be.
    int count(int limit, int itemBytes) {
        const quint16 n = value<quint16>();
        if (n > limit || qint64(n) * itemBytes > left()) {
            fail();
            return 0;
        }
        return n;
    }
    // A block of bytes with a 32-bit length, at most limit.
    QByteArray bytes(int limit) {
        const quint32 n = value<quint32>();
        if (n > quint32(limit) || qint64(n) > left()) {
            fail();
            return {};
        }
        QByteArray read(int(n), '\0');
        in.readRawData(read.data(), int(n));
        return read;
    }
    void fail() { in.setStatus(QDataStream::ReadCorruptData); }
    bool good() const { return in.status() == QDataStream::Ok; }
    bool atEnd() const { return in.atEnd(); }

private:
    qint64 left() const { return size - in.device()->pos(); }
    QDataStream in;
    qint64 size;
};

GameState readState(Reader& r) {
    const quint8 state = r.value<quint8>();
    if (state != NoGame && (state < Countdown || state > GameOver)) { // only the match's phases
        r.fail();
        return GameOver;
    }
    return static_cast<GameState>(state);
}

QVector<Figure> readFigures(Reader& r) {
    QVector<Figure> figures;
    const int n = r.count(maxFigures, 20);
    for (int i = 0; i < n; ++i) {
        Figure f;
        f.player = r.value<quint8>();
        f.slot = r.value<quint8>();
        f.x = r.value<float>();
        f.y = r.value<float>();
        f.z = r.value<float>();
        f.heading = r.value<float>();
        f.health = r.value<qint16>();
        figures.append(f);
    }
    return figures;
}

// Lines about a player there can be; what kinds there are the match's log knows.
QVector<LogEntry> readLog(Reader& r) {
    QVector<LogEntry> lines;
    const int n = r.count(maxMessages, 4);
    for (int i = 0; i < n; ++i) {
        LogEntry line;
        line.text = r.value<quint8>();
        line.player = r.value<qint8>();
        line.detail = r.text();
        if (line.player < -1 || line.player > 8)
            r.fail();
        lines.append(line);
    }
    return lines;
}

std::optional<Message> read(Reader& r, int type) {
    switch (type) {
    case quint8(FrameType::Hello): {
        Hello m;
        m.protocol = r.value<quint32>();
        m.game = r.text();
        m.token = r.value<quint64>();
        // Absent in the hello of an older protocol, which is then refused for its version.
        m.password = r.atEnd() ? QString() : r.text();
        return m;
    }
    case quint8(FrameType::Welcome): {
        Welcome m;
        m.seat = r.value<qint32>();
        m.token = r.value<quint64>();
        return m;
    }
    case quint8(FrameType::Refused): {
        Refused m;
        const quint8 reason = r.value<quint8>();
        if (reason >= Refused::ReasonCount)
            r.fail();
        m.reason = static_cast<Refused::Reason>(reason);
        m.hostVersion = r.text();
        return m;
    }
    case quint8(FrameType::Command): {
        Command m;
        m.seat = r.value<qint32>();
        // Rates of held keys are finite and small; anything else is not a command.
        m.command.yawRate = r.wide();
        m.command.raiseRate = r.wide();
        m.command.driveRate = r.wide();
        for (double rate : {m.command.yawRate, m.command.raiseRate, m.command.driveRate})
            if (!(std::abs(rate) <= 1000))
                r.fail();
        const quint8 weapon = r.value<quint8>();
        if (weapon > Weapons::count)
            r.fail();
        m.command.weapon = weapon;
        return m;
    }
    case quint8(FrameType::Step): {
        Step m;
        m.seat = r.value<qint32>();
        m.number = r.value<quint32>();
        const quint8 step = r.value<quint8>();
        if (step == quint8(TurnCommand::Step::None) || step > quint8(TurnCommand::Step::Throw))
            r.fail();
        m.step = static_cast<TurnCommand::Step>(step);
        return m;
    }
    case quint8(FrameType::Start): {
        Start m;
        const int n = r.count(maxColours, 4);
        for (int i = 0; i < n; ++i)
            m.colours.append(r.value<float>());
        m.figures = r.value<qint32>();
        return m;
    }
    case quint8(FrameType::State): {
        State m;
        m.time = r.value<qint64>();
        m.state = readState(r);
        m.currentPlayer = r.value<qint8>();
        m.currentSlot = r.value<qint8>();
        m.secondsLeft = r.value<qint16>();
        m.msIntoPhase = r.value<qint32>();
        m.grenadeShown = r.value<bool>();
        m.grenadeX = r.value<float>();
        m.grenadeY = r.value<float>();
        m.grenadeZ = r.value<float>();
        m.aimYaw = r.value<float>();
        m.aimPitch = r.value<float>();
        m.aimPower = r.value<float>();
        m.figures = readFigures(r);
        return m;
    }
    case quint8(FrameType::Log):
        return Log{readLog(r)};
    case quint8(FrameType::Snapshot): {
        Snapshot m;
        m.state = readState(r);
        m.currentPlayer = r.value<qint8>();
        m.currentSlot = r.value<qint8>();
        m.secondsLeft = r.value<qint16>();
        m.msIntoPhase = r.value<qint32>();
        m.figuresEach = r.value<qint8>();
        const int colours = r.count(maxColours, 4);
        for (int i = 0; i < colours; ++i)
            m.colours.append(r.value<float>());
        m.figures = readFigures(r);
        m.log = readLog(r);
        m.groundSum = r.value<quint32>();
        m.cratersWhole = r.value<bool>();
        const int craters = r.count(snapshotCraters, 24);
        for (int i = 0; i < craters; ++i) {
            Crater c;
            c.x = r.wide();
            c.y = r.wide();
            c.z = r.wide();
            if (!(std::abs(c.x) <= 1e6 && std::abs(c.y) <= 1e6 && std::abs(c.z) <= 1e6))
                r.fail(); // a crater is somewhere near the valley
            m.craters.append(c);
        }
        return m;
    }
    case quint8(FrameType::Event): {
        Event m;
        const quint8 kind = r.value<quint8>();
        if (kind >= Event::KindCount)
            r.fail();
        m.kind = static_cast<Event::Kind>(kind);
        m.x = r.value<float>();
        m.y = r.value<float>();
        m.z = r.value<float>();
        return m;
    }
    case quint8(FrameType::Checksum):
        return Checksum{r.value<quint32>()};
    case quint8(FrameType::HeightmapRequest):
        return HeightmapRequest{};
    case quint8(FrameType::HeightRows): {
        HeightRows m;
        m.firstValue = r.value<quint32>();
        const int n = r.count(maxHeights, 8);
        for (int i = 0; i < n; ++i)
            m.heights.append(r.wide());
        return m;
    }
    case quint8(FrameType::Valley): {
        Valley m;
        const quint8 valley = r.value<quint8>();
        const qint32 number = r.value<qint32>();
        const QString name = r.text();
        const quint8 wind = r.value<quint8>();
        const quint8 weapons = r.value<quint8>();
        const quint8 pace = r.value<quint8>();
        const quint8 suddenDeath = r.value<quint8>();
        if (valley > quint8(GameSettings::Valley::Picture) ||
            !SettingChoices::holds(SettingChoices::rows[SettingChoices::WindRow], wind) ||
            !SettingChoices::holds(SettingChoices::rows[SettingChoices::WeaponsRow], weapons) ||
            !SettingChoices::holds(SettingChoices::rows[SettingChoices::PaceRow], pace) ||
            !SettingChoices::holds(SettingChoices::rows[SettingChoices::SuddenDeathRow],
                                   suddenDeath))
            r.fail();
        // A random valley has its number; a picture has a name.
        if (valley == quint8(GameSettings::Valley::Random) &&
            (number < 1 || number > maxValleyNumber))
            r.fail();
        if (valley == quint8(GameSettings::Valley::Picture) && name.isEmpty())
            r.fail();
        m.settings.valley = static_cast<GameSettings::Valley>(valley);
        m.settings.valleyNumber = number;
        m.settings.valleyPicture = name.toStdString();
        m.settings.wind = static_cast<GameSettings::Wind>(wind);
        m.settings.weapons = static_cast<GameSettings::Weapons>(weapons);
        m.settings.pace = static_cast<GameSettings::Pace>(pace);
        m.settings.suddenDeath = static_cast<GameSettings::SuddenDeath>(suddenDeath);
        return m;
    }
    case quint8(FrameType::ValleyHeights): {
        ValleyHeights m;
        m.columns = r.value<quint16>();
        m.rows = r.value<quint16>();
        m.grey = r.bytes(maxValleyBytes);
        if (m.columns < 2 || m.rows < 2 || m.columns > maxValleySide || m.rows > maxValleySide ||
            m.grey.size() != int(m.columns) * int(m.rows))
            r.fail();
        return m;
    }
    case quint8(FrameType::ValleyTexture): {
        ValleyTexture m;
        m.width = r.value<quint16>();
        m.height = r.value<quint16>();
        m.firstRow = r.value<quint16>();
        m.rgb = r.bytes(maxValleyBytes);
        // Whole rows, at least one, inside the picture.
        const int row = 3 * int(m.width);
        if (m.width == 0 || m.height == 0 || m.width > maxValleySide || m.height > maxValleySide ||
            m.rgb.isEmpty() || m.rgb.size() % row != 0 ||
            int(m.firstRow) + m.rgb.size() / row > int(m.height))
            r.fail();
        return m;
    }
    case quint8(FrameType::KeepAlive):
        return KeepAlive{};
    case quint8(FrameType::Bye):
        return Bye{};
    case quint8(FrameType::Name):
        return Name{r.text()};
    case quint8(FrameType::Players): {
        Players m;
        const int n = r.count(maxPeople, 10); // a seat, two empty texts, a round trip, a flag
        for (int i = 0; i < n; ++i) {
            Person p;
            p.seat = r.value<qint8>();
            p.name = r.text();
            p.address = r.text();
            p.roundTripMs = r.value<qint32>();
            p.connected = r.value<bool>();
            m.people.append(p);
        }
        return m;
    }
    case quint8(FrameType::Say):
        return Say{r.text()};
    case quint8(FrameType::Chat): {
        Chat m;
        m.seat = r.value<qint8>();
        m.text = r.text();
        return m;
    }
    case quint8(FrameType::ChatDropped):
        return ChatDropped{};
    case quint8(FrameType::Ping):
        return Ping{r.value<quint32>()};
    case quint8(FrameType::Pong):
        return Pong{r.value<quint32>()};
    case quint8(FrameType::Arms): {
        Arms m;
        const quint8 wind = r.value<quint8>();
        const quint8 weapons = r.value<quint8>();
        m.windX = r.value<float>();
        m.windZ = r.value<float>();
        const quint8 taken = r.value<quint8>();
        for (qint8& left : m.left) {
            left = r.value<qint8>();
            if (left < Weapons::endless)
                r.fail();
        }
        const quint8 suddenDeath = r.value<quint8>();
        if (suddenDeath > 1)
            r.fail();
        m.suddenDeath = suddenDeath == 1;
        // A wind is small; anything else (not a number, a gale) is not one.
        if (!SettingChoices::holds(SettingChoices::rows[SettingChoices::WindRow], wind) ||
            !SettingChoices::holds(SettingChoices::rows[SettingChoices::WeaponsRow], weapons) ||
            taken >= Weapons::count || !(std::abs(m.windX) <= 10) || !(std::abs(m.windZ) <= 10))
            r.fail();
        m.wind = static_cast<GameSettings::Wind>(wind);
        m.weapons = static_cast<GameSettings::Weapons>(weapons);
        m.taken = static_cast<Weapon>(taken);
        return m;
    }
    case quint8(FrameType::Blast): {
        Blast m;
        const quint8 weapon = r.value<quint8>();
        if (weapon >= Weapons::count)
            r.fail();
        m.weapon = static_cast<Weapon>(weapon < Weapons::count ? weapon : 0);
        m.x = r.value<float>();
        m.y = r.value<float>();
        m.z = r.value<float>();
        return m;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

QByteArray FrameCodec::encode(const Message& message) {
    QByteArray frame(4, '\0');
    {
        QDataStream out(&frame, QIODevice::WriteOnly | QIODevice::Append);
        out.setVersion(QDataStream::Qt_5_15);
        out.setByteOrder(QDataStream::BigEndian);
        out.setFloatingPointPrecision(QDataStream::SinglePrecision);
        out << std::visit([](const auto& m) { return quint8(m.type); }, message);
        std::visit(
            [&](const auto& m) {
                if constexpr (std::is_same_v<std::decay_t<decltype(m)>, Command> ||
                              std::is_same_v<std::decay_t<decltype(m)>, HeightRows>)
                    out.setFloatingPointPrecision(QDataStream::DoublePrecision);
                write(out, m);
            },
            message);
    }
    qToBigEndian<quint32>(quint32(frame.size() - 4), frame.data());
    return frame;
}

std::optional<Message> FrameCodec::decode(const QByteArray& body, QString* error) {
    if (body.isEmpty()) {
        *error = QStringLiteral("empty frame");
        return std::nullopt;
    }
    const int type = quint8(body[0]);
    Reader reader(body.mid(1));
    std::optional<Message> message = read(reader, type);
    if (!message) {
        *error = QStringLiteral("unknown frame type %1").arg(type);
        return std::nullopt;
    }
    if (!reader.good()) {
        *error = QStringLiteral("malformed frame of type %1").arg(type);
        return std::nullopt;
    }
    if (!reader.atEnd()) {
        *error = QStringLiteral("frame of type %1 has bytes left over").arg(type);
        return std::nullopt;
    }
    return message;
}
