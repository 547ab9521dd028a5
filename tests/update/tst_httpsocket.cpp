#include "LocalHttpServer.h"
#include "platform/network/HTTPSocket.h"
#include "platform/network/HttpErrorCode.h"
#include "platform/network/HttpReplyParser.h"
#include "platform/windows/Window.h"

#include <QtTest>

namespace {

constexpr int kWait = 10000; // upper bound for anything on the loopback

struct Outcome {
    int pages = 0;
    int errors = 0;
    std::string url;
    int status = -1;
    InternetHeaders headers;
    std::string content;
    int code = 0;
};

// A window that holds one socket and counts what it delivers.
struct Client {
    Window window{"socketTest"};
    HTTPSocket& socket = window.NewControl<HTTPSocket>("hp");
    Outcome outcome;

    Client()
    {
        socket.PageReceived = [this](HTTPSocket& sender, const std::string& url, int status,
                                     const InternetHeaders& headers, const std::string& content) {
            QVERIFY(&sender == &socket);
            ++outcome.pages;
            outcome.url = url;
            outcome.status = status;
            outcome.headers = headers;
            outcome.content = content;
        };
        socket.Error = [this](HTTPSocket& sender, int code) {
            QVERIFY(&sender == &socket);
            ++outcome.errors;
            outcome.code = code;
        };
    }
    // A client whose Get of url is already on its way.
    explicit Client(const std::string& url) : Client() { socket.Get(url); }

    int events() const { return outcome.pages + outcome.errors; }
};

QByteArray repeated(char c, int count)
{
    return QByteArray(count, c);
}

} // namespace

class HTTPSocketTest : public QObject {
    Q_OBJECT
private slots:
    void theRequestIsExactlyTheLineAndThreeHeaders()
    {
        LocalHttpServer server("HTTP/1.0 200 OK\r\n\r\n");
        Client client(server.url());
        QTRY_COMPARE_WITH_TIMEOUT(client.events(), 1, kWait);
        QCOMPARE(server.received,
                 QByteArray("GET /Updates/quorrel.xml HTTP/1.0\r\nAccept: */*\r\nAccept-Language: en\r\nHost: ")
                     + QByteArray::fromStdString(server.hostPort()) + "\r\n\r\n");
        QCOMPARE(client.socket.Address, std::string("127.0.0.1"));
        QCOMPARE(client.socket.Port, int(server.port()));
    }

    void aUrlWithoutPathAsksForTheRoot()
    {
        LocalHttpServer server("HTTP/1.0 200 OK\r\n\r\n");
        Client client("http://" + server.hostPort());
        QTRY_COMPARE_WITH_TIMEOUT(client.events(), 1, kWait);
        QVERIFY(server.received.startsWith("GET / HTTP/1.0\r\n"));
    }

    void urlSplitting_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("hostHeader");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "http://www.example.com/Updates/quorrel.xml" << true << "www.example.com" << 80
                               << "www.example.com" << "/Updates/quorrel.xml";
        QTest::newRow("port") << "http://host:8080/a/b" << true << "host" << 8080 << "host:8080" << "/a/b";
        QTest::newRow("no path") << "http://host" << true << "host" << 80 << "host" << "/";
        QTest::newRow("no scheme") << "host/x" << true << "host" << 80 << "host" << "/x";
        QTest::newRow("other scheme dropped") << "ftp://host/x" << true << "host" << 80 << "host" << "/x";
        QTest::newRow("only first ://") << "http://host/a://b" << true << "host" << 80 << "host" << "/a://b";
        QTest::newRow("ipv6") << "http://[::1]:81/x" << true << "::1" << 81 << "[::1]:81" << "/x";
        QTest::newRow("empty server") << "http:///x" << false << "" << 0 << "" << "";
        QTest::newRow("empty port") << "http://host:/x" << false << "" << 0 << "" << "";
        QTest::newRow("bad port") << "http://host:8o/x" << false << "" << 0 << "" << "";
        QTest::newRow("port 0") << "http://host:0/x" << false << "" << 0 << "" << "";
        QTest::newRow("port too big") << "http://host:65536/x" << false << "" << 0 << "" << "";
        QTest::newRow("blank in path") << "http://host/a b" << false << "" << 0 << "" << "";
        QTest::newRow("header smuggled") << "http://host/x\r\nCookie: y" << false << "" << 0 << "" << "";
    }

    void urlSplitting()
    {
        QFETCH(QString, url);
        QFETCH(bool, valid);
        HTTPSocket::Target target;
        QCOMPARE(HTTPSocket::SplitURL(url.toStdString(), 80, target), valid);
        if (!valid)
            return;
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, hostHeader);
        QFETCH(QString, path);
        QCOMPARE(QString::fromStdString(target.host), host);
        QCOMPARE(target.port, port);
        QCOMPARE(QString::fromStdString(target.hostHeader), hostHeader);
        QCOMPARE(QString::fromStdString(target.path), path);
    }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("serverCloses");
        QTest::addColumn<int>("status");   // -1: an Error is expected
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("code");

        QTest::newRow("content-length, server stays open")
            << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhelloEXTRA BYTES") << false << 200
            << QByteArray("hello") << 0;
        QTest::newRow("to the server's close")
            << QByteArray("HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\n\r\nbody\r\nmore") << true << 200
            << QByteArray("body\r\nmore") << 0;
        QTest::newRow("404 with a page")
            << QByteArray("HTTP/1.0 404 Not Found\r\n\r\n<h1>gone</h1>") << true << 404 << QByteArray("<h1>gone</h1>") << 0;
        QTest::newRow("301 not followed")
            << QByteArray("HTTP/1.0 301 Moved\r\nLocation: http://127.0.0.1:1/\r\nContent-Length: 3\r\n\r\nmov")
            << true << 301 << QByteArray("mov") << 0;
        QTest::newRow("LF line endings") << QByteArray("HTTP/1.1 200 OK\nContent-Length: 2\n\nok") << true << 200
                                         << QByteArray("ok") << 0;
        QTest::newRow("no status line") << QByteArray("hello\r\n\r\nworld") << true << 0 << QByteArray("world") << 0;
        QTest::newRow("binary body") << QByteArray("HTTP/1.0 200 OK\r\n\r\n\0\x01\xff\r\n", 24) << true << 200
                                     << QByteArray("\0\x01\xff\r\n", 5) << 0;
        QTest::newRow("zero length, server stays open")
            << QByteArray("HTTP/1.0 204 No Content\r\nContent-Length: 0\r\n\r\n") << false << 204 << QByteArray() << 0;
        QTest::newRow("body exactly 1 MiB")
            << QByteArray("HTTP/1.0 200 OK\r\n\r\n") + repeated('b', 1 << 20) << true << 200 << repeated('b', 1 << 20)
            << 0;
        QTest::newRow("short body") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nshort") << true << -1
                                    << QByteArray() << HttpErrorCode::kReplyTruncated;
        QTest::newRow("closed inside the headers")
            << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 5\r\n") << true << -1 << QByteArray()
            << HttpErrorCode::kReplyTruncated;
        QTest::newRow("length over 1 MiB") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 1048577\r\n\r\nx") << false
                                           << -1 << QByteArray() << HttpErrorCode::kBodyTooLarge;
        QTest::newRow("huge length") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 99999999999999999999999\r\n\r\n")
                                     << false << -1 << QByteArray() << HttpErrorCode::kBodyTooLarge;
        QTest::newRow("body over 1 MiB to the close")
            << QByteArray("HTTP/1.0 200 OK\r\n\r\n") + repeated('b', (1 << 20) + 1) << true << -1 << QByteArray()
            << HttpErrorCode::kBodyTooLarge;
        QTest::newRow("header line over 64 KiB")
            << QByteArray("HTTP/1.0 200 OK\r\nX-Long: ") + repeated('h', 64 * 1024) + "\r\n\r\n" << false << -1
            << QByteArray() << HttpErrorCode::kHeaderLineTooLong;
        QByteArray manyHeaders = "HTTP/1.0 200 OK\r\n";
        for (int i = 0; i < 300; ++i)
            manyHeaders += "X-" + QByteArray::number(i) + ": " + repeated('v', 1000) + "\r\n";
        QTest::newRow("headers over 256 KiB") << manyHeaders + "\r\n" << false << -1 << QByteArray()
                                              << HttpErrorCode::kHeadersTooLarge;
        QTest::newRow("unreadable length") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 12abc\r\n\r\nx") << true
                                           << -1 << QByteArray() << HttpErrorCode::kBadContentLength;
        QTest::newRow("two lengths") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 1\r\ncontent-length: 2\r\n\r\nxy")
                                     << true << -1 << QByteArray() << HttpErrorCode::kBadContentLength;
    }

    void replies()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, serverCloses);
        QFETCH(int, status);
        QFETCH(QByteArray, content);
        QFETCH(int, code);
        LocalHttpServer server(reply);
        server.closeAfterReply = serverCloses;
        Client client(server.url());
        QTRY_COMPARE_WITH_TIMEOUT(client.events(), 1, kWait);
        if (status < 0) {
            QCOMPARE(client.outcome.errors, 1);
            QCOMPARE(client.outcome.code, code);
        } else {
            QCOMPARE(client.outcome.pages, 1);
            QCOMPARE(client.outcome.status, status);
            QCOMPARE(QByteArray::fromStdString(client.outcome.content), content);
            QCOMPARE(client.outcome.url, server.url());
        }
        // The client ends the connection itself when it has what it needs or gives up.
        if (!serverCloses)
            QTRY_COMPARE_WITH_TIMEOUT(server.clientsGone, 1, kWait);
        QTest::qWait(50);
        QCOMPARE(client.events(), 1);
        QCOMPARE(server.connections, 1);
        QVERIFY(!client.socket.IsBusy());
    }

    void headersArriveInOrderAndByName()
    {
        LocalHttpServer server("HTTP/1.0 200 OK\r\nContent-Type:  text/xml \r\nX-Folded: a\r\n  b\r\nnot a header\r\n"
                               "Server: test\r\n\r\n");
        Client client(server.url());
        QTRY_COMPARE_WITH_TIMEOUT(client.outcome.pages, 1, kWait);
        const InternetHeaders& headers = client.outcome.headers;
        QCOMPARE(headers.Count(), 3);
        QCOMPARE(headers.Name(0), std::string("Content-Type"));
        QCOMPARE(headers.Value("content-type"), std::string("text/xml"));
        QCOMPARE(headers.Value("X-Folded"), std::string("a b"));
        QCOMPARE(headers.Value(2), std::string("test"));
        QCOMPARE(headers.Value("Missing"), std::string());
    }

    void aConnectionClosedWithoutReplyIsStatusZero()
    {
        LocalHttpServer server(LocalHttpServer::Mode::CloseWithoutReply);
        Client client(server.url());
        QTRY_COMPARE_WITH_TIMEOUT(client.events(), 1, kWait);
        QCOMPARE(client.outcome.pages, 1);
        QCOMPARE(client.outcome.status, 0);
        QCOMPARE(client.outcome.headers.Count(), 0);
        QVERIFY(client.outcome.content.empty());
    }

    void aClosedPortIsAnError()
    {
        Client client("http://127.0.0.1:" + std::to_string(ClosedLocalPort()) + "/x");
        QTRY_COMPARE_WITH_TIMEOUT(client.events(), 1, kWait);
        QCOMPARE(client.outcome.errors, 1);
        QCOMPARE(client.outcome.code, HttpErrorCode::kConnectionRefused);
    }

    void aBadAddressIsAnErrorDeliveredLater()
    {
        Client client("http://127.0.0.1:notaport/x");
        QCOMPARE(client.events(), 0); // Get returns first, always
        QTRY_COMPARE_WITH_TIMEOUT(client.events(), 1, kWait);
        QCOMPARE(client.outcome.code, HttpErrorCode::kBadAddress);
    }

    void abortWhileTheServerNeverAnswersDeliversNothing()
    {
        LocalHttpServer server(LocalHttpServer::Mode::Silent);
        Client client(server.url());
        QTRY_COMPARE_WITH_TIMEOUT(server.requests, 1, kWait);
        QVERIFY(client.socket.IsBusy());
        client.socket.Abort();
        QVERIFY(!client.socket.IsBusy());
        QTRY_COMPARE_WITH_TIMEOUT(server.clientsGone, 1, kWait);
        server.respond("HTTP/1.0 200 OK\r\n\r\nlate");
        QTest::qWait(100);
        QCOMPARE(client.events(), 0);
    }

    void aSecondGetClosesTheFirstRequest()
    {
        LocalHttpServer silent(LocalHttpServer::Mode::Silent);
        LocalHttpServer answering("HTTP/1.0 200 OK\r\n\r\nsecond");
        Client client(silent.url());
        QTRY_COMPARE_WITH_TIMEOUT(silent.requests, 1, kWait);
        client.socket.Get(answering.url());
        QTRY_COMPARE_WITH_TIMEOUT(client.events(), 1, kWait);
        QCOMPARE(client.outcome.content, std::string("second"));
        QTRY_COMPARE_WITH_TIMEOUT(silent.clientsGone, 1, kWait);
        silent.respond("HTTP/1.0 200 OK\r\n\r\nfirst");
        QTest::qWait(50);
        QCOMPARE(client.events(), 1);
    }

    void aClosedWindowsSocketDeliversNothing()
    {
        LocalHttpServer server(LocalHttpServer::Mode::Silent);
        Client client(server.url());
        QTRY_COMPARE_WITH_TIMEOUT(server.requests, 1, kWait);
        client.window.ClosedByUser();
        server.respond("HTTP/1.0 200 OK\r\n\r\nbody");
        QTest::qWait(100);
        QCOMPARE(client.events(), 0);
    }

    // The parser must read a reply the same way however the network cuts it into pieces.
    void everySplitOfAReplyReadsTheSame_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("CRLF with length") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 4\r\nA: b\r\n\r\nbodyXX");
        QTest::newRow("LF to the close") << QByteArray("HTTP/1.0 302 Found\nLocation: /x\n\n<a>x</a>");
        QTest::newRow("short body") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 9\r\n\r\nbody");
        QTest::newRow("ends in the headers") << QByteArray("HTTP/1.0 500 Oops\r\nA: b\r");
    }

    void everySplitOfAReplyReadsTheSame()
    {
        QFETCH(QByteArray, reply);
        HttpReplyParser whole;
        whole.Feed(reply.constData(), size_t(reply.size()));
        whole.EndOfStream();
        QVERIFY(whole.Finished());
        for (int cut1 = 0; cut1 <= reply.size(); ++cut1) {
            for (int cut2 = cut1; cut2 <= reply.size(); ++cut2) {
                HttpReplyParser pieces;
                pieces.Feed(reply.constData(), size_t(cut1));
                pieces.Feed(reply.constData() + cut1, size_t(cut2 - cut1));
                pieces.Feed(reply.constData() + cut2, size_t(reply.size() - cut2));
                pieces.EndOfStream();
                QCOMPARE(int(pieces.state()), int(whole.state()));
                QCOMPARE(pieces.Status(), whole.Status());
                QCOMPARE(pieces.ErrorCode(), whole.ErrorCode());
                QCOMPARE(pieces.Content(), whole.Content());
                QCOMPARE(pieces.Headers().Count(), whole.Headers().Count());
            }
        }
    }

    void statusLines_data()
    {
        QTest::addColumn<QByteArray>("firstLine");
        QTest::addColumn<int>("status");
        QTest::newRow("usual") << QByteArray("HTTP/1.0 200 OK") << 200;
        QTest::newRow("no reason") << QByteArray("HTTP/1.1 404") << 404;
        QTest::newRow("no blank") << QByteArray("HTTP/1.0") << 0;
        QTest::newRow("not a number") << QByteArray("HTTP/1.0 OK") << 0;
        QTest::newRow("too many digits") << QByteArray("HTTP/1.0 12345678901") << 0;
        QTest::newRow("four digits, one of our own codes") << QByteArray("HTTP/1.0 1013 Cut") << 0;
        QTest::newRow("four digits") << QByteArray("HTTP/1.1 2000 OK") << 0;
        QTest::newRow("two digits") << QByteArray("HTTP/1.1 20 OK") << 0;
        QTest::newRow("leading zero") << QByteArray("HTTP/1.1 0200 OK") << 0;
        QTest::newRow("empty") << QByteArray("") << 0;
    }

    void statusLines()
    {
        QFETCH(QByteArray, firstLine);
        QFETCH(int, status);
        HttpReplyParser parser;
        parser.Feed((firstLine + "\r\n\r\n").toStdString());
        parser.EndOfStream();
        QCOMPARE(parser.Status(), status);
    }
};

QTEST_MAIN(HTTPSocketTest)
#include "tst_httpsocket.moc"
