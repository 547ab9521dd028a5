#include "LocalHttpServer.h"
#include "common/Maker.h"
#include "common/TheApp.h"
#include "icon/Window1.h"
#include "platform/network/HTTPSocket.h"
#include "platform/network/HttpErrorCode.h"
#include "platform/runtime/Testing.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/Label.h"
#include "platform/windows/ProgressBar.h"
#include "platform/windows/PushButton.h"
#include "platform/windows/WindowWidget.h"
#include "support/ProgramFixture.h"
#include "support/ScriptedSeam.h"
#include "update/Testing.h"
#include "update/selfTest.h"
#include "update/updateWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <QtTest>

namespace {

constexpr int kWait = 10000;

const std::string kCurrentMessage = "You are using the current version. No update is available.";

std::string errorMessage(int code)
{
    return "There was a communication error with the website. Please try again later. (Code: "
        + std::to_string(code) + ")";
}

QByteArray page(const QByteArray& body)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " + QByteArray::number(body.size())
        + "\r\n\r\n" + body;
}

QByteArray versionFile(const QByteArray& version, const QByteArray& free = "Yes",
                       const QByteArray& description = "Faster masks.\nBetter help.")
{
    return page("<?xml version=\"1.0\"?>\n<Update>\n<CurrentVersion>" + version + "</CurrentVersion>\n<Description>"
                + description + "</Description>\n<Free>" + free + "</Free>\n</Update>\n");
}

updateWindow* openUpdate() { return OpenImplicitWindow<updateWindow>(); }
selfTest* openSelfTest() { return OpenImplicitWindow<selfTest>(); }

// A scripted seam, and a server of the test's own that the update check asks; the host is
// reset in cleanup().
struct UpdateCheck {
    ScriptedSeam seam;
    LocalHttpServer server;

    explicit UpdateCheck(LocalHttpServer::Mode mode, const QByteArray& reply = {}) : server(mode, reply)
    {
        testing::SetUpdateHost(server.hostPort());
    }
    explicit UpdateCheck(const QByteArray& reply) : UpdateCheck(LocalHttpServer::Mode::Reply, reply) {}
};

// "Check Now", then "Check for Updates", as the user does it.
void checkForUpdates()
{
    ProgramFixture::MainWindow().CheckForUpdateCheckNow_Action();
    selfTest* test = openSelfTest();
    QVERIFY(test);
    test->PushButton1().Push();
}

} // namespace

class UpdateWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ProgramFixture::Start();
        testing::SetVersion(TheApp(), {.Major = 2, .Minor = 1, .Bug = 0, .Short = "2.1.0", .Long = "2.1.0 (build 7)"});
    }

    void cleanup()
    {
        testing::SetUpdateHost("");
        ProgramFixture::Stop();
    }

    void theSelfTestWindowShowsTheLongVersion()
    {
        ScriptedSeam seam;
        ProgramFixture::MainWindow().CheckForUpdateCheckNow_Action();
        selfTest* test = openSelfTest();
        QVERIFY(test);
        QCOMPARE(test->Title(), std::string("Self Test"));
        QCOMPARE(test->Width(), 212);
        QCOMPARE(test->Height(), 102);
        QCOMPARE(test->StaticText1().Text(), std::string("Version:"));
        QCOMPARE(test->StaticText2().Text(), std::string("2.1.0 (build 7)"));
        QCOMPARE(test->PushButton1().Caption(), std::string("Check for Updates"));
        QVERIFY(test->PushButton1().Default());

        // A second "Check Now" brings the same window forward and reads nothing again.
        testing::SetVersion(TheApp(), {.Long = "other"});
        ProgramFixture::MainWindow().CheckForUpdateCheckNow_Action();
        QCOMPARE(openSelfTest(), test);
        QCOMPARE(test->StaticText2().Text(), std::string("2.1.0 (build 7)"));
        QVERIFY(seam.log.empty());
    }

    void anEmptyLongVersionReplacesThePlaceholder()
    {
        testing::SetVersion(TheApp(), {});
        ProgramFixture::MainWindow().CheckForUpdateCheckNow_Action();
        QCOMPARE(openSelfTest()->StaticText2().Text(), std::string());
    }

    void closingTheSelfTestWindowSendsNothing()
    {
        LocalHttpServer server;
        testing::SetUpdateHost(server.hostPort());
        ProgramFixture::MainWindow().CheckForUpdateCheckNow_Action();
        openSelfTest()->Close();
        QVERIFY(!openSelfTest());
        QTest::qWait(50);
        QCOMPARE(server.connections, 0);
        QVERIFY(!openUpdate());
    }

    void theUpdateWindowWaitsWithItsRequestSent()
    {
        UpdateCheck check(LocalHttpServer::Mode::Silent);
        auto& [seam, server] = check;
        checkForUpdates();
        updateWindow* window = openUpdate();
        QVERIFY(window);
        QVERIFY(!openSelfTest());
        QCOMPARE(window->Title(), std::string("Update"));
        QCOMPARE(window->Width(), 300);
        QCOMPARE(window->Height(), 120);
        QCOMPARE(window->StaticText1().Text(), std::string("Checking for update..."));
        QVERIFY(window->ProgressBar1().Indeterminate());
        QCOMPARE(window->ProgressBar1().Value(), 0);
        QCOMPARE(window->PushButton1().Caption(), std::string("Cancel"));
        QVERIFY(window->PushButton1().Default());
        QVERIFY(window->PushButton1().Cancel());
        QVERIFY(!window->automaticCheck);
        QTRY_COMPARE_WITH_TIMEOUT(server.requests, 1, kWait);
        QCOMPARE(server.received,
                 "GET /Updates/quorrel.xml HTTP/1.0\r\nAccept: */*\r\nAccept-Language: en\r\nHost: "
                     + QByteArray::fromStdString(server.hostPort()) + "\r\n\r\n");
        QVERIFY(seam.log.empty());
    }

    void theRealUrlGoesToTheMakersHost()
    {
        // Only the URL is looked at: the request itself goes nowhere in a test.
        HTTPSocket::Target target;
        QVERIFY(HTTPSocket::SplitURL(std::string("http://") + Maker::kWebHost + Maker::kUpdatePath, 80, target));
        QCOMPARE(target.host, std::string(Maker::kWebHost));
        QCOMPARE(target.port, 80);
        QCOMPARE(target.path, std::string("/Updates/quorrel.xml"));
    }

    void aCurrentOrOlderVersionSaysSo_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::newRow("same") << QByteArray("2.1.0");
        QTest::newRow("older") << QByteArray("2.0.9");
        QTest::newRow("fourth field") << QByteArray("2.1.0.7");
    }

    void aCurrentOrOlderVersionSaysSo()
    {
        QFETCH(QByteArray, version);
        UpdateCheck check(versionFile(version));
        auto& [seam, server] = check;
        std::string labelDuringBox;
        bool barHiddenDuringBox = false;
        seam.onMsgBox = [&](const std::string&) {
            if (updateWindow* window = openUpdate()) {
                labelDuringBox = window->StaticText1().Text();
                barHiddenDuringBox = !window->ProgressBar1().Visible();
            }
        };
        checkForUpdates();
        // A self-test window open again meanwhile is closed with the update window.
        ProgramFixture::MainWindow().CheckForUpdateCheckNow_Action();
        QVERIFY(openSelfTest());
        QTRY_VERIFY_WITH_TIMEOUT(!openUpdate(), kWait);
        QCOMPARE(seam.log, std::vector<std::string>{"MsgBox: " + kCurrentMessage});
        QCOMPARE(labelDuringBox, std::string("This version is current."));
        QVERIFY(barHiddenDuringBox);
        QVERIFY(!openSelfTest());
        QVERIFY(ProgramFixture::MainWindow().Visible());
    }

    void automaticCheckSkipsTheMessage()
    {
        UpdateCheck check(LocalHttpServer::Mode::Silent);
        auto& [seam, server] = check;
        checkForUpdates();
        QTRY_COMPARE_WITH_TIMEOUT(server.requests, 1, kWait);
        openUpdate()->automaticCheck = true;
        server.respond(versionFile("2.1.0"));
        QTRY_VERIFY_WITH_TIMEOUT(!openUpdate(), kWait);
        QVERIFY(seam.log.empty());
        QVERIFY(!openSelfTest());
    }

    void aHigherVersionIsOffered_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QByteArray>("free");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("url");       // handed to the system, if any
        QTest::addColumn<bool>("stays");        // the update window stays open
        QTest::newRow("free, cancel") << QByteArray("2.1.1") << QByteArray("Yes") << "cancel" << "" << false;
        QTest::newRow("paid, download") << QByteArray("2.2.0") << QByteArray("No") << "action"
                                        << Maker::kDownloadAddress << false;
        QTest::newRow("empty free, web site") << QByteArray("3.0.0") << QByteArray("") << "alternate"
                                              << Maker::kWebSite << true;
        QTest::newRow("dismissed otherwise") << QByteArray("10.0.0") << QByteArray("yes") << "" << "" << true;
    }

    void aHigherVersionIsOffered()
    {
        QFETCH(QByteArray, version);
        QFETCH(QByteArray, free);
        QFETCH(QString, answer);
        QFETCH(QString, url);
        QFETCH(bool, stays);
        UpdateCheck check(versionFile(version, free));
        auto& [seam, server] = check;
        seam.dialogAnswers.push_back(answer.toStdString());
        checkForUpdates();
        ProgramFixture::MainWindow().CheckForUpdateCheckNow_Action(); // the offer leaves it open
        QTRY_VERIFY_WITH_TIMEOUT(!seam.log.empty(), kWait);
        QTest::qWait(20);

        const std::string wording = free == "Yes"
            ? "This is a free upgrade. Would you like to automatically download this update (using your web browser)?"
            : "This is a paid upgrade. Would you like to automatically download the trial version (using your web "
              "browser)?";
        QCOMPARE(seam.dialogTitle, std::string("New version available!"));
        QCOMPARE(seam.dialogMessage, "Version " + version.toStdString()
                                         + " is now available. (You are using version 2.1.0.) " + wording);
        QCOMPARE(seam.dialogExplanation, std::string("Faster masks.\nBetter help."));
        QCOMPARE(seam.dialogIcon, 3);
        QCOMPARE(seam.dialogButtons, (std::vector<std::string>{"OK", "Go to Website", "Cancel"}));
        std::vector<std::string> expected{"Dialog: New version available!"};
        if (!url.isEmpty())
            expected.push_back("ShowURL: " + url.toStdString());
        QCOMPARE(seam.log, expected);
        QVERIFY(openSelfTest());
        updateWindow* window = openUpdate();
        QCOMPARE(window != nullptr, stays);
        if (window) {
            QVERIFY(!window->ProgressBar1().Visible());
            QCOMPARE(window->StaticText1().Text(), std::string("Checking for update..."));
            window->PushButton1().Push();
            QVERIFY(!openUpdate());
        }
        QCOMPARE(seam.beeps, 0);
    }

    void theOfferShowsTheServersTextAsPlainCharacters()
    {
        // No scripted seam: the real box, looked at while it waits for the user, who cancels.
        const QByteArray version = "9.0.0 <a href=\"http://x.example/\">now</a>";
        const QByteArray description = "<b>Bold</b> &amp; <img src=\"http://x.example/i.png\">";
        LocalHttpServer server(versionFile(version, "Yes", description));
        testing::SetUpdateHost(server.hostPort());
        QStringList texts;
        bool plain = true;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->escapeButton())
                return;
            look.stop();
            for (const QLabel* label : box->findChildren<QLabel*>()) {
                if (label->text().isEmpty())
                    continue;
                texts << label->text();
                plain = plain && label->textFormat() == Qt::PlainText && !label->openExternalLinks();
            }
            box->escapeButton()->click();
        });
        look.start(20);
        checkForUpdates();
        QTRY_VERIFY_WITH_TIMEOUT(!look.isActive() && !openUpdate(), kWait);
        QVERIFY(plain);
        QVERIFY2(texts.contains(QString::fromLatin1(description)), qPrintable(texts.join('|')));
        QVERIFY(std::any_of(texts.cbegin(), texts.cend(), [&](const QString& text) {
            return text.startsWith("Version " + QString::fromLatin1(version) + " is now available. ");
        }));
    }

    void failuresEndAsCommunicationErrors_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("code");
        const int reply = int(LocalHttpServer::Mode::Reply);
        QTest::newRow("refused") << -1 << QByteArray() << HttpErrorCode::kConnectionRefused;
        QTest::newRow("closed without reply") << int(LocalHttpServer::Mode::CloseWithoutReply) << QByteArray() << 0;
        QTest::newRow("404 with a page") << reply
                                         << QByteArray("HTTP/1.0 404 Not Found\r\n\r\n<CurrentVersion>9.0.0</CurrentVersion>")
                                         << 404;
        QTest::newRow("301 not followed") << reply << QByteArray("HTTP/1.0 301 Moved\r\nLocation: /x\r\n\r\n") << 301;
        QTest::newRow("not a version file") << reply << page("<html>Welcome</html>") << HttpErrorCode::kUnexpectedContent;
        QTest::newRow("body over 1 MiB") << reply << QByteArray("HTTP/1.0 200 OK\r\n\r\n") + QByteArray((1 << 20) + 10, 'x')
                                         << HttpErrorCode::kBodyTooLarge;
        QTest::newRow("short body") << reply << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 50\r\n\r\n<Curr")
                                    << HttpErrorCode::kReplyTruncated;
    }

    void failuresEndAsCommunicationErrors()
    {
        QFETCH(int, mode);
        QFETCH(QByteArray, reply);
        QFETCH(int, code);
        UpdateCheck check(LocalHttpServer::Mode(mode < 0 ? 0 : mode), reply);
        auto& [seam, server] = check;
        if (mode < 0)
            testing::SetUpdateHost("127.0.0.1:" + std::to_string(ClosedLocalPort()));
        // A self-test window open again meanwhile is closed at the end as well.
        checkForUpdates();
        ProgramFixture::MainWindow().CheckForUpdateCheckNow_Action();
        QVERIFY(openSelfTest());
        QTRY_VERIFY_WITH_TIMEOUT(!openUpdate(), kWait);
        QCOMPARE(seam.log, (std::vector<std::string>{"Beep", "MsgBox: " + errorMessage(code)}));
        QVERIFY(!openSelfTest());
        QVERIFY(ProgramFixture::MainWindow().Visible());
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == static_cast<QWidget*>(ProgramFixture::MainWindow().Widget()), kWait);
    }

    void anEmptyPageClosesQuietly()
    {
        UpdateCheck check("HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n");
        auto& [seam, server] = check;
        checkForUpdates();
        ProgramFixture::MainWindow().CheckForUpdateCheckNow_Action(); // not touched by this outcome
        QTRY_VERIFY_WITH_TIMEOUT(!openUpdate(), kWait);
        QVERIFY(seam.log.empty());
        QVERIFY(openSelfTest());
    }

    void cancelCloseBoxOrEscapeWhileWaitingEndsTheRequest_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"Cancel", "close box", "Escape"})
            QTest::newRow(how) << how;
    }

    void cancelCloseBoxOrEscapeWhileWaitingEndsTheRequest()
    {
        QFETCH(QString, how);
        UpdateCheck check(LocalHttpServer::Mode::Silent);
        auto& [seam, server] = check;
        ProgramFixture::MainWindow().CheckForUpdateCheckNow_Action();
        QTest::keyClick(openSelfTest()->Widget(), Qt::Key_Return); // Return starts the check
        QTRY_VERIFY_WITH_TIMEOUT(openUpdate() && !openSelfTest(), kWait);
        QTRY_COMPARE_WITH_TIMEOUT(server.requests, 1, kWait);
        if (how == "Cancel")
            openUpdate()->PushButton1().Push();
        else if (how == "close box")
            openUpdate()->ClosedByUser();
        else
            QTest::keyClick(openUpdate()->Widget(), Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!openUpdate(), kWait);
        QTRY_COMPARE_WITH_TIMEOUT(server.clientsGone, 1, kWait);
        server.respond(versionFile("9.9.9"));
        QTest::qWait(100);
        QVERIFY(seam.log.empty());
        QVERIFY(!openUpdate());
    }

    void oneWindowAndOneRequestAtATime()
    {
        UpdateCheck check(LocalHttpServer::Mode::Silent);
        auto& [seam, server] = check;
        checkForUpdates();
        updateWindow* first = openUpdate();
        QTRY_COMPARE_WITH_TIMEOUT(server.requests, 1, kWait);
        checkForUpdates();
        QCOMPARE(openUpdate(), first);
        QVERIFY(!openSelfTest());
        QTest::qWait(100);
        QCOMPARE(server.connections, 1);

        // Once that check is over, the next one is a new window with a new request.
        server.mode = LocalHttpServer::Mode::Reply;
        server.reply = page("");
        server.respond(server.reply);
        QTRY_VERIFY_WITH_TIMEOUT(!openUpdate(), kWait);
        checkForUpdates();
        QVERIFY(openUpdate());
        QTRY_COMPARE_WITH_TIMEOUT(server.requests, 2, kWait);
        QCOMPARE(server.connections, 2);
        QTRY_VERIFY_WITH_TIMEOUT(!openUpdate(), kWait);
        QVERIFY(seam.log.empty());
    }
};

QTEST_MAIN(UpdateWindowTest)
#include "tst_updatewindow.moc"
