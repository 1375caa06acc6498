// The log's lines in words. They are translated in the context of the game window's texts, where
// every text of the game is looked up.
#include "game/match/LogLine.h"

#include "game/rules/Rules.h"

#include <QCoreApplication>
#include <QStringList>

// Each text is written out in full, so that lupdate finds it.

namespace {
constexpr int mostDamage = 999; // more than any blast takes
}

// Names are the players' own words: every figure goes in with one arg(), so that a "%1" in a name
// stays as it is.
// A hit keeps whom it hurt and by how much as "M:D" in the detail, figures only, so that each
// machine words it in its own language; a detail that is not that (from a host gone wrong) says
// no more than who threw.
LogLine LogLine::hit(int thrower, int player, int damage) {
    return LogLine(Text::Hit, thrower, QStringLiteral("%1:%2").arg(player).arg(damage));
}

QString LogLine::hitShown(const QString& who, const Names& names) const {
    const QStringList parts = detail.split(QLatin1Char(':'));
    bool playerRead = false, damageRead = false;
    const int hurt = parts.size() == 2 ? parts[0].toInt(&playerRead) : -1;
    const int damage = parts.size() == 2 ? parts[1].toInt(&damageRead) : 0;
    if (!playerRead || !damageRead || hurt < 0 || hurt > 8 || damage < 1 || damage > mostDamage)
        return who + QCoreApplication::translate("Game", " trifft");
    if (hurt == player)
        return QCoreApplication::translate("Game", "%1 trifft sich selbst: -%2")
            .arg(who, QString::number(damage));
    const QString name = names ? names(hurt) : QString();
    const QString whom =
        name.isEmpty() ? QCoreApplication::translate("Game", "spieler ") + QString::number(hurt)
                       : name;
    return QCoreApplication::translate("Game", "%1 trifft %2: -%3")
        .arg(who, whom, QString::number(damage));
}

QString LogLine::shown(const Names& names) const {
    const QString number = QString::number(player);
    const QString name = names && player >= 0 ? names(player) : QString();
    const QString who =
        name.isEmpty() ? QCoreApplication::translate("Game", "spieler ") + number : name;
    switch (text) {
    case Text::Empty:
        return QString();
    case Text::Welcome:
        return QCoreApplication::translate("Game", "Willkommen");
    case Text::PlayerIs:
        return who + QCoreApplication::translate("Game", " ist");
    case Text::Suicidal:
        return QCoreApplication::translate("Game", "suizidgefaehrdet");
    case Text::Player:
        return who;
    case Text::Losses:
        return QCoreApplication::translate("Game", "meldet verluste");
    case Text::Suicide:
        return QCoreApplication::translate("Game", "begeht selbstmord");
    case Text::Missing:
        return QCoreApplication::translate("Game", "wird vermisst");
    case Text::OnlyComputers:
        return QCoreApplication::translate("Game", "nur noch computer");
    case Text::WaitingPlayers:
        return QCoreApplication::translate("Game", "warte auf spieler");
    case Text::Joined:
        return who + QCoreApplication::translate("Game", " ist beigetreten");
    case Text::JoinedFrom:
        return who + QStringLiteral(": ") + detail;
    case Text::Left:
        return who + QCoreApplication::translate("Game", " hat das spiel verlassen");
    case Text::Away:
        return who + QCoreApplication::translate("Game", " ist abwesend, der computer spielt");
    case Text::Back:
        return who + QCoreApplication::translate("Game", " ist zurueck");
    case Text::YouPlay:
        return QCoreApplication::translate("Game", "du spielst spieler ") + number;
    case Text::TimeUp:
        return QCoreApplication::translate("Game", "zeit abgelaufen");
    case Text::NoTimeToThrow:
        return QCoreApplication::translate("Game", "keine zeit mehr zum werfen");
    case Text::OutOfPlay:
        return QCoreApplication::translate("Game", "ins aus");
    case Text::Hit:
        return hitShown(who, names);
    case Text::PaceQuick:
        return QCoreApplication::translate("Game", "tempo: schnell");
    case Text::PaceLong:
        return QCoreApplication::translate("Game", "tempo: lang");
    case Text::SuddenDeath5:
        return QCoreApplication::translate("Game", "sudden death nach 5 runden");
    case Text::SuddenDeath10:
        return QCoreApplication::translate("Game", "sudden death nach 10 runden");
    case Text::SuddenDeath:
        return QCoreApplication::translate("Game", "sudden death: jeder zug kostet %1 punkte")
            .arg(Rules::suddenDeathDamage);
    case Text::ValleyNumber:
        return QCoreApplication::translate("Game", "tal nummer %1").arg(detail);
    case Text::ValleyPicture:
        return QCoreApplication::translate("Game", "tal: %1").arg(detail);
    case Text::WindLight:
        return QCoreApplication::translate("Game", "wind: leicht");
    case Text::WindStrong:
        return QCoreApplication::translate("Game", "wind: stark");
    case Text::AllWeapons:
        return QCoreApplication::translate("Game", "waffen: alle");
    case Text::Plain:
        return detail;
    case Text::Kinds:
        break;
    }
    return QString();
}
