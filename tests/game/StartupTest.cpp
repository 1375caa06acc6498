// Start-up with missing or broken data: the game ends at once with status 1 and says in German
// which file failed and why, instead of crashing or opening a broken window.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct GameRun {
    int exitCode;
    QString errors;
};

// Starts the game binary (next to the test programs) from folder/a/b, so that its data path
// "../../data" points at folder/data.
GameRun startGameIn(const QTemporaryDir& folder) {
    const QString work = folder.filePath("a/b");
    QDir().mkpath(work);
    QProcess game;
    game.setWorkingDirectory(work);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TV_NO_DIALOG", "1");
    // The process ends right after its report without tearing down the half-built window; in a
    // sanitized build that exit must not count as a leak.
    environment.insert("ASAN_OPTIONS", "detect_leaks=0");
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
    QDir().mkpath(folder.filePath("data"));
    const QString shipped =
        QString::fromLocal8Bit(qgetenv("TV_SOURCE_DIR")) + "/data/valleyTex.bmp";
    ASSERT_TRUE(QFile::copy(shipped, folder.filePath("data/valleyTex.bmp")));
    writeFile(folder.filePath("data/valleyDepth.bmp"), QByteArray("PK\x03\x04 not a picture"));
    const GameRun run = startGameIn(folder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(
        "Tortoise Valley kann nicht starten: ../../data/valleyDepth.bmp: keine BMP-datei\n"))
        << run.errors.toStdString();
}
