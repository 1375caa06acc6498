// The one way the network and the headless host write a line for people to read: standard output
// for events, standard error for what went wrong. A headless host stamps each line with the time
// (ISO 8601, UTC), as a server's log is read.
#pragma once

#include <QString>
#include <cstdio>

class ReportLine {
public:
    static void write(std::FILE* to, const QString& line);
    static bool stamped; // each line begins with the time; off for a game window
};
