// The wire format of a network game: each message one frame, a 4-byte length (big-endian) of what
// follows, then a type byte and the message's fields in QDataStream's Qt 5.15 format, big-endian.
// A frame is at most Network::frameLimit bytes. Decoding checks every count against the bytes
// there are before it reserves anything, so nothing a peer sends makes it allocate without bound.
#pragma once

#include "game/network/NetworkMessage.h"

#include <QByteArray>
#include <QString>
#include <optional>

class FrameCodec {
public:
    // The whole frame of a message, length first.
    static QByteArray encode(const Network::Message& message);

    // A message from the bytes after a frame's length; none, with the reason in error, when
    // the type is unknown, a field is cut short or bytes are left over.
    static std::optional<Network::Message> decode(const QByteArray& body, QString* error);
};
