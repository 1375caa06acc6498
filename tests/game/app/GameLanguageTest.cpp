// The game's languages: every translation covers every player text of the sources, and the game
// speaks English only where the desktop asks for it, German everywhere else, exactly as before.
#include "game/app/GameLanguage.h"
#include "game/frontend/OptionChoices.h"
#include "game/session/Game.h"
#include "tests/support/GameDriver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace GameDriver;

namespace {

QString sourceDir() {
    return QString::fromLocal8Bit(qgetenv("TV_SOURCE_DIR"));
}

struct Entry {
    QString context;
    QString source;
    QString translation;
    QString type; // "" finished, "unfinished", "vanished" or "obsolete"
};

QList<Entry> readTs(const QString& path) {
    QList<Entry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString context;
    Entry entry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            entry = Entry{context, QString(), QString(), QString()};
        } else if (xml.name() == QLatin1String("source")) {
            entry.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            entry.type = xml.attributes().value("type").toString();
            entry.translation = xml.readElementText();
            entries.append(entry);
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return entries;
}

// The placeholders of a text ("%1", "%2"), sorted.
QStringList placeholders(const QString& text) {
    QStringList found;
    auto it = QRegularExpression("%[1-9]").globalMatch(text);
    while (it.hasNext())
        found.append(it.next().captured());
    found.sort();
    return found;
}

QString edges(const QString& text) {
    return QString(text.startsWith(' ') ? "space" : "") + "|" + (text.endsWith(' ') ? "space" : "");
}

} // namespace

// Each translation, refreshed by lupdate from the sources of game/ as the lupdate target does (into
// a copy), holds a finished entry for every text the sources hand to tr. A text added to the game
// without its translation comes out of lupdate unfinished, and fails here. Entries whose text is
// not in the sources (yet or any more) come out vanished and do not count.
TEST(GameLanguage, EveryTranslationCoversEveryPlayerText) {
    const QStringList files = QDir(sourceDir() + "/translations").entryList({"*.ts"}, QDir::Files);
    ASSERT_TRUE(files.contains("tortoise-valley_en.ts")) << files.join(' ').toStdString();
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const QString copy = folder.filePath(name);
        ASSERT_TRUE(QFile::copy(sourceDir() + "/translations/" + name, copy));
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(TV_LUPDATE, {"-silent", "-locations", "none", "-I", sourceDir(),
                                   sourceDir() + "/game", "-ts", copy});
        ASSERT_TRUE(lupdate.waitForFinished(60000));
        ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();

        QStringList texts;
        for (const Entry& e : readTs(copy)) {
            if (e.type == "vanished" || e.type == "obsolete")
                continue;
            const std::string what = (e.context + " \"" + e.source + "\"").toStdString();
            texts.append(e.source);
            EXPECT_EQ(e.context, "Game") << what;
            EXPECT_TRUE(e.type.isEmpty() && !e.translation.isEmpty()) << what << " unfinished";
            // Figures go where they went, and pieces of a line keep their joining spaces.
            EXPECT_EQ(placeholders(e.translation), placeholders(e.source)) << what;
            EXPECT_EQ(edges(e.translation), edges(e.source)) << what;
        }
        // The refresh read the texts of the window and of the program entry.
        EXPECT_TRUE(texts.contains("neues spiel")) << texts.join('|').toStdString();
        EXPECT_TRUE(texts.contains("Tortoise Valley kann nicht starten: %1"));
    }
}

// Run only as a child of the next test, in the environment it sets up: installs the translation as
// the program entry does, then reads the main menu and a turn's panels from the frames.
TEST(GameLanguage, DISABLED_TextsUnderThisEnvironment) {
    const bool english = qgetenv("TV_EXPECTED_LANGUAGE") == "en";
    ASSERT_EQ(GameLanguage::install(*QCoreApplication::instance()), english ? "en" : "");
    auto say = [english](const char* german, const char* inEnglish) {
        return QString::fromUtf8(english ? inEnglish : german);
    };

    QImage image = frame();
    ASSERT_EQ(image.size(), QSize(800, 600));
    expectTextLine(image, 240, 180, "return:", 30);
    expectTextLine(image, 260, 260, say("neues spiel", "new game"), 30);
    expectTextLine(image, 240, 340, say("c: computer: aus", "c: computer: off"), 24);
    expectTextLine(image, 240, 420, say("esc: schliesen", "esc: quit"), 30);
    EXPECT_EQ(log().last(), say("Willkommen", "welcome"));

    startRound(2, 1, 41);
    toMoving();
    tick();
    image = frame();
    expectTextLine(image, 20, 40, say("spieler 0", "player 0"), 20);
    expectTextLine(image, 20, 80, say("am zug", "your turn"), 20);
    expectTextLine(image, 20, 120, say("59 sekunden", "59 seconds"), 20);
    expectTextLine(image, 20, 160, say("uebrig", "left"), 20);
    expectTextLine(image, 20, 188, say("werfen: 44 s", "throw: 44 s"), 16);
    // The key panel is as wide as its longest line in the language shown.
    const int keysX = game().hud().places().keys.left() + 20;
    expectTextLine(image, keysX, 80, say("feuermodus", "fire mode"), 20);
    expectTextLine(image, keysX, 160, say("hauptmenue", "main menu"), 20);
    expectTextLine(image, keysX, 188, say("f1: tasten", "f1: keys"), 16);
    expectTextLine(image, 15, 580, say("Willkommen", "welcome"), 15);
}

// A translation where the desktop's languages ask for it first, German for German, for C and for
// languages without a translation; then the game itself under LANGUAGE=en, LANG=C and
// LANG=de_DE.UTF-8, one process each (one game window per process).
TEST(GameLanguage, ATranslationOnlyWhereAskedFor) {
    const QStringList available = GameLanguage::available();
    ASSERT_EQ(available, (QStringList{"en", "es", "fr", "pl", "ru"}));
    const struct {
        QStringList preferred;
        QString chosen;
    } choices[] = {
        {{"en", "en-US", "en-Latn-US"}, "en"},
        {{"en-GB", "en-Latn-GB"}, "en"}, // LANG=en_GB.UTF-8: no bare "en" in the list
        {{"C"}, ""},
        {{"de-DE", "de", "de-Latn-DE"}, ""},
        {{"fr-FR", "fr", "fr-Latn-FR"}, "fr"},
        {{"ru-RU", "ru", "ru-Cyrl-RU"}, "ru"},
        {{"it", "it-IT", "es", "es-ES"}, "es"}, // LANGUAGE=it:es: Italian is not there, Spanish is
        {{"it-IT", "it"}, ""},
        {{"de", "de-DE", "en", "en-US"}, ""}, // LANGUAGE=de:en: German comes first
        {{}, ""},
    };
    for (const auto& c : choices)
        EXPECT_EQ(GameLanguage::chosen(c.preferred, available), c.chosen)
            << c.preferred.join(':').toStdString();

    const struct {
        const char* variable;
        const char* value;
        const char* expected;
    } runs[] = {{"LANGUAGE", "en", "en"}, {"LANG", "C", "de"}, {"LANG", "de_DE.UTF-8", "de"}};
    for (const auto& run : runs) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
            environment.remove(name);
        environment.insert(run.variable, run.value);
        environment.insert("TV_EXPECTED_LANGUAGE", run.expected);
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=GameLanguage.DISABLED_TextsUnderThisEnvironment",
                     "--gtest_also_run_disabled_tests"});
        ASSERT_TRUE(child.waitForFinished(120000)) << run.variable << "=" << run.value;
        const QString output = QString::fromLocal8Bit(child.readAll());
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << run.variable << "=" << run.value;
        EXPECT_EQ(child.exitCode(), 0) << run.variable << "=" << run.value << ":\n"
                                       << output.toStdString();
        EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << run.variable << "=" << run.value;
    }
}

// The options screen's language goes in at once: the next frame of the options screen and of the
// main menu speaks it, a language the game has none of is German, and "auto" is the desktop's.
TEST(GameLanguage, TheOptionsLanguageIsDrawnAtOnce) {
    QCoreApplication& application = *QCoreApplication::instance();
    game().languageChosen = [&application](const QString& choice) {
        GameLanguage::use(application, choice);
    };
    ASSERT_EQ(game().front.screen, FrontEnd::Screen::MainMenu);
    expectTextLine(frame(), 260, 260, "neues spiel", 30);
    tap(Qt::Key_O);
    ASSERT_EQ(game().front.screen, FrontEnd::Screen::Options);
    const struct {
        const char* language;
        const char* row;     // the options screen's line of the language
        const char* newGame; // the main menu's first line
    } steps[] = {{"de", "s: sprache: deutsch", "neues spiel"},
                 {"en", "s: language: english", "new game"},
                 {"fr", "s: langue: fran\u00e7ais", "nouvelle partie"},
                 {"es", "s: idioma: espa\u00f1ol", "nueva partida"},
                 {"pl", "s: j\u0119zyk: polski", "nowa gra"},
                 {"ru", "s: \u044f\u0437\u044b\u043a: \u0440\u0443\u0441\u0441\u043a\u0438\u0439",
                  "\u043d\u043e\u0432\u0430\u044f \u0438\u0433\u0440\u0430"}};
    const int languageRow = 70 + 34 * OptionChoices::LanguageRow;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.language);
        tap(Qt::Key_S);
        ASSERT_EQ(game().front.options.language, step.language);
        // A menu panel widens, about its middle, for a line that needs it.
        QImage image = frame();
        expectTextLine(image, game().hud().menuPlace().left() + 30, 100 + languageRow,
                       QString::fromUtf8(step.row), 20);
        tap(Qt::Key_O);
        image = frame();
        expectTextLine(image, game().hud().menuPlace().left() + 60, 260,
                       QString::fromUtf8(step.newGame), 30);
        tap(Qt::Key_O);
    }
    EXPECT_EQ(GameLanguage::use(application, "xx"), "");
    expectTextLine(frame(), 230, 100 + 70, "l: licht: nacht", 20);
    EXPECT_EQ(GameLanguage::use(application, "auto"),
              GameLanguage::chosen(QLocale::system().uiLanguages(), GameLanguage::available()));
    tap(Qt::Key_S); // back to "auto" and to the desktop's language, as the next run starts
    EXPECT_EQ(game().front.options.language, "auto");
    GameLanguage::use(application, "de");
    tap(Qt::Key_Escape);
}
