// The settings file: every choice comes back as it was written, and a broken or hostile file gives
// the defaults with one line on standard error. Each test works in a folder of its own as
// XDG_CONFIG_HOME, never in the user's.
#include "game/frontend/UserSettings.h"
#include "game/frontend/OptionChoices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        before = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
        // Qt's own messages count among the lines on standard error, wherever Qt would send them.
        qtMessages =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) {
                std::fprintf(stderr, "%s\n", qUtf8Printable(m));
            });
    }
    void TearDown() override {
        qInstallMessageHandler(qtMessages);
        qputenv("XDG_CONFIG_HOME", before);
    }

    // The file's contents, its folder made.
    void writeFile(const QByteArray& bytes) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(UserSettings::defaultPath()).path()));
        QFile file(UserSettings::defaultPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // What a new run reads, and the lines it writes on standard error.
    struct Read {
        PlayerOptions options;
        UserSettings::LastGame last;
        int lines;
    };
    static Read readBack() {
        Read read;
        UserSettings file;
        testing::internal::CaptureStderr();
        file.read(read.options, read.last);
        read.lines =
            int(QString::fromStdString(testing::internal::GetCapturedStderr()).count('\n'));
        return read;
    }

    QTemporaryDir folder;
    QByteArray before;
    QtMessageHandler qtMessages = nullptr;
};

} // namespace

TEST_F(SettingsFile, EveryChoiceComesBackAsWritten) {
    EXPECT_EQ(UserSettings::defaultPath(),
              folder.path() + QStringLiteral("/tortoise-valley/tortoise-valley.conf"));
    Read first = readBack(); // no file yet: the defaults, nothing said
    EXPECT_EQ(first.options, PlayerOptions());
    EXPECT_EQ(first.last, UserSettings::LastGame());
    EXPECT_EQ(first.lines, 0);

    // Every value of every option, each written alone as the options screen does, and read back
    // by a new run with all the others kept.
    UserSettings file;
    PlayerOptions chosen;
    for (std::size_t row = 0; row < OptionChoices::rows.size(); ++row) {
        const OptionChoices::Row& option = OptionChoices::rows[row];
        for (int step = 0; step < 12; ++step) {
            option.step(chosen, option.backKey && step >= 6 ? -1 : 1);
            file.writeOption(chosen, int(row));
            const Read read = readBack();
            EXPECT_EQ(read.options, chosen)
                << option.name << " " << option.word(chosen).toStdString();
            EXPECT_EQ(read.lines, 0);
        }
        option.step(chosen, 1); // none at its default any more
        file.writeOption(chosen, int(row));
    }
    ASSERT_NE(chosen.light, PlayerOptions().light);
    ASSERT_NE(chosen.mouse, PlayerOptions().mouse);
    ASSERT_NE(chosen.effectsVolume, PlayerOptions().effectsVolume);
    ASSERT_NE(chosen.musicVolume, PlayerOptions().musicVolume);
    ASSERT_NE(chosen.fullScreen, PlayerOptions().fullScreen);
    ASSERT_NE(chosen.renderScale, PlayerOptions().renderScale);
    ASSERT_NE(chosen.language, PlayerOptions().language);

    // The last game on a random valley, then on a picture of one's own whose name holds what the
    // file's format would take for a list or a comment; the level on its own.
    UserSettings::LastGame game;
    game.players = 7;
    game.figures = 4;
    game.settings.valley = GameSettings::Valley::Random;
    game.settings.valleyNumber = 999999;
    game.settings.wind = GameSettings::Wind::Strong;
    game.settings.weapons = GameSettings::Weapons::All;
    game.level = ComputerLevel::Hard;
    game.seats[0] = {QStringLiteral("anna = #1; \"x\""), ComputerLevel::Off, 8};
    game.seats[3] = {QStringLiteral("robo"), ComputerLevel::Hard, -1};
    game.seats[8] = {QString(), ComputerLevel::Easy, 0};
    file.writeLastGame(game);
    EXPECT_EQ(readBack().last, game);
    const QString picture = folder.filePath(QStringLiteral("mein tal, nr; 2 = gut.bmp"));
    QFile(picture).open(QIODevice::WriteOnly);
    game.settings.valley = GameSettings::Valley::Picture;
    game.settings.valleyNumber = 0;
    game.settings.valleyPicture = picture.toStdString();
    game.settings.wind = GameSettings::Wind::Light;
    file.writeLastGame(game);
    file.writeComputerLevel(ComputerLevel::Easy);
    game.level = ComputerLevel::Easy;
    const Read read = readBack();
    EXPECT_EQ(read.last, game);
    EXPECT_EQ(read.options, chosen);
    EXPECT_EQ(read.lines, 0);

    // A picture taken away since is the standard valley, and no fault of the file.
    ASSERT_TRUE(QFile::remove(picture));
    const Read gone = readBack();
    EXPECT_EQ(gone.last.settings.valley, GameSettings::Valley::Standard);
    EXPECT_EQ(gone.lines, 0);
}

// A file of the days of one volume for everything: its "volume" is the effects', the music
// plays at its default; the first choice of the effects' volume takes the old name's place, and
// a file holding both names goes by the new one.
TEST_F(SettingsFile, AnOldFilesVolumeIsTheEffectsVolume) {
    writeFile("[options]\nvolume=3\nlight=bright\n");
    Read read = readBack();
    PlayerOptions old;
    old.effectsVolume = 3;
    old.light = ViewLight::Bright;
    EXPECT_EQ(read.options, old);
    EXPECT_EQ(read.lines, 0);

    UserSettings file;
    old.effectsVolume = 7;
    file.writeOption(old, OptionChoices::EffectsVolumeRow);
    QFile written(UserSettings::defaultPath());
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().trimmed(), QByteArray("[options]\neffects-volume=7\nlight=bright"));
    EXPECT_EQ(readBack().options, old);

    writeFile("[options]\nvolume=2\neffects-volume=4\nmusic-volume=0\n");
    read = readBack();
    EXPECT_EQ(read.options.effectsVolume, 4);
    EXPECT_EQ(read.options.musicVolume, 0);
    EXPECT_EQ(read.lines, 0);
}

TEST_F(SettingsFile, ABrokenOrHostileFileGivesTheDefaultsAndOneLine) {
    // Values out of range, of the wrong type or no value at all: each of those choices at its
    // default, what the file holds right kept, names the game does not know passed over.
    writeFile("[options]\nlight=moon\nmouse=right-button\nvolume=11\nfull-screen=1\n"
              "render-scale=0.1\n[game]\nplayers=99\nfigures=-1\nwind=off,strong\n"
              "weapons=all\ncomputer=@ByteArray(hard)\nvalley=random\n"
              "valley-number=100000000000000000000\n"
              "seat1-name=" +
              QByteArray(17, 'x') +
              "\nseat2-name=\"a\\x1b[2Jb\"\n"
              "seat3-player=god\nseat4-colour=9\nseat5-colour=-2\nseat6-player=hard\n"
              "seat7-colour=3\nseat99-name=zu viele\n"
              "[unknown]\nsomething=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x5)\n");
    Read read = readBack();
    PlayerOptions kept;
    kept.mouse = MouseTurn::RightButton;
    EXPECT_EQ(read.options, kept);
    UserSettings::LastGame game;
    game.settings.weapons = GameSettings::Weapons::All;
    game.settings.valley = GameSettings::Valley::Random; // its number drawn when it is chosen
    game.seats[5].level = ComputerLevel::Hard;
    game.seats[6].colour = 3;
    EXPECT_EQ(read.last, game);
    EXPECT_EQ(read.lines, 1);

    // Files that are no settings file at all: every choice at its default.
    QByteArray garbage("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe[", 18);
    for (int i = 0; i < 4000; ++i)
        garbage.append(char((i * 7919) % 256));
    const QByteArray broken[] = {garbage, QByteArray("just some words\nand more\n"),
                                 "[options]\nvolume=" + QByteArray(UserSettings::largest, '9')};
    for (const QByteArray& bytes : broken) {
        writeFile(bytes);
        read = readBack();
        EXPECT_EQ(read.options, PlayerOptions()) << bytes.left(20).toStdString();
        EXPECT_EQ(read.last, UserSettings::LastGame());
        EXPECT_EQ(read.lines, 1) << bytes.left(20).toStdString();
    }
    // A choice made after such a file was read replaces it with one that holds the choice alone.
    writeFile(garbage);
    {
        UserSettings file;
        PlayerOptions options;
        UserSettings::LastGame last;
        testing::internal::CaptureStderr();
        file.read(options, last);
        options.light = ViewLight::Bright;
        file.writeOption(options, OptionChoices::LightRow);
        EXPECT_EQ(QString::fromStdString(testing::internal::GetCapturedStderr()).count('\n'), 1);
    }
    QFile written(UserSettings::defaultPath());
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().trimmed(), QByteArray("[options]\nlight=bright"));

    // No regular file where the file should be: a folder, a link to an endless device. The one
    // line is said once a run, though the file is read and then written to.
    ASSERT_TRUE(QFile::remove(UserSettings::defaultPath()));
    for (bool folderThere : {true, false}) {
        if (folderThere)
            ASSERT_TRUE(QDir().mkpath(UserSettings::defaultPath()));
        else
            ASSERT_TRUE(QDir(UserSettings::defaultPath()).removeRecursively() &&
                        QFile::link(QStringLiteral("/dev/zero"), UserSettings::defaultPath()));
        UserSettings file;
        PlayerOptions options;
        UserSettings::LastGame last;
        testing::internal::CaptureStderr();
        file.read(options, last);
        file.writeOption(kept, OptionChoices::MouseRow);
        file.writeLastGame(game);
        const QString said = QString::fromStdString(testing::internal::GetCapturedStderr());
        EXPECT_EQ(options, PlayerOptions());
        EXPECT_EQ(last, UserSettings::LastGame());
        EXPECT_EQ(said.count('\n'), 1) << said.toStdString();
        EXPECT_TRUE(said.contains(UserSettings::defaultPath())) << said.toStdString();
    }
}
