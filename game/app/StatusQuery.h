// `--query HOST[:PORT]` and `--list`, with no window: a host's status, or the games on the local
// network, printed as "key: value" lines in English for people and for scripts (server lists,
// monitors). The query is sent three times, a while apart, since a datagram may be lost; the
// answer to the first that comes back is printed. With none, a connection to the game's port
// tells why (refused: no game there).
#pragma once

struct NetworkOptions;

class StatusQuery {
public:
    static constexpr int waitMs = 2500;  // for a host's answer, in all
    static constexpr int listMs = 2000;  // for the local network's answers
    static constexpr int againMs = 800;  // between the queries
    static constexpr int probeMs = 1500; // for the game's port, when no status came

    // Under a running QCoreApplication: 0 with the status printed (--list: with every game
    // found, none too), 1 with the reason on standard error when the host cannot be found or
    // gives no answer.
    static int run(const NetworkOptions& options);
};
