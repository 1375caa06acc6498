// The status datagrams: a query, "TV?" with its version and zero padding, and the answer, "TV!"
// with its version, then the fields, numbers big-endian, each text one length byte and UTF-8.
#include "game/network/GameStatus.h"

#include "game/network/NetworkMessage.h"
#include "game/rules/SettingChoices.h"

#include <QFileInfo>
#include <QSysInfo>
#include <algorithm>

namespace Network {

namespace {

constexpr char queryMagic[] = {'T', 'V', '?', 1};
constexpr char answerMagic[] = {'T', 'V', '!', 1};
constexpr int longestText = 48; // bytes of UTF-8 a text field may have

void putText(QByteArray& out, const QString& text) {
    QByteArray bytes = text.toUtf8();
    if (bytes.size() > longestText) // cut where a character begins
        bytes = text.left(longestText).toUtf8().left(longestText);
    while (QString::fromUtf8(bytes).toUtf8() != bytes)
        bytes.chop(1);
    out.append(char(bytes.size()));
    out.append(bytes);
}

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : bytes(bytes) {}
    bool ok() const { return good; }
    bool atEnd() const { return at == bytes.size(); }
    quint32 number(int width) {
        if (bytes.size() - at < width) {
            good = false;
            return 0;
        }
        quint32 n = 0;
        for (int i = 0; i < width; ++i)
            n = (n << 8) | quint8(bytes[at++]);
        return n;
    }
    QString text() {
        const int n = int(number(1));
        if (n > longestText || bytes.size() - at < n) {
            good = false;
            return QString();
        }
        const QByteArray raw = bytes.mid(at, n);
        at += n;
        const QString text = QString::fromUtf8(raw);
        if (text.toUtf8() != raw || !isPlayerText(text, longestText))
            good = false;
        return text;
    }

private:
    const QByteArray& bytes;
    int at = 0;
    bool good = true;
};

void putNumber(QByteArray& out, quint32 n, int width) {
    for (int i = width - 1; i >= 0; --i)
        out.append(char((n >> (8 * i)) & 0xff));
}

} // namespace

bool GameStatus::operator==(const GameStatus& o) const {
    return protocol == o.protocol && version == o.version && name == o.name && port == o.port &&
           seated == o.seated && wanted == o.wanted && watchers == o.watchers &&
           valley == o.valley && wind == o.wind && weapons == o.weapons && password == o.password;
}

void GameStatus::describe(const GameSettings& settings) {
    switch (settings.valley) {
    case GameSettings::Valley::Standard:
        valley = QStringLiteral("standard");
        break;
    case GameSettings::Valley::Random:
        valley = QStringLiteral("random %1").arg(settings.valleyNumber);
        break;
    case GameSettings::Valley::Picture:
        valley = QFileInfo(QString::fromStdString(settings.valleyPicture)).fileName();
        if (!isPlayerText(valley, longestText))
            valley = QStringLiteral("picture");
        break;
    }
    wind = settings.wind;
    weapons = settings.weapons;
}

QString GameStatus::nameOr(const QString& given) {
    QString name = given.isEmpty() ? QSysInfo::machineHostName() : given;
    name = name.left(longestText / 3); // every character fits, however many bytes it takes
    return isPlayerText(name, longestText) ? name : QStringLiteral("tortoise-valley");
}

QString GameStatus::report(const QString& address) const {
    const auto& rows = SettingChoices::rows;
    return QStringLiteral("name: %1\naddress: %2\nversion: %3\nprotocol: %4%5\nplayers: %6 of "
                          "%7\nwatchers: %8\nvalley: %9\n")
               .arg(name, address, version, QString::number(protocol),
                    protocol == protocolVersion ? QString() : QStringLiteral(" (not this one's)"),
                    QString::number(seated), QString::number(wanted), QString::number(watchers),
                    valley) +
           QStringLiteral("wind: %1\nweapons: %2\npassword: %3\n")
               .arg(QLatin1String(rows[SettingChoices::WindRow].values[std::size_t(wind)].word),
                    QLatin1String(
                        rows[SettingChoices::WeaponsRow].values[std::size_t(weapons)].word),
                    password ? QStringLiteral("yes") : QStringLiteral("no"));
}

QByteArray GameStatus::query() {
    QByteArray q(queryMagic, sizeof queryMagic);
    q.append(QByteArray(queryBytes - q.size(), '\0'));
    return q;
}

bool GameStatus::isQuery(const QByteArray& datagram) {
    return datagram == query();
}

QByteArray GameStatus::encode() const {
    QByteArray out(answerMagic, sizeof answerMagic);
    putNumber(out, protocol, 4);
    putText(out, version);
    putText(out, name);
    putNumber(out, port, 2);
    putNumber(out, quint32(std::clamp(seated, 0, 255)), 1);
    putNumber(out, quint32(std::clamp(wanted, 0, 255)), 1);
    putNumber(out, quint32(std::clamp(watchers, 0, 255)), 1);
    putText(out, valley);
    putNumber(out, quint32(wind), 1);
    putNumber(out, quint32(weapons), 1);
    putNumber(out, password ? 1 : 0, 1);
    return out;
}

std::optional<GameStatus> GameStatus::decode(const QByteArray& datagram) {
    if (datagram.size() > mostAnswerBytes || !datagram.startsWith(QByteArray(answerMagic, 4)))
        return std::nullopt;
    Reader r(datagram);
    r.number(4);
    GameStatus s;
    s.protocol = r.number(4);
    s.version = r.text();
    s.name = r.text();
    s.port = quint16(r.number(2));
    s.seated = int(r.number(1));
    s.wanted = int(r.number(1));
    s.watchers = int(r.number(1));
    s.valley = r.text();
    const int wind = int(r.number(1));
    const int weapons = int(r.number(1));
    const int password = int(r.number(1));
    const auto& rows = SettingChoices::rows;
    if (!r.ok() || !r.atEnd() || s.port == 0 || s.wanted < 2 || s.wanted > lastSeat + 1 ||
        s.seated > s.wanted || !SettingChoices::holds(rows[SettingChoices::WindRow], wind) ||
        !SettingChoices::holds(rows[SettingChoices::WeaponsRow], weapons) || password > 1)
        return std::nullopt;
    s.wind = static_cast<GameSettings::Wind>(wind);
    s.weapons = static_cast<GameSettings::Weapons>(weapons);
    s.password = password == 1;
    return s;
}

} // namespace Network
