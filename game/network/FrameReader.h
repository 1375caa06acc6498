// Cuts the bytes arriving from a peer into frames and decodes them, one at a time. Once a frame is
// bad (too long, empty, undecodable) the reader stops for good and says why: the connection is
// then closed, so it never has to find the next frame in a broken stream.
#pragma once

#include "game/network/NetworkMessage.h"

#include <QByteArray>
#include <QString>
#include <optional>

class FrameReader {
public:
    // Takes bytes as they arrive; keeps at most one frame's worth that is not yet whole.
    void append(const QByteArray& bytes);
    // The next whole message, or none when no whole frame is there yet or the stream is bad.
    std::optional<Network::Message> next();

    bool failed() const { return !error.isEmpty(); }
    // Whether part of a frame has come that is not yet whole.
    bool partial() const { return !pending.isEmpty(); }
    QString error; // why the stream is bad; empty while it is good

private:
    QByteArray pending;
};
