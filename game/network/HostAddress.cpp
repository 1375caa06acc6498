// A typed host address split into the host and its port.
#include "game/network/HostAddress.h"

namespace {

// The scheme the desktop hands to the game for its invite links; a trailing slash is allowed, as
// links are often copied with one.
const QLatin1String linkScheme("tortoise-valley://");

} // namespace

QString HostAddress::link(const QString& host, quint16 port) {
    const bool ipv6 = host.contains(QLatin1Char(':'));
    return linkScheme + (ipv6 ? QLatin1Char('[') + host + QLatin1Char(']') : host) +
           QLatin1Char(':') + QString::number(port);
}

bool HostAddress::isLink(const QString& text) {
    return text.trimmed().startsWith(linkScheme, Qt::CaseInsensitive);
}

quint16 HostAddress::portOf(const QString& text) {
    bool ok = false;
    const uint port = text.toUInt(&ok);
    return ok && port >= 1 && port <= 65535 ? quint16(port) : 0;
}

HostAddress HostAddress::parse(const QString& typed, quint16 defaultPort) {
    HostAddress address;
    QString text = typed.trimmed();
    if (isLink(text)) {
        text = text.mid(linkScheme.size());
        if (text.endsWith(QLatin1Char('/')))
            text.chop(1);
    }
    QString portText;
    if (text.startsWith(QLatin1Char('['))) {
        const int close = text.indexOf(QLatin1Char(']'));
        const QString rest = close < 0 ? QString() : text.mid(close + 1);
        if (close < 0 || (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':')))) {
            address.error = QStringLiteral("not an address: %1").arg(text);
            return address;
        }
        address.host = text.mid(1, close - 1);
        portText = rest.mid(1);
        if (rest == QLatin1String(":")) {
            address.error = QStringLiteral("not a port: %1").arg(portText);
            return address;
        }
    } else if (text.count(QLatin1Char(':')) > 1) {
        address.host = text; // an IPv6 address without a port
    } else {
        const int colon = text.indexOf(QLatin1Char(':'));
        address.host = colon < 0 ? text : text.left(colon);
        portText = colon < 0 ? QString() : text.mid(colon + 1);
        if (colon >= 0 && portText.isEmpty()) {
            address.error = QStringLiteral("not a port: %1").arg(portText);
            return address;
        }
    }
    if (address.host.isEmpty()) {
        address.error = QStringLiteral("no host in the address: %1").arg(text);
        return address;
    }
    for (const QChar c : address.host) {
        if (!typable(c) || c == QLatin1Char('[') || c == QLatin1Char(']')) {
            address.error = QStringLiteral("not an address: %1").arg(text);
            return address;
        }
    }
    address.port = portText.isEmpty() ? defaultPort : portOf(portText);
    if (address.port == 0)
        address.error = QStringLiteral("not a port: %1").arg(portText);
    return address;
}

bool HostAddress::typable(QChar c) {
    return (c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('.') ||
           c == QLatin1Char(':') || c == QLatin1Char('[') || c == QLatin1Char(']') ||
           c == QLatin1Char('-');
}
