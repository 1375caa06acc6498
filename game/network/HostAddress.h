// The address of a host as people type it: a name or IPv4 address with an optional port
// ("localhost:47800", "192.168.0.7"), or an IPv6 address, bracketed when a port follows
// ("[::1]:47800", "[::1]", "::1"); or an invite link of the same, "tortoise-valley://[::1]:47800".
#pragma once

#include <QString>

struct HostAddress {
    // Reads typed text; a text that is no address leaves error set.
    static HostAddress parse(const QString& text, quint16 defaultPort);
    // The invite link to a host, "tortoise-valley://192.168.0.7:47800", an IPv6 address bracketed.
    static QString link(const QString& host, quint16 port);
    // Whether a text is an invite link (whatever follows its scheme).
    static bool isLink(const QString& text);
    // Whether a character may be typed into an address.
    static bool typable(QChar c);
    // A port number 1 … 65535; 0 when the text is not one.
    static quint16 portOf(const QString& text);

    QString host;
    quint16 port = 0;
    QString error;
};
