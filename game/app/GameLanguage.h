// The language of the player texts, chosen once at start-up. The game's texts are written in
// German; every other language is a translation built into the executable
// (":/translations/tortoise-valley_<language>.qm", from translations/ of the source tree). The
// desktop's languages are taken in their order of preference (LANGUAGE, then LC_ALL, LC_MESSAGES
// and LANG, as Qt reads them): the first one that is German, C/POSIX or has a translation decides.
// When none does, the texts stay German. The options screen's choice of a language, kept in the
// settings file, goes before the desktop's, and changes the language while the game runs.
#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

class GameLanguage {
public:
    // The translations built into the game, by locale name ("en"), sorted.
    static QStringList available();
    // The translation that languages in order of preference ("en-GB", "de-DE", "C") ask for, one
    // of available ("en", "pt_BR"), or empty for the game's own German texts.
    static QString chosen(const QStringList& preferred, const QStringList& available);
    // Installs into the application the translation the system's languages ask for, before any
    // text is made; tells which one (empty: German).
    static QString install(QCoreApplication& application);
    // Puts the texts into the language an options choice names: "auto" as install does, "de"
    // German, else that translation (German for one the game does not have). Takes out the
    // translation put in before; tells which one is in now (empty: German).
    static QString use(QCoreApplication& application, const QString& choice);
};
