#include "game/network/ReportLine.h"

#include <QDateTime>

bool ReportLine::stamped = false;

void ReportLine::write(std::FILE* to, const QString& line) {
    if (stamped)
        std::fprintf(to, "%s %s\n",
                     qUtf8Printable(QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)),
                     qUtf8Printable(line));
    else
        std::fprintf(to, "%s\n", qUtf8Printable(line));
    std::fflush(to);
}
