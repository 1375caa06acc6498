// Data lookup: the working directory's "../../data" wins, so a game started from its build folder
// always plays with the source tree's data; the installed folder is only the fallback.
#include "game/files/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

DataFiles::DataFiles()
    : DataFiles(QStringLiteral("../../data"),
                QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                QStringLiteral("/" TV_DATA_FROM_BIN))) {}

DataFiles::DataFiles(const QString& localFolder, const QString& installedFolder)
    : localFolder(localFolder), installedFolder(installedFolder) {}

QString DataFiles::path(const QString& name) const {
    const QString local = localFolder + '/' + name;
    if (QFileInfo::exists(local))
        return local;
    const QString installed = installedFolder + '/' + name;
    if (QFileInfo::exists(installed))
        return installed;
    return local;
}

QString DataFiles::alsoTried(const QString& path) const {
    const QString prefix = localFolder + '/';
    if (!path.startsWith(prefix) || QFileInfo::exists(path))
        return QString();
    const QString installed = installedFolder + '/' + path.mid(prefix.size());
    return QFileInfo::exists(installed) ? QString() : installed;
}
