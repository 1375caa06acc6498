// The texts are looked up in the context of the game window's texts, as every text of the game.
#include "game/files/DataFileFailure.h"

#include "game/files/DataFiles.h"

#include <QCoreApplication>

QString DataFileFailure::reason(const Bitmap::Failure& failure) {
    const QString figures = QString::fromStdString(failure.figures);
    switch (failure.fault) {
    case Bitmap::Fault::None:
        break;
    case Bitmap::Fault::CannotOpen:
        return QCoreApplication::translate("Game", "datei nicht lesbar");
    case Bitmap::Fault::NotBmp:
        return QCoreApplication::translate("Game", "keine BMP-datei");
    case Bitmap::Fault::TruncatedHeader:
        return QCoreApplication::translate("Game", "dateikopf unvollstaendig");
    case Bitmap::Fault::HeaderSize:
        return QCoreApplication::translate("Game", "dateikopf mit %1 bytes wird nicht unterstuetzt")
            .arg(figures);
    case Bitmap::Fault::BitCount:
        return QCoreApplication::translate("Game", "%1 bit pro pixel werden nicht unterstuetzt")
            .arg(figures);
    case Bitmap::Fault::Compressed:
        return QCoreApplication::translate("Game", "komprimierte bilder werden nicht unterstuetzt");
    case Bitmap::Fault::BadSize:
        return QCoreApplication::translate("Game", "ungueltige bildgroesse %1").arg(figures);
    case Bitmap::Fault::TooLarge:
        return QCoreApplication::translate("Game", "bild zu gross (%1)").arg(figures);
    case Bitmap::Fault::OutOfMemory:
        return QCoreApplication::translate("Game", "zu wenig speicher");
    }
    return QString();
}

QString DataFileFailure::message(const Bitmap::Failure& failure) {
    const QString file = QString::fromLocal8Bit(failure.file.c_str());
    const QString text = file + QStringLiteral(": ") + reason(failure);
    const QString installed = DataFiles().alsoTried(file);
    return installed.isEmpty()
               ? text
               : QCoreApplication::translate("Game", "%1 (auch gesucht: %2)").arg(text, installed);
}
