#include "platform/Strings.h"

#include <QtTest>

class StringsTest : public QObject {
    Q_OBJECT
private slots:
    void inStrFindsOneBasedPositions()
    {
        QCOMPARE(InStr("<Free>Yes</Free>", "<Free>"), 1);
        QCOMPARE(InStr("abcabc", "c"), 3);
        QCOMPARE(InStr(4, "abcabc", "c"), 6);
        QCOMPARE(InStr(7, "abcabc", "c"), 0);
        QCOMPARE(InStr(100, "abc", "c"), 0);
        QCOMPARE(InStr("abc", ""), 0);
        QCOMPARE(InStr("", "a"), 0);
        QCOMPARE(InStr("abc", "C"), 0); // case matters
        QCOMPARE(InStr("héllo", "llo"), 3); // characters, not bytes
        QCOMPARE(InStr(3, "héllo héllo", "é"), 8);
    }

    void midLeftAndLenCountCharacters()
    {
        QCOMPARE(Mid("<Free>Yes</Free>", 7, 3), std::string("Yes"));
        QCOMPARE(Mid("abc", 2, 0), std::string());
        QCOMPARE(Mid("abc", 2, -5), std::string());
        QCOMPARE(Mid("abc", 0, 2), std::string("ab"));
        QCOMPARE(Mid("abc", 3, 10), std::string("c"));
        QCOMPARE(Mid("abc", 4, 1), std::string());
        QCOMPARE(Mid("abcdef", 3), std::string("cdef"));
        QCOMPARE(Left("logo.jpeg", Len("logo.jpeg") - 4), std::string("logo."));
        QCOMPARE(Left("a.jpg", -3), std::string());
        QCOMPARE(Left("éé.jpg", Len("éé.jpg") - 4), std::string("éé"));
        QCOMPARE(Len("éé.jpg"), 6);
        QCOMPARE(Len(""), 0);
        // A stray byte is one character of its own.
        QCOMPARE(Len(std::string("a\xff" "b")), 3);
        QCOMPARE(Mid(std::string("a\xff" "b"), 3, 1), std::string("b"));
    }

    void nthFieldSplitsAtTheSeparator()
    {
        QCOMPARE(NthField("2.1.0", ".", 1), std::string("2"));
        QCOMPARE(NthField("2.1.0", ".", 3), std::string("0"));
        QCOMPARE(NthField("2.1.0", ".", 4), std::string());
        QCOMPARE(NthField("2..0", ".", 2), std::string());
        QCOMPARE(NthField("", ".", 1), std::string());
        QCOMPARE(NthField("abc", ".", 0), std::string());
    }

    void valReadsTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "2" << 2.0;
        QTest::newRow("blanks") << "  7" << 7.0;
        QTest::newRow("trailing text") << "3beta" << 3.0;
        QTest::newRow("fraction") << "1.5" << 1.5;
        QTest::newRow("negative") << "-4" << -4.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("line breaks first") << "\r\n2" << 2.0;
        QTest::newRow("lone point") << "." << 0.0;
        QTest::newRow("huge") << "1e999" << 0.0;
    }

    void valReadsTheLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(Val(text.toStdString()), value);
    }

    void strWritesPlainDecimals()
    {
        QCOMPARE(Str(12), std::string("12"));
        QCOMPARE(Str(-3), std::string("-3"));
        QCOMPARE(Str(2.0), std::string("2"));
        QCOMPARE(Str(0.5), std::string("0.5"));
    }
};

QTEST_MAIN(StringsTest)
#include "tst_strings.moc"
