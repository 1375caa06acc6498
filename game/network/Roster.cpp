// Who plays a network game, seat by seat, as the host keeps it and every machine is told it.
#include "game/network/Roster.h"

#include <algorithm>

using namespace Network;

bool Network::isPlayerText(const QString& text, int limit) {
    const QVector<uint> characters = text.toUcs4();
    if (characters.isEmpty() || characters.size() > limit || text.trimmed().isEmpty())
        return false;
    return std::none_of(characters.begin(), characters.end(), [](uint c) {
        switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format: // the marks that turn the writing direction, among others
        case QChar::Other_Surrogate:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return true;
        default:
            return false;
        }
    });
}

bool Roster::acceptableName(const QString& name) {
    return isPlayerText(name, nameLimit);
}

QString Roster::nameOf(int seat) const {
    for (const Person& p : people)
        if (p.seat == seat)
            return p.name;
    return QString();
}

Person* Roster::find(int seat) {
    for (Person& p : people)
        if (p.seat == seat)
            return &p;
    const auto at = std::find_if(people.begin(), people.end(),
                                 [seat](const Person& p) { return p.seat > seat; });
    Person added;
    added.seat = qint8(seat);
    return &*people.insert(at, added);
}

void Roster::seat(int seat, const QString& address) {
    Person& p = *find(seat);
    p = Person();
    p.seat = qint8(seat);
    p.address = address;
    p.connected = true;
}

void Roster::leave(int seat) {
    Person& p = *find(seat);
    p.connected = false;
    p.roundTripMs = -1;
}

void Roster::rename(int seat, const QString& name) {
    find(seat)->name = name;
}

QString Roster::unique(int seat, const QString& name) const {
    const auto taken = [&](const QString& candidate) {
        return std::any_of(people.begin(), people.end(), [&](const Person& p) {
            return p.seat != seat && p.name.compare(candidate, Qt::CaseInsensitive) == 0;
        });
    };
    if (!taken(name))
        return name;
    const QVector<uint> characters = name.toUcs4();
    for (int n = 2;; ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        const int room = nameLimit - suffix.size();
        const QString base =
            QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                              std::min(room, int(characters.size())));
        if (!taken(base.trimmed() + suffix))
            return base.trimmed() + suffix;
    }
}

void Roster::forgetAbsent() {
    people.erase(
        std::remove_if(people.begin(), people.end(), [](const Person& p) { return !p.connected; }),
        people.end());
}

void Roster::measured(int seat, int roundTripMs) {
    find(seat)->roundTripMs = roundTripMs;
}

void Roster::take(const Players& sent) {
    people.clear();
    for (Person p : sent.people) {
        const bool known = std::any_of(people.begin(), people.end(),
                                       [&p](const Person& q) { return q.seat == p.seat; });
        if (p.seat < 0 || p.seat > lastSeat || known)
            continue; // a seat twice: the first counts
        if (!p.name.isEmpty() && !acceptableName(p.name))
            p.name.clear();
        *find(p.seat) = p;
    }
}
