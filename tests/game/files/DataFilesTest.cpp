// Where the game finds its data: the working directory's "../../data" first, the installed folder
// only for a file that is not there, and a file found nowhere named in both places.
#include "game/files/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

TEST(DataFiles, EachFileComesFromTheLocalFolderWhenThereElseFromTheInstalledOne) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString local = root.filePath("data");
    const QString installed = root.filePath("share/tortoise-valley");
    const DataFiles data(local, installed);
    touch(local + "/valleyTex.bmp");
    touch(installed + "/valleyTex.bmp");
    touch(installed + "/valleyDepth.bmp");
    touch(installed + "/sounds/tick.wav");

    EXPECT_EQ(data.path("valleyTex.bmp"), local + "/valleyTex.bmp");
    EXPECT_EQ(data.path("valleyDepth.bmp"), installed + "/valleyDepth.bmp");
    EXPECT_EQ(data.path("sounds/tick.wav"), installed + "/sounds/tick.wav");
    EXPECT_EQ(data.alsoTried(data.path("valleyTex.bmp")), "");
    EXPECT_EQ(data.alsoTried(data.path("valleyDepth.bmp")), "");

    touch(local + "/valleyDepth.bmp");
    EXPECT_EQ(data.path("valleyDepth.bmp"), local + "/valleyDepth.bmp");
}

TEST(DataFiles, AFileFoundNowhereIsOpenedLocallyAndNamesTheInstalledPathTried) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString local = root.filePath("data");
    const QString installed = root.filePath("share/tortoise-valley");
    const DataFiles data(local, installed);

    EXPECT_EQ(data.path("valleyTex.bmp"), local + "/valleyTex.bmp");
    EXPECT_EQ(data.alsoTried(local + "/valleyTex.bmp"), installed + "/valleyTex.bmp");
    EXPECT_EQ(data.alsoTried(local + "/sounds/tick.wav"), installed + "/sounds/tick.wav");
    EXPECT_EQ(data.alsoTried("/elsewhere/valleyTex.bmp"), "");

    // The game's own folders: "../../data", and share/tortoise-valley beside the executable's bin.
    const DataFiles game;
    EXPECT_EQ(game.localFolder, "../../data");
    EXPECT_EQ(game.installedFolder, QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                    "/../share/tortoise-valley"));
}
