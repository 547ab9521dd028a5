#include "platform/images/Graphics.h"
#include "platform/images/Picture.h"
#include "platform/images/Resampler.h"

#include <QImage>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

PicturePtr filled(int width, int height, QRgb colour)
{
    PicturePtr pic = NewPicture(width, height);
    pic->Image().fill(colour);
    return pic;
}

// Single-pixel black and white stripes or checks: the worst case for aliasing.
PicturePtr checkerboard(int width, int height)
{
    PicturePtr pic = NewPicture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pic->Image().setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    return pic;
}

void draw(const PicturePtr& into, const PicturePtr& from, int x, int y, int w, int h)
{
    into->Graphics().DrawPicture(*from, x, y, w, h, 0, 0, from->Width(), from->Height());
}

} // namespace

class ResamplerTest : public QObject {
    Q_OBJECT
private slots:
    // A large picture is scaled on several threads; where none may start (process limits),
    // it is scaled on the calling thread alone. The limit is set in a child process of a
    // user of its own: for root the kernel does not enforce it.
    void scalesWhenNoThreadMayStart()
    {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            // A failure ends the child at once, not in the test library's crash report.
            std::signal(SIGABRT, SIG_DFL);
            std::signal(SIGSEGV, SIG_DFL);
            const rlimit none{0, 0};
            if (setrlimit(RLIMIT_NPROC, &none) != 0)
                _exit(2);
            if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
                _exit(3);
            // Nothing may reach the test library from here: it would go on running tests.
            try {
                std::vector<std::uint32_t> source(2048 * 1024, 0xFF336699u), into(1024 * 512, 0);
                Resampler::Scale({source.data(), 2048, 1024, 2048}, {0, 0, 2048, 1024},
                                 {into.data(), 1024, 512, 1024}, {0, 0, 1024, 512});
                for (std::uint32_t pixel : into)
                    if (pixel != 0xFF336699u)
                        _exit(4);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "%s\n", e.what());
                _exit(5);
            } catch (...) {
                _exit(5);
            }
            _exit(0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status), qPrintable(QString("signal %1").arg(WTERMSIG(status))));
        QCOMPARE(WEXITSTATUS(status), 0);
    }

    void flatColourStaysExact_data()
    {
        QTest::addColumn<int>("sourceWidth");
        QTest::addColumn<int>("sourceHeight");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("shrink") << 4000 << 300 << 512 << 38;
        QTest::newRow("shrink by a lot") << 50 << 2000 << 3 << 7;
        QTest::newRow("grow") << 7 << 5 << 512 << 300;
        QTest::newRow("same size") << 40 << 30 << 40 << 30;
        QTest::newRow("grow across, shrink down") << 10 << 900 << 300 << 31;
    }
    void flatColourStaysExact()
    {
        QFETCH(int, sourceWidth);
        QFETCH(int, sourceHeight);
        QFETCH(int, width);
        QFETCH(int, height);
        const QRgb colour = qRgb(201, 17, 99);
        const PicturePtr into = NewPicture(width, height);
        draw(into, filled(sourceWidth, sourceHeight, colour), 0, 0, width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                QCOMPARE(into->Image().pixel(x, y), colour);
    }

    void shrinkingAveragesAreas()
    {
        // 4000 single-pixel checks into 512: every pixel is mid grey, no moiré.
        const PicturePtr into = NewPicture(512, 512);
        draw(into, checkerboard(4000, 4000), 0, 0, 512, 512);
        for (int y = 0; y < 512; y += 7)
            for (int x = 0; x < 512; x += 5) {
                const int g = qGreen(into->Image().pixel(x, y));
                QVERIFY2(std::abs(g - 128) <= 2, qPrintable(QString("%1,%2: %3").arg(x).arg(y).arg(g)));
            }
    }

    void shrinkingWeighsPartialPixels()
    {
        // Five source pixels into two: each destination covers two and a half of them.
        PicturePtr row = NewPicture(5, 1);
        const int values[5] = {0, 50, 100, 150, 250};
        for (int x = 0; x < 5; ++x)
            row->Image().setPixel(x, 0, qRgb(values[x], 0, 0));
        const PicturePtr into = NewPicture(2, 1);
        draw(into, row, 0, 0, 2, 1);
        QVERIFY(std::abs(qRed(into->Image().pixel(0, 0)) - 40) <= 1);  // (0 + 50 + 50) / 2.5
        QVERIFY(std::abs(qRed(into->Image().pixel(1, 0)) - 180) <= 1); // (50 + 150 + 250) / 2.5
    }

    void growingInterpolates()
    {
        PicturePtr pair = NewPicture(2, 1);
        pair->Image().setPixel(0, 0, qRgb(0, 0, 0));
        pair->Image().setPixel(1, 0, qRgb(200, 200, 200));
        const PicturePtr into = NewPicture(8, 1);
        draw(into, pair, 0, 0, 8, 1);
        int previous = -1;
        for (int x = 0; x < 8; ++x) {
            const int v = qBlue(into->Image().pixel(x, 0));
            QVERIFY(v >= previous);
            previous = v;
        }
        QCOMPARE(qBlue(into->Image().pixel(0, 0)), 0);
        QCOMPARE(qBlue(into->Image().pixel(7, 0)), 200);
        QVERIFY(qBlue(into->Image().pixel(3, 0)) > 60 && qBlue(into->Image().pixel(4, 0)) < 140);
    }

    void drawsOnlyInsideTheDestination()
    {
        // A wide source drawn past the right edge, as loading a landscape photo does.
        const PicturePtr into = NewPicture(64, 64);
        into->Image().fill(qRgb(1, 2, 3));
        PicturePtr wide = NewPicture(400, 200);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 400; ++x)
                wide->Image().setPixel(x, y, x < 200 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
        draw(into, wide, 0, 0, 128, 64);
        QCOMPARE(into->Image().pixel(10, 10), qRgb(255, 0, 0));
        QCOMPARE(into->Image().pixel(63, 63), qRgb(255, 0, 0));

        // A rectangle inside: pixels around it keep their content.
        const PicturePtr framed = NewPicture(20, 20);
        framed->Image().fill(qRgb(1, 2, 3));
        draw(framed, filled(100, 100, qRgb(9, 9, 9)), 5, 6, 8, 4);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool inside = x >= 5 && x < 13 && y >= 6 && y < 10;
                QCOMPARE(framed->Image().pixel(x, y), inside ? qRgb(9, 9, 9) : qRgb(1, 2, 3));
            }

        // Partly or wholly off the picture on every side, and degenerate sizes: nothing breaks.
        draw(framed, wide, -50, -50, 60, 60);
        QCOMPARE(framed->Image().pixel(0, 0), qRgb(0, 0, 255));
        draw(framed, wide, 100, 100, 10, 10);
        draw(framed, wide, 0, 0, 0, 10);
        framed->Graphics().DrawPicture(*wide, 0, 0, 10, 10, 390, 190, 20, 20); // source past its edge
    }

    void tallSourceLeavesTheRightBand()
    {
        const PicturePtr into = NewPicture(512, 512); // new pictures are white
        draw(into, filled(768, 1024, qRgb(0, 0, 0)), 0, 0, 384, 512);
        QCOMPARE(into->Image().pixel(383, 511), qRgb(0, 0, 0));
        QCOMPARE(into->Image().pixel(384, 0), qRgb(255, 255, 255));
    }

    void transparentSourcesAreBlended()
    {
        QImage half(10, 10, QImage::Format_ARGB32);
        half.fill(qRgba(0, 0, 0, 0));
        const PicturePtr into = filled(10, 10, qRgb(50, 60, 70));
        into->Graphics().DrawPicture(Picture(half), 0, 0, 10, 10, 0, 0, 10, 10);
        QCOMPARE(into->Image().pixel(5, 5), qRgb(50, 60, 70));
    }
};

QTEST_MAIN(ResamplerTest)
#include "tst_resampler.moc"
