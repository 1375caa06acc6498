// The network options read from the command line, and the help and errors they give.
#include "game/app/NetworkOptions.h"

#include "game/network/HostAddress.h"
#include "game/network/NetworkMessage.h"
#include "game/network/Roster.h"

#include <QHostAddress>
#include <QRegularExpression>

namespace {

// The options a headless host knows, besides --server itself: with the value each takes.
const QStringList serverOptions = {QStringLiteral("--players"),
                                   QStringLiteral("--figures"),
                                   QStringLiteral("--password"),
                                   QStringLiteral("--name"),
                                   QStringLiteral("--listen"),
                                   QStringLiteral("--replays"),
                                   QStringLiteral("--seats-per-address"),
                                   QStringLiteral("--watchers-per-address"),
                                   QStringLiteral("--valley"),
                                   QStringLiteral("--wind"),
                                   QStringLiteral("--weapons")};

// A value after an option: anything but another option ("-1" is a value, a bad one).
bool isValue(const QString& a) {
    static const QRegularExpression negative(QStringLiteral("^-[0-9]"));
    return !a.startsWith('-') || negative.match(a).hasMatch();
}

} // namespace

NetworkOptions NetworkOptions::parse(const QStringList& arguments) {
    NetworkOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size() && isValue(arguments[i + 1]);
        if (a == QLatin1String("--players") || a == QLatin1String("--figures")) {
            const bool forPlayers = a == QLatin1String("--players");
            const int n = hasValue ? arguments[++i].toInt() : 0;
            if (n < (forPlayers ? 2 : 1) || n > 9) {
                options.error = forPlayers ? QStringLiteral("--players needs a number from 2 to 9")
                                           : QStringLiteral("--figures needs a number from 1 to 9");
                return options;
            }
            (forPlayers ? options.players : options.figures) = n;
            continue;
        }
        if (a == QLatin1String("--seats-per-address") ||
            a == QLatin1String("--watchers-per-address")) {
            bool ok = false;
            const int n = hasValue ? arguments[++i].toInt(&ok) : 0;
            if (!ok || n < 0 || n > 9) {
                options.error = QStringLiteral("%1 needs a number from 0 to 9").arg(a);
                return options;
            }
            (a == QLatin1String("--seats-per-address") ? options.seatsPerAddress
                                                       : options.watchersPerAddress) = n;
            continue;
        }
        if (a == QLatin1String("--password")) {
            if (!hasValue || !Network::isPlayerText(arguments[i + 1], Network::passwordLimit)) {
                options.error = QStringLiteral("--password needs a word of 1 to %1 characters")
                                    .arg(Network::passwordLimit);
                return options;
            }
            options.password = arguments[++i];
            continue;
        }
        if (a == QLatin1String("--listen")) {
            if (!hasValue || QHostAddress(arguments[i + 1]).isNull()) {
                options.error = QStringLiteral("--listen needs an address (0.0.0.0, ::, ::1, …)");
                return options;
            }
            options.listen = arguments[++i];
            continue;
        }
        if (a == QLatin1String("--name")) {
            if (!hasValue || !Roster::acceptableName(arguments[i + 1])) {
                options.error = QStringLiteral("--name needs a name of 1 to %1 characters, "
                                               "without control characters")
                                    .arg(Roster::nameLimit);
                return options;
            }
            options.name = arguments[++i];
            continue;
        }
        if (a == QLatin1String("--upnp")) {
            options.upnp = true;
            continue;
        }
        if (a == QLatin1String("--replays")) {
            if (!hasValue || arguments[i + 1].isEmpty()) {
                options.error = QStringLiteral("--replays needs a folder");
                return options;
            }
            options.replays = arguments[++i];
            continue;
        }
        if (a == QLatin1String("--list")) {
            if (options.mode != Alone) {
                options.error = QStringLiteral("--list is given with another way to play");
                return options;
            }
            options.mode = List;
            continue;
        }
        // An invite link on its own, as the desktop starts the game for one, joins its host.
        const bool link = HostAddress::isLink(a);
        const bool query = a == QLatin1String("--query");
        if (a != QLatin1String("--host") && a != QLatin1String("--join") &&
            a != QLatin1String("--server") && !query && !link)
            continue; // Qt's own options are Qt's
        if (options.mode != Alone) {
            options.error = QStringLiteral(
                "--host, --join, --server, --query and --list are given more than once");
            return options;
        }
        options.port = Network::defaultPort;
        if (a == QLatin1String("--host") || a == QLatin1String("--server")) {
            options.mode = a == QLatin1String("--host") ? Host : Server;
            // A headless host may take any free port (0), and says which.
            const bool anyPort = options.mode == Server && hasValue && arguments[i + 1] == "0";
            if (anyPort) {
                options.port = 0;
                ++i;
            } else if (hasValue && !(options.port = HostAddress::portOf(arguments[++i]))) {
                options.error = QStringLiteral("not a port: %1").arg(arguments[i]);
                return options;
            }
        } else {
            options.mode = query ? Query : Join;
            if (!link && !hasValue) {
                options.error = QStringLiteral("%1 needs the host's address").arg(a);
                return options;
            }
            const HostAddress target =
                HostAddress::parse(link ? a : arguments[++i], Network::defaultPort);
            if (!target.error.isEmpty()) {
                options.error = target.error;
                return options;
            }
            options.host = target.host;
            options.port = target.port;
        }
    }
    const bool limitsGiven = options.seatsPerAddress != Network::seatsPerAddress ||
                             options.watchersPerAddress != Network::watchersPerAddress;
    if (options.mode != Server && (options.players != 2 || options.figures != 1))
        options.error = QStringLiteral("--players and --figures are for --server");
    else if (options.mode != Server &&
             (!options.listen.isEmpty() || limitsGiven || !options.replays.isEmpty()))
        options.error = QStringLiteral("--listen, --replays, --seats-per-address and "
                                       "--watchers-per-address are for --server");
    else if (options.upnp && options.mode != Server && options.mode != Host)
        options.error = QStringLiteral("--upnp is for --host and --server");
    else if ((options.mode == Query || options.mode == List) &&
             (!options.name.isEmpty() || !options.password.isEmpty()))
        options.error = QStringLiteral("--query and --list take no other option");
    else if (options.mode == Server)
        options.error = unknownServerOption(arguments);
    return options;
}

// A headless host has no Qt options to leave alone: whatever it does not know is a mistake.
QString NetworkOptions::unknownServerOption(const QStringList& arguments) {
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const QString option = a.section(QLatin1Char('='), 0, 0);
        const bool joined = a.contains(QLatin1Char('='));
        if (a == QLatin1String("--server")) {
            if (i + 1 < arguments.size() && isValue(arguments[i + 1]))
                ++i;
        } else if (a == QLatin1String("--upnp")) {
            continue; // a switch without a value
        } else if (serverOptions.contains(option)) {
            if (!joined)
                ++i; // its value, already read
        } else {
            return QStringLiteral("unknown option for --server: %1").arg(a);
        }
    }
    return QString();
}
