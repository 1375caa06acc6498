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
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                           QStringLiteral("/seats");
    return QStringLiteral("%1/%2_%3").arg(folder, name.left(200)).arg(port);
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
    const quint64 token = file.read(32).trimmed().toULongLong(&ok, 16);
    return ok ? token : 0;
}

void SeatTokens::keep(const QString& host, quint16 port, quint64 token) {
    const QString path = fileOf(host, port);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return; // no seat back after a crash, but the game goes on
    file.write(QByteArray::number(token, 16) + '\n');
    file.commit();
}

void SeatTokens::forget(const QString& host, quint16 port) {
    QFile::remove(fileOf(host, port));
}
