// The player texts' language: the first of the desktop's languages that the game speaks.
#include "game/app/GameLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTranslator>

namespace {

const QString folder = QStringLiteral(":/translations/");
const QString prefix = QStringLiteral("tortoise-valley_");
QTranslator* installed = nullptr; // the translation put in last, owned by the application

} // namespace

// The translations live in the game's static library: its resources are registered by hand (and
// outside any namespace, as Qt asks).
static void initResources() {
    Q_INIT_RESOURCE(translations);
}

QStringList GameLanguage::available() {
    initResources();
    QStringList names;
    for (const QString& file : QDir(folder).entryList({prefix + "*.qm"}, QDir::Files, QDir::Name))
        names.append(file.mid(prefix.size(), file.size() - prefix.size() - 3));
    return names;
}

QString GameLanguage::chosen(const QStringList& preferred, const QStringList& available) {
    for (const QString& entry : preferred) {
        const QLocale locale(entry);
        // "C" and "POSIX" give the C locale; unknown names too, which then say nothing.
        if (locale.language() == QLocale::C) {
            const QString bare = entry.section('.', 0, 0);
            if (bare == QLatin1String("C") || bare == QLatin1String("POSIX"))
                return QString();
            continue;
        }
        if (locale.language() == QLocale::German)
            return QString();
        const QString name = locale.name(); // "en_GB", "pt_BR"
        if (available.contains(name))
            return name;
        const QString language = name.section('_', 0, 0);
        if (available.contains(language))
            return language;
    }
    return QString();
}

QString GameLanguage::install(QCoreApplication& application) {
    return use(application, QStringLiteral("auto"));
}

QString GameLanguage::use(QCoreApplication& application, const QString& choice) {
    if (installed) {
        application.removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    const QStringList names = available();
    const QString language = choice == QLatin1String("auto")
                                 ? chosen(QLocale::system().uiLanguages(), names)
                             : names.contains(choice) ? choice
                                                      : QString();
    if (language.isEmpty())
        return language;
    auto* translator = new QTranslator(&application);
    if (!translator->load(folder + prefix + language + ".qm")) {
        delete translator;
        return QString();
    }
    application.installTranslator(translator);
    installed = translator;
    return language;
}
