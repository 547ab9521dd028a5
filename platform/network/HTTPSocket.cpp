#include "platform/network/HTTPSocket.h"

#include "platform/network/HttpErrorCode.h"
#include "platform/network/HttpReplyParser.h"
#include "platform/runtime/RunHandler.h"
#include "platform/windows/Window.h"

#include <QMetaObject>
#include <QTcpSocket>
#include <QWidget>

namespace {

constexpr qint64 kReadChunk = 64 * 1024;

int codeFor(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::HostNotFoundError:
        return HttpErrorCode::kNameNotFound;
    case QAbstractSocket::ConnectionRefusedError:
        return HttpErrorCode::kConnectionRefused;
    case QAbstractSocket::NetworkError:
    case QAbstractSocket::SocketTimeoutError:
        return HttpErrorCode::kUnreachable;
    default:
        return HttpErrorCode::kNetworkError;
    }
}

bool allDigits(const std::string& text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace

struct HTTPSocket::Private {
    QObject context; // receives the socket's signals and the queued deliveries
    QTcpSocket* socket = nullptr;
    HttpReplyParser parser;
    std::string url;
    std::string request;
    unsigned long generation = 0;
    bool busy = false;

    void dropSocket()
    {
        if (!socket)
            return;
        QObject::disconnect(socket, nullptr, &context, nullptr);
        socket->abort();
        socket->deleteLater();
        socket = nullptr;
    }
};

HTTPSocket::HTTPSocket(Window& window, const std::string& name)
    : RectControl(window, name, new QWidget), d(std::make_unique<Private>())
{
    Widget()->setGeometry(0, 0, 0, 0);
    Widget()->hide();
    RectControl::Visible(false);
}

HTTPSocket::~HTTPSocket()
{
    if (d->socket) {
        QObject::disconnect(d->socket, nullptr, &d->context, nullptr);
        d->socket->abort();
        delete d->socket;
        d->socket = nullptr;
    }
}

void HTTPSocket::SetProperties(const HTTPSocketProperties& p)
{
    Address = p.Address;
    Port = p.Port;
}

bool HTTPSocket::IsBusy() const
{
    return d->busy;
}

void HTTPSocket::Abort()
{
    ++d->generation;
    d->busy = false;
    d->dropSocket();
}

bool HTTPSocket::SplitURL(const std::string& url, int defaultPort, Target& target)
{
    for (char c : url)
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F)
            return false; // would break the request line or smuggle header lines
    std::string rest = url;
    const size_t scheme = rest.find("://");
    if (scheme != std::string::npos)
        rest = rest.substr(scheme + 3);
    const size_t slash = rest.find('/');
    target.hostHeader = rest.substr(0, slash);
    target.path = slash == std::string::npos ? "/" : rest.substr(slash);
    std::string server = target.hostHeader;
    std::string port;
    if (!server.empty() && server[0] == '[') {
        const size_t close = server.find(']');
        if (close == std::string::npos)
            return false;
        const std::string after = server.substr(close + 1);
        if (!after.empty()) {
            if (after[0] != ':')
                return false;
            port = after.substr(1);
            if (port.empty())
                return false;
        }
        server = server.substr(1, close - 1);
    } else if (const size_t colon = server.find(':'); colon != std::string::npos) {
        port = server.substr(colon + 1);
        server = server.substr(0, colon);
        if (port.empty())
            return false;
    }
    if (server.empty())
        return false;
    target.host = server;
    target.port = defaultPort;
    if (!port.empty()) {
        if (!allDigits(port) || port.size() > 5)
            return false;
        target.port = std::stoi(port);
    }
    return target.port >= 1 && target.port <= 65535;
}

std::string HTTPSocket::RequestFor(const Target& target)
{
    return "GET " + target.path + " HTTP/1.0\r\n"
        + "Accept: */*\r\n"
        + "Accept-Language: en\r\n"
        + "Host: " + target.hostHeader + "\r\n"
        + "\r\n";
}

void HTTPSocket::Get(const std::string& url)
{
    Abort();
    d->busy = true;
    d->url = url;
    d->parser = HttpReplyParser();
    const unsigned long generation = d->generation;

    // Every outcome is handed over from the event loop, so Get always returns first.
    const auto deliverError = [this, generation](int code) {
        d->dropSocket();
        QMetaObject::invokeMethod(&d->context, [this, generation, code] {
            if (generation != d->generation || !d->busy)
                return;
            d->busy = false;
            if (Owner().IsClosed())
                return;
            const auto handler = Error;
            if (handler)
                RunHandler([&] { handler(*this, code); });
        }, Qt::QueuedConnection);
    };
    const auto deliverPage = [this, generation] {
        d->dropSocket();
        QMetaObject::invokeMethod(&d->context, [this, generation] {
            if (generation != d->generation || !d->busy)
                return;
            d->busy = false;
            if (Owner().IsClosed())
                return;
            const std::string url = d->url;
            const int status = d->parser.Status();
            const InternetHeaders headers = d->parser.Headers();
            const std::string content = d->parser.Content();
            d->parser = HttpReplyParser();
            const auto handler = PageReceived;
            if (handler)
                RunHandler([&] { handler(*this, url, status, headers, content); });
        }, Qt::QueuedConnection);
    };
    const auto settle = [this, deliverError, deliverPage] {
        if (d->parser.state() == HttpReplyParser::State::Failed)
            deliverError(d->parser.ErrorCode());
        else if (d->parser.state() == HttpReplyParser::State::Complete)
            deliverPage();
    };

    Target target;
    if (!SplitURL(url, DefaultPort, target)) {
        deliverError(HttpErrorCode::kBadAddress);
        return;
    }
    Address = target.host;
    Port = target.port;
    d->request = RequestFor(target);

    QTcpSocket* socket = new QTcpSocket;
    d->socket = socket;
    socket->setReadBufferSize(kReadChunk);
    const auto drain = [this, socket] {
        while (!d->parser.Finished() && socket->bytesAvailable() > 0) {
            const QByteArray chunk = socket->read(kReadChunk);
            if (chunk.isEmpty())
                break;
            d->parser.Feed(chunk.constData(), static_cast<size_t>(chunk.size()));
        }
    };
    const auto endOfStream = [this, drain, settle] {
        drain();
        d->parser.EndOfStream();
        settle();
    };
    QObject::connect(socket, &QTcpSocket::connected, &d->context, [this, socket] {
        socket->write(d->request.data(), static_cast<qint64>(d->request.size()));
    });
    QObject::connect(socket, &QTcpSocket::readyRead, &d->context, [drain, settle] {
        drain();
        settle();
    });
    QObject::connect(socket, &QTcpSocket::disconnected, &d->context, endOfStream);
    QObject::connect(socket, &QTcpSocket::errorOccurred, &d->context,
                     [endOfStream, deliverError](QAbstractSocket::SocketError error) {
                         if (error == QAbstractSocket::RemoteHostClosedError)
                             endOfStream();
                         else
                             deliverError(codeFor(error));
                     });
    socket->connectToHost(QString::fromStdString(target.host), static_cast<quint16>(target.port));
}
