#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>

class TextTest : public QObject {
    Q_OBJECT
private slots:
    // The windows are laid out for Arial's metrics; a metric twin is asked for by name.
    void designFacesResolveToMetricTwins_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("resolved");
        QTest::newRow("Arial") << "Arial" << "Liberation Sans";
        QTest::newRow("System") << "System" << "Liberation Sans";
        QTest::newRow("Courier") << "Courier" << "Liberation Mono";
    }

    void designFacesResolveToMetricTwins()
    {
        QFETCH(QString, face);
        QFETCH(QString, resolved);
        if (!QFontDatabase::hasFamily(resolved))
            QSKIP("fonts-liberation is not installed (scripts/deps installs it)");
        for (bool bold : {false, true})
            QCOMPARE(QFontInfo(Fonts::Font(face.toStdString(), 12, bold)).family(), resolved);
    }
};

QTEST_MAIN(TextTest)
#include "tst_text.moc"
