#include "tests/support/RunProgram.h"

#include <QProcess>

int runProgram(const QString& program, const QStringList& arguments, QString* out, int ms) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    if (!p.waitForFinished(ms)) {
        p.kill();
        p.waitForFinished(1000);
        return -1;
    }
    if (out)
        *out = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}
