// Each message's fields in a fixed order after its type byte (Network::FrameType). Texts are UTF-8
// with a 16-bit length, lists have a 16-bit count.
#include "game/network/FrameCodec.h"

#include <QDataStream>
#include <QtEndian>
#include <cmath>

using namespace Network;

namespace {

constexpr int maxText = 1024;     // bytes of one text
constexpr int maxMessages = 16;   // lines of the message log
constexpr int maxFigures = 81;    // nine players of nine figures
constexpr int maxColours = 9 * 3; // nine players
constexpr int maxHeights = 4096;  // heights in one part of the heightmap

void writeText(QDataStream& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8().left(maxText);
    out << quint16(utf8.size());
    out.writeRawData(utf8.constData(), utf8.size());
}

void write(QDataStream& out, const Hello& m) {
    out << m.protocol;
    writeText(out, m.game);
}
void write(QDataStream& out, const Welcome& m) {
    out << m.seat;
}
void write(QDataStream& out, const Refused& m) {
    writeText(out, m.reason);
    writeText(out, m.hostVersion);
}
void write(QDataStream& out, const Command& m) {
    out << m.seat << m.command.yawRate << m.command.raiseRate << m.command.driveRate
        << quint8(m.command.step) << quint8(m.command.weapon);
}
void write(QDataStream& out, const Start& m) {
    out << quint16(m.colours.size());
    for (float c : m.colours)
        out << c;
    out << m.figures;
}
void write(QDataStream& out, const State& m) {
    out << quint8(m.state) << m.currentPlayer << m.currentSlot << m.secondsLeft << m.msIntoPhase
        << m.grenadeShown << m.grenadeX << m.grenadeY << m.grenadeZ << m.aimYaw << m.aimPitch
        << m.aimPower;
    out << quint16(m.figures.size());
    for (const Figure& f : m.figures)
        out << f.player << f.slot << f.x << f.y << f.z << f.heading << f.health;
    out << quint16(m.messages.size());
    for (const QString& line : m.messages)
        writeText(out, line);
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
void write(QDataStream&, const HeightmapRequest&) {}
void write(QDataStream&, const KeepAlive&) {}
void write(QDataStream&, const Bye&) {}
void write(QDataStream& out, const Arms& m) {
    out << quint8(m.wind) << quint8(m.weapons) << m.windX << m.windZ << quint8(m.taken);
    for (qint8 left : m.left)
        out << left;
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

    template <typename T> T value() {
        T v{};
        in >> v;
        return v;
    }
    double wide() {
        in.setFloatingPointPrecision(QDataStream::DoublePrecision);
        double v = 0;
        in >> v;
        in.setFloatingPointPrecision(QDataStream::SinglePrecision);
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
    void fail() { in.setStatus(QDataStream::ReadCorruptData); }
    bool good() const { return in.status() == QDataStream::Ok; }
    bool atEnd() const { return in.atEnd(); }

private:
    qint64 left() const { return size - in.device()->pos(); }
    QDataStream in;
    qint64 size;
};

std::optional<Message> read(Reader& r, int type) {
    switch (type) {
    case quint8(FrameType::Hello): {
        Hello m;
        m.protocol = r.value<quint32>();
        m.game = r.text();
        return m;
    }
    case quint8(FrameType::Welcome):
        return Welcome{r.value<qint32>()};
    case quint8(FrameType::Refused): {
        Refused m;
        m.reason = r.text();
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
        const quint8 step = r.value<quint8>();
        for (double rate : {m.command.yawRate, m.command.raiseRate, m.command.driveRate})
            if (!(std::abs(rate) <= 1000))
                r.fail();
        const quint8 weapon = r.value<quint8>();
        if (step > quint8(TurnCommand::Step::Throw) || weapon > Weapons::count)
            r.fail();
        m.command.step = static_cast<TurnCommand::Step>(step);
        m.command.weapon = weapon;
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
        const quint8 state = r.value<quint8>();
        if (state > GameOver)
            r.fail();
        m.state = static_cast<GameState>(state);
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
        const int figures = r.count(maxFigures, 20);
        for (int i = 0; i < figures; ++i) {
            Figure f;
            f.player = r.value<quint8>();
            f.slot = r.value<quint8>();
            f.x = r.value<float>();
            f.y = r.value<float>();
            f.z = r.value<float>();
            f.heading = r.value<float>();
            f.health = r.value<qint16>();
            m.figures.append(f);
        }
        const int lines = r.count(maxMessages, 2);
        for (int i = 0; i < lines; ++i)
            m.messages.append(r.text());
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
    case quint8(FrameType::KeepAlive):
        return KeepAlive{};
    case quint8(FrameType::Bye):
        return Bye{};
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
        // A wind is small; anything else (not a number, a gale) is not one.
        if (wind > quint8(GameSettings::Wind::Strong) ||
            weapons > quint8(GameSettings::Weapons::All) || taken >= Weapons::count ||
            !(std::abs(m.windX) <= 10) || !(std::abs(m.windZ) <= 10))
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
