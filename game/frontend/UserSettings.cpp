// Reading and writing the settings file: each value checked on the way in, its words those of the
// command line where it has one.
#include "game/frontend/UserSettings.h"

#include "game/frontend/OptionChoices.h"
#include "game/network/Roster.h"
#include "game/rules/SettingChoices.h"
#include "game/world/TeamColours.h"
#include "game/world/ValleyGenerator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>
#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

const char* const levelWords[] = {"off", "easy", "medium", "hard"};
const char* const valleyWords[] = {"standard", "random", "picture"};
// A seat's player: as the main menu's level has it, a person, or the computer at a level.
const char* const seatWords[] = {"menu", "person", "easy", "medium", "hard"};
constexpr int seatCount = Seat::most;

QString seatKey(int seat, const char* what) {
    return QStringLiteral("seat%1-%2").arg(seat + 1).arg(QLatin1String(what));
}
constexpr int longestPath = 4096; // of a valley picture's file

// A row's name in the file: its option without the dashes ("wind").
QString nameOf(const SettingChoices::Row& row) {
    return QLatin1String(row.option).mid(2);
}

// The file's values, each checked: a value there that the game cannot take is counted as refused
// and leaves its choice as it was.
class Reader {
public:
    explicit Reader(QSettings& file) : file(file) {}

    // The text of a name, if the file holds one: false when it does not, or holds no text.
    bool text(const QString& name, QString& value) {
        if (!file.contains(name))
            return false;
        const QVariant read = file.value(name);
        if (read.userType() != QMetaType::QString) { // a list, or one of QSettings' own types
            ++refused;
            return false;
        }
        value = read.toString();
        return true;
    }
    // A whole number from first to last.
    bool number(const QString& name, int first, int last, int& value) {
        QString word;
        if (!text(name, word))
            return false;
        bool isNumber = false;
        const int read = word.toInt(&isNumber);
        return take(isNumber && read >= first && read <= last, value, read);
    }
    // One of a list of words, as its place in the list.
    template <std::size_t N>
    bool word(const QString& name, const char* const (&words)[N], int& at) {
        QString read;
        if (!text(name, read))
            return false;
        for (std::size_t i = 0; i < N; ++i)
            if (read == QLatin1String(words[i]))
                return take(true, at, int(i));
        return take(false, at, 0);
    }
    bool take(bool good, int& value, int read) {
        if (good)
            value = read;
        else
            ++refused;
        return good;
    }

    QSettings& file;
    int refused = 0;
};

} // namespace

UserSettings::UserSettings(QString path) : file(std::move(path)) {}

QString UserSettings::defaultPath() {
    QString folder = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (folder.isEmpty() || QDir::isRelativePath(folder)) // as the desktop's rules have it
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder + QStringLiteral("/tortoise-valley/tortoise-valley.conf");
}

QString UserSettings::unusable() const {
    const QFileInfo info(file);
    if (!info.exists())
        return info.isSymLink() ? QStringLiteral("a link to nothing") : QString();
    if (!info.isFile())
        return QStringLiteral("not a regular file");
    if (!info.isReadable())
        return QStringLiteral("not readable");
    if (info.size() > largest)
        return QStringLiteral("larger than %1 bytes").arg(largest);
    return QString();
}

void UserSettings::tell(const QString& why) {
    if (told)
        return;
    told = true;
    std::fprintf(stderr, "tortoise-valley: the settings file %s: %s\n", qUtf8Printable(file),
                 qUtf8Printable(why));
}

void UserSettings::read(PlayerOptions& options, LastGame& last) {
    const QString why = unusable();
    if (!why.isEmpty()) {
        tell(why + QStringLiteral(", every choice at its default"));
        return;
    }
    if (!QFileInfo::exists(file))
        return; // the first run
    QSettings settings(file, QSettings::IniFormat);
    // Qt's own complaints of what it reads (a value of a type it does not know) are the file's
    // fault, told below in one line with the rest.
    const QtMessageHandler before =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const QStringList names = settings.allKeys(); // reads the file
    qInstallMessageHandler(before);
    // Some text with none of the game's names in it is no settings file of the game's either.
    const bool ours =
        names.isEmpty() || std::any_of(names.begin(), names.end(), [](const QString& n) {
            return n.startsWith(QLatin1String("options/")) || n.startsWith(QLatin1String("game/"));
        });
    if (settings.status() != QSettings::NoError || !ours) {
        tell(QStringLiteral("not a settings file, every choice at its default"));
        replaced = true;
        return;
    }
    Reader reader(settings);
    PlayerOptions chosen = options;
    for (const OptionChoices::Row& row : OptionChoices::rows) {
        QString word;
        if (reader.text(QStringLiteral("options/") + QLatin1String(row.name), word) &&
            !row.read(chosen, word))
            ++reader.refused;
    }
    const OptionChoices::Row& effects = OptionChoices::rows[OptionChoices::EffectsVolumeRow];
    QString former;
    if (!settings.contains(QStringLiteral("options/") + QLatin1String(effects.name)) &&
        reader.text(QStringLiteral("options/") + QLatin1String(OptionChoices::formerVolumeName),
                    former) &&
        !effects.read(chosen, former))
        ++reader.refused;

    LastGame game = last;
    reader.number(QStringLiteral("game/players"), 2, 9, game.players);
    reader.number(QStringLiteral("game/figures"), 1, 9, game.figures);
    int level = int(game.level);
    if (reader.word(QStringLiteral("game/computer"), levelWords, level))
        game.level = ComputerLevel(level);
    GameSettings& s = game.settings;
    for (const SettingChoices::Row& row : SettingChoices::rows) {
        QString word;
        if (!reader.text(QStringLiteral("game/") + nameOf(row), word))
            continue;
        int chosenValue = -1;
        for (int v = 0; v < row.count; ++v)
            if (word == QLatin1String(row.values[std::size_t(v)].word))
                chosenValue = v;
        if (reader.take(chosenValue >= 0, chosenValue, chosenValue))
            row.set(s, chosenValue);
    }
    int valley = int(s.valley);
    if (reader.word(QStringLiteral("game/valley"), valleyWords, valley)) {
        s.valley = GameSettings::Valley(valley);
        s.valleyNumber = 0; // drawn when the settings screen opens, unless kept below
        s.valleyPicture.clear();
    }
    if (s.valley == GameSettings::Valley::Random)
        reader.number(QStringLiteral("game/valley-number"), 1, ValleyGenerator::lastNumber,
                      s.valleyNumber);
    if (s.valley == GameSettings::Valley::Picture) {
        QString picture;
        const bool named = reader.text(QStringLiteral("game/valley-picture"), picture);
        const bool path = named && picture.size() <= longestPath && !picture.contains(QChar(0));
        if (named && !path)
            ++reader.refused;
        // A picture taken away since is no fault of the file: the standard valley then.
        if (path && QFileInfo(picture).isFile())
            s.valleyPicture = picture.toStdString();
        else
            s.valley = GameSettings::Valley::Standard;
    }
    game.seats.assign(seatCount, Seat());
    for (int i = 0; i < seatCount; ++i) {
        Seat& seat = game.seats[std::size_t(i)];
        const QString group = QStringLiteral("game/");
        QString name;
        if (reader.text(group + seatKey(i, "name"), name)) {
            if (name.isEmpty() || Roster::acceptableName(name))
                seat.name = name.trimmed();
            else
                ++reader.refused;
        }
        int player = 0;
        if (reader.word(group + seatKey(i, "player"), seatWords, player) && player > 0)
            seat.level = ComputerLevel(player - 1);
        reader.number(group + seatKey(i, "colour"), -1, TeamColours::count - 1, seat.colour);
    }
    if (reader.refused > 0)
        tell(QStringLiteral("%1 values the game cannot take, those choices at their defaults")
                 .arg(reader.refused));
    options = chosen;
    last = game;
}

template <class Set> void UserSettings::write(Set set) {
    const QString why = unusable();
    if (!why.isEmpty()) {
        tell(why + QStringLiteral(", no choice kept"));
        return;
    }
    if (replaced) // a new file, rather than the old one's rubbish kept beside the choice
        QFile::remove(file);
    replaced = false;
    QSettings settings(file, QSettings::IniFormat);
    set(settings);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        tell(QStringLiteral("cannot be written, no choice kept"));
}

void UserSettings::writeOption(const PlayerOptions& options, int row) {
    const OptionChoices::Row& choice = OptionChoices::rows[std::size_t(row)];
    write([&](QSettings& settings) {
        settings.setValue(QStringLiteral("options/") + QLatin1String(choice.name),
                          choice.word(options));
        if (row == OptionChoices::EffectsVolumeRow) // what the former name kept is this now
            settings.remove(QStringLiteral("options/") +
                            QLatin1String(OptionChoices::formerVolumeName));
    });
}

void UserSettings::writeLastGame(const LastGame& last) {
    write([&](QSettings& settings) {
        settings.beginGroup(QStringLiteral("game"));
        if (last.players > 0 && last.figures > 0) {
            settings.setValue(QStringLiteral("players"), QString::number(last.players));
            settings.setValue(QStringLiteral("figures"), QString::number(last.figures));
        }
        settings.setValue(QStringLiteral("computer"), QLatin1String(levelWords[int(last.level)]));
        const GameSettings& s = last.settings;
        for (const SettingChoices::Row& row : SettingChoices::rows)
            settings.setValue(nameOf(row), QLatin1String(row.values[std::size_t(row.get(s))].word));
        settings.setValue(QStringLiteral("valley"), QLatin1String(valleyWords[int(s.valley)]));
        settings.remove(QStringLiteral("valley-number"));
        settings.remove(QStringLiteral("valley-picture"));
        if (s.valley == GameSettings::Valley::Random)
            settings.setValue(QStringLiteral("valley-number"), QString::number(s.valleyNumber));
        if (s.valley == GameSettings::Valley::Picture)
            settings.setValue(QStringLiteral("valley-picture"),
                              QString::fromStdString(s.valleyPicture));
        for (int i = 0; i < seatCount; ++i) {
            const Seat seat = i < int(last.seats.size()) ? last.seats[std::size_t(i)] : Seat();
            settings.setValue(seatKey(i, "name"), seat.name);
            settings.setValue(seatKey(i, "player"),
                              QLatin1String(seatWords[seat.level ? int(*seat.level) + 1 : 0]));
            settings.setValue(seatKey(i, "colour"), QString::number(seat.colour));
        }
        settings.endGroup();
    });
}

void UserSettings::writeComputerLevel(ComputerLevel level) {
    write([&](QSettings& settings) {
        settings.setValue(QStringLiteral("game/computer"), QLatin1String(levelWords[int(level)]));
    });
}
