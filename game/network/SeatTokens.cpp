#include "game/network/SeatTokens.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

QString SeatTokens::fileOf(const QString& host, quint16 port) {
    // A host's name or address as a file name: letters, digits, dots and dashes only.
    QString name;
    for (const QChar c : host.toLower())
        name += c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('-')
                    ? c
                    : QLatin1Char('_');
    return QStringLiteral("%1/%2_%3").arg(folder(), name.left(200)).arg(port);
}

QString SeatTokens::folder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/seats");
}

bool SeatTokens::newest(QString& host, quint16& port) {
    const QFileInfoList files =
        QDir(folder()).entryInfoList({QStringLiteral("*_*")}, QDir::Files, QDir::Time);
    for (const QFileInfo& info : files) {
        if (info.suffix() == QLatin1String("lock"))
            continue;
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // The token, then the host and the port it is for (a file of an older game has only
        // the token: its host's name is not to be read back from the file's name).
        const QList<QByteArray> lines = file.read(512).split('\n');
        bool tokenOk = false, portOk = false;
        lines.value(0).trimmed().toULongLong(&tokenOk, 16);
        const uint number = lines.value(2).trimmed().toUInt(&portOk);
        const QString name = QString::fromUtf8(lines.value(1).trimmed());
        if (!tokenOk || !portOk || number == 0 || number > 65535 || name.isEmpty() ||
            QFileInfo(fileOf(name, quint16(number))).fileName() != info.fileName())
            continue;
        host = name;
        port = quint16(number);
        return true;
    }
    return false;
}

std::unique_ptr<QLockFile> SeatTokens::claim(const QString& host, quint16 port) {
    const QString path = fileOf(host, port);
    QDir().mkpath(QFileInfo(path).absolutePath());
    auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    lock->setStaleLockTime(0); // stale only when its process is gone, however long it plays
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

quint64 SeatTokens::stored(const QString& host, quint16 port) {
    QFile file(fileOf(host, port));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    bool ok = false;
    const quint64 token = file.readLine(32).trimmed().toULongLong(&ok, 16);
    return ok ? token : 0;
}

void SeatTokens::keep(const QString& host, quint16 port, quint64 token) {
    const QString path = fileOf(host, port);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return; // no seat back after a crash, but the game goes on
    file.write(QByteArray::number(token, 16) + '\n' + host.toUtf8() + '\n' +
               QByteArray::number(port) + '\n');
    file.commit();
}

void SeatTokens::forget(const QString& host, quint16 port) {
    QFile::remove(fileOf(host, port));
}
