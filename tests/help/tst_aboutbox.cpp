#include "common/Maker.h"
#include "common/TheApp.h"
#include "help/AboutBox.h"
#include "icon/Window1.h"
#include "platform/runtime/Fonts.h"
#include "platform/runtime/Testing.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/Label.h"
#include "platform/windows/PushButton.h"
#include "support/ProgramFixture.h"
#include "support/ScriptedSeam.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

AboutBox& showAbout()
{
    ProgramFixture::MainWindow().HandleMenuCommand("HelpAbout");
    AboutBox* about = OpenImplicitWindow<AboutBox>();
    if (!about)
        qFatal("About... opened no about window");
    return *about;
}

void setLongVersion(const std::string& text)
{
    VersionInfo version = BuildVersion();
    version.Long = text;
    testing::SetVersion(TheApp(), version);
}

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ProgramFixture::Start(); }
    void cleanup() { ProgramFixture::Stop(); }

    void windowHasItsDesign()
    {
        AboutBox& about = showAbout();
        QCOMPARE(about.Title(), std::string("About..."));
        QCOMPARE(about.Width(), 247);
        QCOMPARE(about.Height(), 312);
        QVERIFY(!about.MenuBar());
        QCOMPARE(about.Controls().size(), size_t(6));
        const char* order[] = {"PushButton1", "PushButton2", "StaticText2", "StaticText1", "StaticText3", "StaticText4"};
        for (size_t i = 0; i < 6; ++i)
            QCOMPARE(about.Controls()[i]->Name(), std::string(order[i]));
    }

    void labelsShowTheirTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("align");
        QTest::newRow("credits") << "StaticText2" << QRect(75, 111, 104, 106)
                                 << "Developed by\rCorvane\r\rSenior Beta Tester\rEttrick" << Fonts::kDefaultPixelSize << false
                                 << int(Qt::AlignHCenter);
        QTest::newRow("title") << "StaticText1" << QRect(20, 11, 214, 70) << "Quorrel" << 30 << true
                               << int(Qt::AlignHCenter);
        QTest::newRow("version caption") << "StaticText3" << QRect(72, 86, 56, 20) << "Version:" << 12 << true
                                         << int(Qt::AlignLeft);
    }

    void labelsShowTheirTexts()
    {
        QFETCH(QString, name);
        QFETCH(QRect, box);
        QFETCH(QString, text);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        QFETCH(int, align);
        AboutBox& about = showAbout();
        Label& label = about.ControlByName<Label>(name.toStdString());
        QCOMPARE(label.Text(), text.toStdString());
        QCOMPARE(QRect(label.Left(), label.Top(), label.Width(), label.Height()), box);
        auto* widget = qobject_cast<QLabel*>(label.Widget());
        QVERIFY(widget);
        QCOMPARE(widget->font().pixelSize(), pixelSize);
        QCOMPARE(widget->font().bold(), bold);
        QCOMPARE(int(widget->alignment() & Qt::AlignHorizontal_Mask), align);
        QCOMPARE(widget->text(), QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    }

    void versionLabelShowsTheLongVersion_data()
    {
        QTest::addColumn<QString>("longVersion");
        QTest::newRow("a version") << "9.8.7 (build 65)";
        QTest::newRow("empty") << "";
    }

    void versionLabelShowsTheLongVersion()
    {
        QFETCH(QString, longVersion);
        setLongVersion(longVersion.toStdString());
        Label& version = showAbout().StaticText4();
        QCOMPARE(version.Text(), longVersion.toStdString());
        QCOMPARE(qobject_cast<QLabel*>(version.Widget())->text(), longVersion);
        QCOMPARE(QRect(version.Left(), version.Top(), version.Width(), version.Height()), QRect(111, 86, 71, 20));
        QCOMPARE(int(qobject_cast<QLabel*>(version.Widget())->alignment() & Qt::AlignHorizontal_Mask),
                 int(Qt::AlignRight));
    }

    void buttonsHandTheMakersAddressesToTheSystem()
    {
        ScriptedSeam seam;
        AboutBox& about = showAbout();
        QCOMPARE(about.PushButton1().Caption(), std::string("Email Author"));
        QCOMPARE(about.PushButton2().Caption(), std::string("Visit Web Site"));
        about.PushButton1().Push();
        about.PushButton1().Push();
        about.PushButton2().Push();
        QCOMPARE(seam.urls, (std::vector<std::string>{Maker::kAuthorMail, Maker::kAuthorMail, Maker::kWebSite}));
        QVERIFY(OpenImplicitWindow<AboutBox>() == &about);
        QVERIFY(about.Visible());

        // A bare mailto: address, and a web address of scheme and host alone.
        const QUrl mail(QString::fromLatin1(Maker::kAuthorMail));
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
        QVERIFY(!mail.hasQuery());
        QVERIFY(mail.path().endsWith(QStringLiteral("@example.com")));
        const std::string site = Maker::kWebSite;
        QCOMPARE(site.rfind("http://", 0), size_t(0));
        QVERIFY(site.find('/', 7) == std::string::npos);
    }

    void buttonsHaveTheirPlaces()
    {
        AboutBox& about = showAbout();
        for (auto [button, top] : {std::pair{&about.PushButton1(), 238}, std::pair{&about.PushButton2(), 271}}) {
            QCOMPARE(QRect(button->Left(), button->Top(), button->Width(), button->Height()), QRect(67, top, 120, 21));
            QVERIFY(button->Widget()->font().bold());
        }
    }

    void oneAboutWindowAndAFreshOneAfterClosing()
    {
        setLongVersion("1.0 first");
        AboutBox& first = showAbout();
        setLongVersion("2.0 second");
        QCOMPARE(&showAbout(), &first);
        QCOMPARE(first.StaticText4().Text(), std::string("1.0 first")); // not renewed while open
        first.Close();
        ProgramFixture::ProcessEvents();
        QVERIFY(!OpenImplicitWindow<AboutBox>());
        QCOMPARE(showAbout().StaticText4().Text(), std::string("2.0 second"));
    }
};

QTEST_MAIN(AboutBoxTest)
#include "tst_aboutbox.moc"
