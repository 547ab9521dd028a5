#include "platform/runtime/Strings.h"

#include <QtTest>

#include <clocale>

namespace {

// The C library's numbers in another locale for the lifetime of this object.
class NumericLocale {
public:
    explicit NumericLocale(const QByteArray& name = QByteArray()) : m_previous(std::setlocale(LC_NUMERIC, nullptr))
    {
        if (!name.isEmpty())
            std::setlocale(LC_NUMERIC, name.constData());
    }
    ~NumericLocale() { std::setlocale(LC_NUMERIC, m_previous.constData()); }

private:
    QByteArray m_previous;
};

bool hasDecimalComma(const char* name)
{
    const NumericLocale scope;
    return std::setlocale(LC_NUMERIC, name) && std::localeconv()->decimal_point == std::string(",");
}

} // namespace

class StringsTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_locales;
    // A locale with a decimal comma, or empty when none can be had.
    QByteArray m_comma;

    // Each row once as it is and once more under the comma locale.
    QList<QByteArray> locales() const
    {
        return m_comma.isEmpty() ? QList<QByteArray>{QByteArray()} : QList<QByteArray>{QByteArray(), m_comma};
    }

private slots:
    void initTestCase()
    {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
            if (hasDecimalComma(name)) {
                m_comma = name;
                return;
            }
        // None installed: build German from the system's locale sources.
        if (!QFileInfo::exists(QStringLiteral("/usr/share/i18n/locales/de_DE")))
            return;
        QProcess localedef;
        localedef.start(QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                                                      QStringLiteral("UTF-8"), m_locales.filePath(QStringLiteral("de_DE.UTF-8"))});
        if (!localedef.waitForFinished(120000)) // a warning's exit status still leaves a usable locale
            return;
        qputenv("LOCPATH", QFile::encodeName(m_locales.path()));
        if (hasDecimalComma("de_DE.UTF-8"))
            m_comma = "de_DE.UTF-8";
    }

    void aCommaLocaleIsAvailable()
    {
        if (m_comma.isEmpty())
            QSKIP("no locale with a decimal comma (scripts/deps installs the package locales)");
    }

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
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        for (const QByteArray& locale : locales())
            valRows(locale);
    }

    void valReadsTheLeadingNumber()
    {
        QFETCH(QByteArray, locale);
        QFETCH(QString, text);
        QFETCH(double, value);
        const NumericLocale scope(locale);
        QCOMPARE(Val(text.toStdString()), value);
    }

    void strWritesPlainDecimals_data()
    {
        QTest::addColumn<QByteArray>("locale");
        for (const QByteArray& locale : locales())
            QTest::newRow(locale.isEmpty() ? "as started" : locale.constData()) << locale;
    }

    void strWritesPlainDecimals()
    {
        QFETCH(QByteArray, locale);
        const NumericLocale scope(locale);
        QCOMPARE(Str(12), std::string("12"));
        QCOMPARE(Str(-3), std::string("-3"));
        QCOMPARE(Str(2.0), std::string("2"));
        QCOMPARE(Str(0.5), std::string("0.5"));
        QCOMPARE(Str(-1234.5), std::string("-1234.5"));
        QCOMPARE(Str(1.0 / 3.0), std::string("0.3333333"));
        QCOMPARE(Str(1e20), std::string("1e+20"));
    }

private:
    static void valRows(const QByteArray& locale)
    {
        const QByteArray in = locale.isEmpty() ? QByteArray() : " in " + locale;
        const auto newRow = [&](const char* name) -> QTestData& { return QTest::newRow(name + in) << locale; };
        newRow("plain") << "2" << 2.0;
        newRow("blanks") << "  7" << 7.0;
        newRow("trailing text") << "3beta" << 3.0;
        newRow("fraction") << "1.5" << 1.5;
        newRow("negative") << "-4" << -4.0;
        newRow("exponent") << "1e3" << 1000.0;
        newRow("no number") << "abc" << 0.0;
        newRow("empty") << "" << 0.0;
        newRow("line breaks first") << "\r\n2" << 2.0;
        newRow("lone point") << "." << 0.0;
        newRow("huge") << "1e999" << 0.0;
        newRow("plus sign") << "+4.5" << 4.5;
        newRow("point first") << "-.5" << -0.5;
        newRow("point last") << "3." << 3.0;
        newRow("exponent without digits") << "2e+" << 2.0;
        newRow("comma") << "1,5" << 1.0;
    }
};

QTEST_MAIN(StringsTest)
#include "tst_strings.moc"
