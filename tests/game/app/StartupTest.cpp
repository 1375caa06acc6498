// Start-up with missing or broken data: the game ends at once with status 1 and says in German
// which file failed and why, instead of crashing or opening a broken window. Without a sound device
// or its sound files it starts all the same, silently, and says so in one line.
#include "game/sound/GameSound.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct GameRun {
    int exitCode;
    QString errors;
};

// Starts the game binary (next to the test programs) from folder/a/b, so that its data path
// "../../data" points at folder/data, with the given variables added to the environment.
GameRun startGameIn(const QTemporaryDir& folder, const QStringList& variables = {}) {
    const QString work = folder.filePath("a/b");
    QDir().mkpath(work);
    QProcess game;
    game.setWorkingDirectory(work);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TV_NO_DIALOG", "1");
    // The process ends right after its report without tearing down the half-built window; in a
    // sanitized build that exit must not count as a leak.
    environment.insert("ASAN_OPTIONS", "detect_leaks=0");
    // The reports are read in the game's own German, whatever the machine's languages.
    environment.insert("LANGUAGE", "de");
    for (const QString& variable : variables)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    game.setProcessEnvironment(environment);
    game.start(QDir::current().absoluteFilePath("tortoise-valley"), QStringList());
    EXPECT_TRUE(game.waitForFinished(60000));
    return {game.exitStatus() == QProcess::NormalExit ? game.exitCode() : -1,
            QString::fromLocal8Bit(game.readAllStandardError())};
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Copies a file of the repository's data folder into folder/data.
void copyData(const QTemporaryDir& folder, const QString& name) {
    const QString shipped = QString::fromLocal8Bit(qgetenv("TV_SOURCE_DIR")) + "/data/" + name;
    QDir().mkpath(QFileInfo(folder.filePath("data/" + name)).path());
    ASSERT_TRUE(QFile::copy(shipped, folder.filePath("data/" + name))) << name.toStdString();
}

// The lines the game itself wrote to standard error (the sound library may add its own).
QStringList gameLines(const QString& errors) {
    return errors.split('\n').filter(QRegularExpression("^tortoise-valley: "));
}

} // namespace

TEST(Startup, MissingTextureIsNamedWithTheInstalledPathAlsoTried) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const GameRun run = startGameIn(folder);
    EXPECT_EQ(run.exitCode, 1);
    // The game beside the tests is not installed: no data folder lies beside it.
    const QString installed =
        QDir::cleanPath(QDir::current().absoluteFilePath("../share/tortoise-valley/valleyTex.bmp"));
    EXPECT_EQ(run.errors.trimmed().split('\n').last(),
              "tortoise-valley: Tortoise Valley kann nicht starten: ../../data/valleyTex.bmp: "
              "datei nicht lesbar (auch gesucht: " +
                  installed + ")")
        << run.errors.toStdString();
}

TEST(Startup, BrokenHeightmapIsNamed) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    copyData(folder, "valleyTex.bmp");
    writeFile(folder.filePath("data/valleyDepth.bmp"), QByteArray("PK\x03\x04 not a picture"));
    const GameRun run = startGameIn(folder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(
        "Tortoise Valley kann nicht starten: ../../data/valleyDepth.bmp: keine BMP-datei\n"))
        << run.errors.toStdString();
}

// Until its first frame, with the sound device or the sound files gone: the game starts, and says
// once that it plays without sound.
TEST(Startup, WithoutSoundTheGameStartsSilently) {
    struct Case {
        const char* name;
        QString device;   // an OpenAL Soft output, or none when the wave writer has no file
        bool soundFiles;  // whether data/sounds is there
        QString expected; // the game's one line on standard error
    };
    // Each sound file is looked up in both data folders; the installed one is not there beside
    // the game of the build tree.
    const QString installed =
        QDir::cleanPath(QDir::current().absoluteFilePath("../share/tortoise-valley"));
    const Case cases[] = {
        {"no device", QString(), true, "tortoise-valley: no sound device, playing without sound"},
        {"no sound files", "null", false,
         "tortoise-valley: no sound files in ../../data/sounds or " + installed +
             "/sounds, playing without sound"},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        copyData(folder, "valleyDepth.bmp");
        copyData(folder, "valleyTex.bmp");
        if (c.soundFiles)
            for (const char* name : GameSound::fileNames)
                copyData(folder, QStringLiteral("sounds/") + name);
        // An empty wave file name keeps OpenAL Soft's wave writer from opening: no device at all.
        writeFile(folder.filePath("alsoft.conf"), "[wave]\nfile =\n");
        const GameRun run = startGameIn(
            folder, {"TV_EXIT_AFTER_FIRST_FRAME=1", "ALSOFT_CONF=" + folder.filePath("alsoft.conf"),
                     "ALSOFT_DRIVERS=" + (c.device.isEmpty() ? QStringLiteral("wave") : c.device)});
        EXPECT_EQ(run.exitCode, 0) << c.name << ": " << run.errors.toStdString();
        EXPECT_EQ(gameLines(run.errors), QStringList{c.expected})
            << c.name << ": " << run.errors.toStdString();
    }
}
