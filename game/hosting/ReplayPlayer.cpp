// A replay played into a joined machine's match. Milliseconds.
#include "game/hosting/ReplayPlayer.h"

#include "game/hosting/JoinedMatch.h"
#include "game/network/FrameCodec.h"

#include <algorithm>
#include <cmath>

ReplayPlayer::ReplayPlayer(JoinedMatch& joined, const ReplayReader& reader, QObject* parent)
    : QObject(parent), joined(joined), reader(reader) {}

void ReplayPlayer::start(Ticks now) {
    lastNow = now;
    failure.clear();
    joined.clear();
    const QVector<ReplayFormat::Record> opening = reader.opening();
    for (const ReplayFormat::Record& r : opening)
        feed(r);
    replayClock = opening.isEmpty() ? reader.firstTime() : opening.last().time;
    onTurn = -1;
    records.clear();
    next = 0;
    if (reader.turns() > 0)
        load(0);
}

void ReplayPlayer::feed(const ReplayFormat::Record& record) {
    QString why;
    if (const std::optional<Network::Message> m = FrameCodec::decode(record.body, &why))
        joined.take(*m, record.time);
    else if (failure.isEmpty())
        failure = why; // the rest plays on
}

void ReplayPlayer::load(int index) {
    onTurn = index;
    records = reader.turn(index);
    next = 0;
    emit turnChanged(index);
}

void ReplayPlayer::advance(Ticks now) {
    const Ticks passed = std::max<Ticks>(0, now - lastNow);
    lastNow = now;
    if (!isPaused) {
        const double ms = double(passed) * speed() + carry;
        const Ticks whole = Ticks(std::floor(ms));
        carry = ms - double(whole);
        replayClock += whole;
    }
    // The turn's records that came due, and the turns after it that begin before the clock.
    for (;;) {
        while (next < records.size() && records[next].time <= replayClock)
            feed(records[next++]);
        if (next < records.size() || onTurn + 1 >= reader.turns() ||
            reader.turnTime(onTurn + 1) > replayClock)
            break;
        load(onTurn + 1);
    }
    joined.show(replayClock);
}

void ReplayPlayer::pause(bool on) {
    isPaused = on;
    carry = 0;
}

void ReplayPlayer::faster() {
    step = std::min(step + 1, int(fastest));
}

void ReplayPlayer::slower() {
    step = std::max(step - 1, int(slowest));
}

double ReplayPlayer::speed() const {
    return std::ldexp(1.0, step);
}

void ReplayPlayer::toTurn(int index) {
    if (index < 0 || index >= reader.turns())
        return;
    joined.clear(); // the states of another moment are no picture of this one
    load(index);
    replayClock = reader.turnTime(index);
    carry = 0;
    // Its whole game first, then what was sent at the same moment.
    while (next < records.size() && records[next].time <= replayClock)
        feed(records[next++]);
    joined.show(replayClock);
}

void ReplayPlayer::previousTurn() {
    if (onTurn >= 0 && replayClock - reader.turnTime(onTurn) > restartMs)
        toTurn(onTurn);
    else
        toTurn(std::max(onTurn - 1, 0));
}

bool ReplayPlayer::atEnd() const {
    return onTurn + 1 >= reader.turns() && next >= records.size();
}
