#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <string>
#include <utility>

// A web server on 127.0.0.1 for one test: it records what clients send and, once a request
// is complete (its empty line has come), answers as the test says.
class LocalHttpServer {
public:
    enum class Mode { Reply, CloseWithoutReply, Silent };

    Mode mode = Mode::Reply;
    QByteArray reply;
    bool closeAfterReply = true;

    QByteArray received;     // everything every client sent, in order
    int connections = 0;
    int requests = 0;        // complete requests seen
    int clientsGone = 0;     // connections the client side ended

    LocalHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_context, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                ++connections;
                m_clients.append(socket);
                auto buffer = std::make_shared<QByteArray>();
                auto answered = std::make_shared<bool>(false);
                QObject::connect(socket, &QTcpSocket::readyRead, &m_context, [this, socket, buffer, answered] {
                    const QByteArray bytes = socket->readAll();
                    received += bytes;
                    *buffer += bytes;
                    if (!*answered && buffer->contains("\r\n\r\n")) {
                        *answered = true;
                        ++requests;
                        answer(socket);
                    }
                });
                QObject::connect(socket, &QTcpSocket::disconnected, &m_context, [this] { ++clientsGone; });
            }
        });
    }

    explicit LocalHttpServer(Mode answerMode, QByteArray answer = {}) : LocalHttpServer()
    {
        mode = answerMode;
        reply = std::move(answer);
    }

    explicit LocalHttpServer(QByteArray answer) : LocalHttpServer(Mode::Reply, std::move(answer)) {}

    bool listening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    std::string hostPort() const { return "127.0.0.1:" + std::to_string(port()); }
    std::string url(const std::string& path = "/Updates/quorrel.xml") const { return "http://" + hostPort() + path; }

    // Answers the latest connection now (for a test that holds the reply back).
    void respond(const QByteArray& bytes, bool close = true)
    {
        if (m_clients.isEmpty() || !m_clients.last())
            return;
        QTcpSocket* socket = m_clients.last();
        socket->write(bytes);
        if (close)
            socket->disconnectFromHost();
    }

private:
    void answer(QTcpSocket* socket)
    {
        switch (mode) {
        case Mode::Reply:
            socket->write(reply);
            if (closeAfterReply)
                socket->disconnectFromHost();
            break;
        case Mode::CloseWithoutReply:
            socket->disconnectFromHost();
            break;
        case Mode::Silent:
            break;
        }
    }

    QTcpServer m_server;
    QList<QPointer<QTcpSocket>> m_clients;
    QObject m_context; // first to go: no handler runs while the server shuts down
};

// A port on 127.0.0.1 on which nothing listens.
inline quint16 ClosedLocalPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}
