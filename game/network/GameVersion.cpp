// The game's version, as the build names it.
#include "game/network/NetworkMessage.h"

QString Network::gameVersion() {
    return QStringLiteral(TV_VERSION);
}
