// A machine that speaks the wire by hand, for the network tests: a socket to a host and every
// message the host has sent it so far. Like a game it answers its welcome with a keep-alive,
// unless it is one that only says hello (Silent) or one that never reads at all (Deaf: the host's
// bytes pile up in the kernel and at the host).
#pragma once

#include "game/network/FrameCodec.h"
#include "game/network/FrameReader.h"
#include "game/network/NetworkMessage.h"

#include <QTcpSocket>
#include <gtest/gtest.h>
#include <optional>
#include <variant>
#include <vector>

struct WirePeer {
    enum class Reading { Answers, Silent, Deaf };

    WirePeer(const QString& address, quint16 port, Reading reading = Reading::Answers) {
        socket.connectToHost(address, port);
        EXPECT_TRUE(socket.waitForConnected(2000));
        if (reading == Reading::Deaf) {
            socket.setReadBufferSize(1024);
            return;
        }
        QObject::connect(&socket, &QTcpSocket::readyRead, [this, reading] {
            reader.append(socket.readAll());
            while (std::optional<Network::Message> m = reader.next()) {
                got.push_back(*m);
                if (reading == Reading::Answers && std::holds_alternative<Network::Welcome>(*m))
                    send(Network::KeepAlive{});
            }
        });
    }
    void send(const Network::Message& m) { sendBytes(FrameCodec::encode(m)); }
    void sendBytes(const QByteArray& bytes) {
        socket.write(bytes);
        socket.flush();
    }
    // The newest message of a kind, or null.
    template <typename T> const T* last() const {
        for (auto it = got.rbegin(); it != got.rend(); ++it)
            if (const T* m = std::get_if<T>(&*it))
                return m;
        return nullptr;
    }
    bool closed() const { return socket.state() == QAbstractSocket::UnconnectedState; }

    QTcpSocket socket;
    FrameReader reader;
    std::vector<Network::Message> got;
};
