// A game's settings read from the command line.
#include "game/app/SettingsOptions.h"

#include "game/rules/SettingChoices.h"

namespace {

// The value of option at arguments[i], as "--option VALUE" or "--option=VALUE"; i moves past it.
// Returns false if arguments[i] is not that option.
bool valueOf(const QStringList& arguments, int& i, const QString& option, QString& value,
             QString& error) {
    const QString& a = arguments[i];
    if (a.startsWith(option + '=')) {
        value = a.mid(option.size() + 1);
        return true;
    }
    if (a != option)
        return false;
    if (i + 1 >= arguments.size()) {
        error = QStringLiteral("%1 needs a value").arg(option);
        return true;
    }
    value = arguments[++i];
    return true;
}

} // namespace

SettingsOptions SettingsOptions::parse(const QStringList& arguments) {
    SettingsOptions options;
    GameSettings& s = options.settings;
    for (int i = 1; i < arguments.size() && options.error.isEmpty(); ++i) {
        QString value;
        if (valueOf(arguments, i, QStringLiteral("--valley"), value, options.error)) {
            if (!options.error.isEmpty())
                break;
            options.given << QStringLiteral("--valley");
            bool isNumber = false;
            const int number = value.toInt(&isNumber);
            if (value == QLatin1String("standard")) {
                s.valley = GameSettings::Valley::Standard;
            } else if (value == QLatin1String("random")) {
                s.valley = GameSettings::Valley::Random;
                s.valleyNumber = 0;
            } else if (isNumber) {
                if (number < 1 || number > 999999) {
                    options.error =
                        QStringLiteral("not a valley number (1 to 999999): %1").arg(value);
                    break;
                }
                s.valley = GameSettings::Valley::Random;
                s.valleyNumber = number;
            } else if (!value.isEmpty()) {
                s.valley = GameSettings::Valley::Picture;
                s.valleyPicture = value.toStdString();
            } else {
                options.error =
                    QStringLiteral("--valley needs standard, random, a number or a file");
            }
        } else {
            for (const SettingChoices::Row& row : SettingChoices::rows) {
                if (!valueOf(arguments, i, QLatin1String(row.option), value, options.error))
                    continue;
                int chosen = -1;
                for (int v = 0; v < row.count; ++v)
                    if (value == QLatin1String(row.values[v].word))
                        chosen = v;
                if (chosen >= 0) {
                    row.set(s, chosen);
                    options.given << QLatin1String(row.option);
                } else if (options.error.isEmpty())
                    options.error = QStringLiteral("%1: %2").arg(QLatin1String(row.refusal), value);
                break;
            }
        }
    }
    return options;
}
