#include "platform/runtime/Strings.h"
#include "update/VersionDescription.h"
#include "update/updateWindow.h"

#include <QtTest>

class TagsTest : public QObject {
    Q_OBJECT
private slots:
    void tags()
    {
        QCOMPARE(updateWindow::startTag("Free"), std::string("<Free>"));
        QCOMPARE(updateWindow::endTag("Free"), std::string("</Free>"));
        QCOMPARE(updateWindow::startTag(""), std::string("<>"));
    }

    void returnValue_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("at the very beginning") << "<Free>Yes</Free>" << "Free" << "Yes";
        QTest::newRow("inside a file")
            << "<?xml version=\"1.0\"?>\n<Update>\n<CurrentVersion>2.2.0</CurrentVersion>\n<Free>Yes</Free>\n</Update>"
            << "CurrentVersion" << "2.2.0";
        QTest::newRow("empty element") << "<Free></Free>" << "Free" << "";
        QTest::newRow("first of two wins") << "<Free>No</Free><Free>Yes</Free>" << "Free" << "No";
        QTest::newRow("found inside another element")
            << "<Description>set <Free>Yes</Free> here</Description><Free>No</Free>" << "Free" << "Yes";
        QTest::newRow("end tag before the start tag") << "</Free>x<Free>Yes</Free>" << "Free" << "Yes";
        QTest::newRow("nested same name") << "<D>a<D>b</D>c</D>" << "D" << "a<D>b";
        QTest::newRow("no start tag, end tag late enough") << "abcdefgh</Free>" << "Free" << "fgh";
        QTest::newRow("no start tag, end tag too early") << "</Free>abcdefgh" << "Free" << "";
        QTest::newRow("no end tag") << "<Free>Yes" << "Free" << "";
        QTest::newRow("neither tag") << "nothing here" << "Free" << "";
        QTest::newRow("empty source") << "" << "CurrentVersion" << "";
        QTest::newRow("blanks kept") << "<CurrentVersion> 2.1.0 </CurrentVersion>" << "CurrentVersion" << " 2.1.0 ";
        QTest::newRow("line breaks kept") << "<Description>\r\nNew:\nmore\n</Description>" << "Description"
                                          << "\r\nNew:\nmore\n";
        QTest::newRow("letter case matters") << "<free>Yes</free>" << "Free" << "";
        QTest::newRow("attributes are not a start tag") << "<Free a='1'>Yes</Free>" << "Free" << " a='1'>Yes";
        QTest::newRow("empty-element form") << "<Free/>" << "Free" << "";
        QTest::newRow("nothing decoded") << "<Description>a &amp; b</Description>" << "Description" << "a &amp; b";
        QTest::newRow("characters, not bytes") << "<Description>Größe ✓</Description>" << "Description" << "Größe ✓";
        QTest::newRow("characters before the tag") << "ééé<Free>Yes</Free>" << "Free" << "Yes";
        QTest::newRow("empty name") << "a<>b</>c" << "" << "b";
    }

    void returnValue()
    {
        QFETCH(QString, source);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QCOMPARE(QString::fromStdString(updateWindow::returnValue(source.toStdString(), name.toStdString())), value);
    }

    // Found by fuzzing: bytes that look like the middle of a character never give a position
    // inside (or past) a character.
    void inStrCountsOnlyMatchesThatBeginACharacter()
    {
        const std::string source = "r\xff\xc1\x9a\xc1\xa6"; // four characters
        QCOMPARE(Len(source), 4);
        QCOMPARE(InStr(4, source, "\xa6"), 0);
        QCOMPARE(InStr(source, "\xc1\xa6"), 4);
        QCOMPARE(InStr("\xc3\xa9<Free>", "<Free>"), 2);
    }

    void versionComparison_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("newer"); // than 2.1.0
        QTest::newRow("same") << "2.1.0" << false;
        QTest::newRow("bug higher") << "2.1.1" << true;
        QTest::newRow("minor higher") << "2.2.0" << true;
        QTest::newRow("major higher") << "3.0.0" << true;
        QTest::newRow("bug lower") << "2.0.9" << false;
        QTest::newRow("major lower, rest higher") << "1.9.9" << false;
        QTest::newRow("fourth field ignored") << "2.1.0.7" << false;
        QTest::newRow("numbers, not text") << "10.0.0" << true;
        QTest::newRow("two-digit minor") << "2.10.0" << true;
        QTest::newRow("missing fields count as 0") << "2.1" << false;
        QTest::newRow("major only") << "3" << true;
        QTest::newRow("blanks before") << " 2.1.1" << true;
        QTest::newRow("unreadable field is 0") << "2.x.5" << false;
        QTest::newRow("trailing text") << "2.1.1b" << true;
    }

    void versionComparison()
    {
        QFETCH(QString, version);
        QFETCH(bool, newer);
        QCOMPARE(VersionDescription::IsNewer(version.toStdString(), 2, 1, 0), newer);
    }

    void versionNumber_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("number");
        QTest::newRow("dotted") << "2.1.0" << true;
        QTest::newRow("blanks first") << " \t2.1.0" << true;
        QTest::newRow("point first") << ".5" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("words") << "latest" << false;
        QTest::newRow("on its own line") << "\r\n2.1.0\r\n" << true;
        QTest::newRow("lone sign") << "-" << false;
    }

    void versionNumber()
    {
        QFETCH(QString, version);
        QFETCH(bool, number);
        QCOMPARE(VersionDescription::HasVersionNumber(version.toStdString()), number);
    }
};

QTEST_MAIN(TagsTest)
#include "tst_tags.moc"
