#include "platform/runtime/Fonts.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/Label.h"
#include "platform/windows/WindowWidget.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QtTest>

namespace {

// Two one-line labels whose boxes overlap, as the version captions do: the earlier one
// left-aligned in 0-150, the later one right-aligned in 100-200 and made with `later`.
class Overlap : public Window {
public:
    static constexpr const char* kClassName = "Overlap";
    static inline LabelProperties later;
    Overlap() : Window(kClassName) {}

protected:
    void Layout() override { SetProperties({.Title = "Overlap", .Width = 200, .Height = 40, .Resizeable = false}); }
    void CreateControls() override
    {
        NewControl<Label>("Earlier").SetProperties(
            {.Control = {.Left = 0, .Top = 10, .Width = 150, .Height = 20}, .Text = std::string(20, 'M')});
        NewControl<Label>("Later").SetProperties(later);
    }
};

// Dark pixels of the window's content in the columns [from, to).
int inkBetween(const QImage& image, int from, int to)
{
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = from; x < to; ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    return ink;
}

} // namespace

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

    // An opaque label's text covers what an earlier label drew beneath it, so that two texts
    // are never drawn over each other; where only the boxes overlap, both texts show.
    void anOpaqueLabelCoversWhatLiesUnderItsText_data()
    {
        QTest::addColumn<bool>("transparent");
        QTest::newRow("opaque") << false;
        QTest::newRow("transparent") << true;
    }

    void anOpaqueLabelCoversWhatLiesUnderItsText()
    {
        QFETCH(bool, transparent);
        // Blanks before a full stop: a text that inks almost nothing from about x 130 on.
        Overlap::later = {.Control = {.Left = 100, .Top = 10, .Width = 100, .Height = 20},
                          .Text = std::string(20, ' ') + ".",
                          .TextAlign = 2,
                          .Transparent = transparent};
        Overlap& window = ImplicitWindow<Overlap>();
        auto* later = window.ControlByName<Label>("Later").Widget();
        const int textLeft = later->x() + later->width()
            - later->fontMetrics().horizontalAdvance(QString(20, QLatin1Char(' ')) + QLatin1Char('.'));
        QVERIFY(textLeft > 110 && textLeft < 140);
        const QImage image = window.Content()->grab().toImage();
        window.Close();

        QVERIFY(inkBetween(image, 100, textLeft - 2) > 0); // boxes overlap, texts do not
        QCOMPARE(inkBetween(image, textLeft + 1, 150) > 0, transparent);
    }
};

QTEST_MAIN(TextTest)
#include "tst_text.moc"
