// How many chat lines a machine may send in a while, and which texts may be chat lines.
#include "game/network/ChatLimit.h"

#include "game/network/NetworkMessage.h"

bool ChatLimit::acceptableLine(const QString& text) {
    return Network::isPlayerText(text, lineLimit);
}

bool ChatLimit::allow(qint64 nowMs) {
    while (!sent.empty() && nowMs - sent.front() >= windowMs)
        sent.pop_front();
    if (int(sent.size()) >= lines)
        return false;
    sent.push_back(nowMs);
    return true;
}
