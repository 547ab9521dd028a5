#include "support/TestFiles.h"
#include "support/TestImages.h"
#include "support/TestJpeg.h"

#include "platform/images/JpegReader.h"
#include "platform/runtime/FolderItem.h"

#include <QImageReader>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using testjpeg::Kind;

namespace {

PicturePtr decode(const std::vector<std::uint8_t>& bytes, bool allowDamaged = false)
{
    return JpegReader::Decode(bytes.data(), bytes.size(), allowDamaged);
}

using testimages::near;

QRgb at(const PicturePtr& pic, int x, int y) { return pic->Image().pixel(x, y); }

// Colours at the middle of each quadrant: top-left, top-right, bottom-left, bottom-right.
QList<QRgb> corners(const PicturePtr& pic)
{
    const int w = pic->Width(), h = pic->Height();
    return {at(pic, w / 4, h / 4), at(pic, 3 * w / 4, h / 4), at(pic, w / 4, 3 * h / 4),
            at(pic, 3 * w / 4, 3 * h / 4)};
}

// A header claiming width x height on a valid small file: the frame's size fields patched.
std::vector<std::uint8_t> withClaimedSize(std::vector<std::uint8_t> jpeg, int width, int height)
{
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            jpeg[i + 5] = std::uint8_t(height >> 8);
            jpeg[i + 6] = std::uint8_t(height);
            jpeg[i + 7] = std::uint8_t(width >> 8);
            jpeg[i + 8] = std::uint8_t(width);
            return jpeg;
        }
    return {};
}

// Fine detail, so that the scans hold most of the file.
QImage textured(int width, int height)
{
    QImage image = testjpeg::quadrants(width, height);
    QRandomGenerator random(99);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (random.bounded(3) == 0)
                image.setPixel(x, y, qRgb(int(random.bounded(256)), int(random.bounded(256)), int(random.bounded(256))));
    return image;
}

// Where the first (or last) scan's data begins.
std::size_t scanStart(const std::vector<std::uint8_t>& jpeg, bool lastScan = false)
{
    std::size_t found = 0;
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA && i + 3 < jpeg.size()) {
            found = i + 2 + std::size_t(jpeg[i + 2] << 8 | jpeg[i + 3]);
            if (!lastScan)
                break;
        }
    return found;
}

const QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255), kWhite = qRgb(255, 255, 255);

} // namespace

class JpegReaderTest : public QObject {
    Q_OBJECT
private slots:
    void decodesEveryKindAtItsOwnSize_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("progressive");
        QTest::newRow("baseline") << int(Kind::Colour) << false;
        QTest::newRow("progressive") << int(Kind::Colour) << true;
        QTest::newRow("grey") << int(Kind::Grey) << false;
        QTest::newRow("grey progressive") << int(Kind::Grey) << true;
        QTest::newRow("cmyk without Adobe marker") << int(Kind::Cmyk) << false;
        QTest::newRow("cmyk Adobe inverted") << int(Kind::CmykInverted) << false;
        QTest::newRow("cmyk Adobe inverted progressive") << int(Kind::CmykInverted) << true;
        QTest::newRow("ycck") << int(Kind::Ycck) << false;
    }
    void decodesEveryKindAtItsOwnSize()
    {
        QFETCH(int, kind);
        QFETCH(bool, progressive);
        testjpeg::Options o;
        o.kind = Kind(kind);
        o.progressive = progressive;
        const PicturePtr pic = decode(testjpeg::encode(testjpeg::quadrants(64, 48), o));
        QVERIFY(pic);
        QCOMPARE(pic->Width(), 64);
        QCOMPARE(pic->Height(), 48);
        const QList<QRgb> c = corners(pic);
        if (Kind(kind) == Kind::Grey) {
            QVERIFY(near(c[0], qRgb(qGray(kRed), qGray(kRed), qGray(kRed))));
            QVERIFY(near(c[3], kWhite));
        } else {
            QVERIFY2(near(c[0], kRed), qPrintable(QString::number(c[0], 16)));
            QVERIFY(near(c[1], kGreen));
            QVERIFY(near(c[2], kBlue));
            QVERIFY(near(c[3], kWhite));
        }
        QVERIFY(!pic->Image().hasAlphaChannel());
    }

    void appliesTheExifOrientation_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("bigEndian");
        QTest::addColumn<bool>("turned");
        QTest::addColumn<QList<QRgb>>("expected"); // top-left, top-right, bottom-left, bottom-right
        QTest::newRow("1") << 1 << true << false << QList<QRgb>{kRed, kGreen, kBlue, kWhite};
        QTest::newRow("2 mirrored") << 2 << false << false << QList<QRgb>{kGreen, kRed, kWhite, kBlue};
        QTest::newRow("3 half turn") << 3 << true << false << QList<QRgb>{kWhite, kBlue, kGreen, kRed};
        QTest::newRow("4 upside down") << 4 << false << false << QList<QRgb>{kBlue, kWhite, kRed, kGreen};
        QTest::newRow("5 transposed") << 5 << true << true << QList<QRgb>{kRed, kBlue, kGreen, kWhite};
        QTest::newRow("6 turned right") << 6 << false << true << QList<QRgb>{kBlue, kRed, kWhite, kGreen};
        QTest::newRow("7 transversed") << 7 << true << true << QList<QRgb>{kWhite, kGreen, kBlue, kRed};
        QTest::newRow("8 turned left") << 8 << false << true << QList<QRgb>{kGreen, kWhite, kRed, kBlue};
    }
    void appliesTheExifOrientation()
    {
        QFETCH(int, orientation);
        QFETCH(bool, bigEndian);
        QFETCH(bool, turned);
        QFETCH(QList<QRgb>, expected);
        testjpeg::Options o;
        o.orientation = orientation;
        o.bigEndianExif = bigEndian;
        const PicturePtr pic = decode(testjpeg::encode(testjpeg::quadrants(64, 32), o));
        QVERIFY(pic);
        QCOMPARE(pic->Width(), turned ? 32 : 64);
        QCOMPARE(pic->Height(), turned ? 64 : 32);
        const QList<QRgb> c = corners(pic);
        for (int i = 0; i < 4; ++i)
            QVERIFY2(near(c[i], expected[i]), qPrintable(QString("corner %1: %2").arg(i).arg(c[i], 0, 16)));
    }

    void malformedExifMeansUpright_data()
    {
        QTest::addColumn<QByteArray>("payload");
        const QByteArray head("Exif\0\0", 6);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << head;
        QTest::newRow("unknown byte order") << head + QByteArray("XX\0*\0\0\0\x08", 8);
        QTest::newRow("IFD beyond the end") << head + QByteArray("MM\0*\xFF\xFF\xFF\xF0", 8);
        QTest::newRow("entry count beyond the end") << head + QByteArray("MM\0*\0\0\0\x08\xFF\xFF", 10);
        QTest::newRow("orientation 9") << head + QByteArray("MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x09\0\0", 22);
        QTest::newRow("orientation as a LONG") << head + QByteArray("MM\0*\0\0\0\x08\0\x01\x01\x12\0\x04\0\0\0\x01\0\0\0\x06", 22);
        QTest::newRow("entry cut short") << head + QByteArray("MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 19);
    }
    void malformedExifMeansUpright()
    {
        QFETCH(QByteArray, payload);
        QCOMPARE(JpegReader::ExifOrientation(reinterpret_cast<const std::uint8_t*>(payload.constData()),
                                             std::size_t(payload.size())),
                 1);
    }

    void damagedFilesNeedAllowDamaged()
    {
        std::vector<std::uint8_t> jpeg = testjpeg::encode(testjpeg::quadrants(64, 64));
        jpeg.resize(scanStart(jpeg) + (jpeg.size() - scanStart(jpeg)) / 2);
        QVERIFY(!decode(jpeg, false));
        const PicturePtr pic = decode(jpeg, true);
        QVERIFY(pic);
        QCOMPARE(pic->Width(), 64);
        QCOMPARE(pic->Height(), 64);
        QVERIFY(near(at(pic, 8, 8), kRed)); // the part that was there
        QVERIFY(near(at(pic, 60, 60), qRgb(128, 128, 128), 2)); // the part that was not

        std::vector<std::uint8_t> progressive = testjpeg::encode(textured(64, 64), {.progressive = true});
        // Cut inside a later scan: the scans before it give the picture.
        const std::size_t last = scanStart(progressive, true);
        progressive.resize(last + (progressive.size() - last) / 2);
        QVERIFY(!decode(progressive, false));
        QVERIFY(decode(progressive, true));
    }

    void corruptDataNeedsAllowDamaged()
    {
        std::vector<std::uint8_t> jpeg = testjpeg::encode(testjpeg::quadrants(64, 64));
        // A marker inside the entropy-coded data: libjpeg reports corrupt data and goes on.
        const std::size_t sos = scanStart(jpeg);
        QVERIFY(sos > 0);
        const std::size_t at = sos + (jpeg.size() - sos) / 2;
        jpeg[at] = 0xFF;
        jpeg[at + 1] = 0xD3;
        QVERIFY(!decode(jpeg, false));
        QVERIFY(decode(jpeg, true));
    }

    void refusesWhatIsNoJpeg_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2);
        QTest::newRow("start and end markers") << QByteArray("\xFF\xD8\xFF\xD9", 4);
        QImage image = testjpeg::quadrants(16, 16);
        QTest::newRow("png") << testimages::encoded(image, "PNG");
        QRandomGenerator random(1234);
        QByteArray noise(4096, 0);
        for (char& c : noise)
            c = char(random.bounded(256));
        QTest::newRow("random bytes") << noise;
        QTest::newRow("random bytes after a start marker") << QByteArray("\xFF\xD8\xFF", 3) + noise;
        const std::vector<std::uint8_t> jpeg = testjpeg::encode(image);
        QTest::newRow("header only") << QByteArray(reinterpret_cast<const char*>(jpeg.data()), 200);
    }
    void refusesWhatIsNoJpeg()
    {
        QFETCH(QByteArray, bytes);
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
        QVERIFY(!JpegReader::Decode(data, std::size_t(bytes.size()), false));
        QVERIFY(!JpegReader::Decode(data, std::size_t(bytes.size()), true));
        QTemporaryDir dir;
        const QString path = dir.filePath("looks like a photo.jpg");
        QVERIFY(testfiles::writeFile(path, bytes));
        QVERIFY(!FolderItem(path.toStdString()).OpenAsJPEG(true));
    }

    void refusesAHeaderClaimingTooManyPixels()
    {
        // 65500 x 65500 would be 17 GB as a picture: refused as soon as the header is read.
        const std::vector<std::uint8_t> bomb =
            withClaimedSize(testjpeg::encode(testjpeg::quadrants(16, 16)), 65500, 65500);
        QVERIFY(!bomb.empty());
        QVERIFY(!decode(bomb, true));
        QVERIFY(!decode(withClaimedSize(testjpeg::encode(testjpeg::quadrants(16, 16), {.progressive = true}),
                                        20000, 5001),
                        true));
    }

    void refusesAFloodOfScans_data()
    {
        QTest::addColumn<int>("bandsPerComponent");
        QTest::addColumn<bool>("accepted");
        // One DC scan, then one scan per band of AC coefficients for each of the three components.
        QTest::newRow("10 scans") << 3 << true;
        QTest::newRow("100 scans, the limit") << 33 << true;
        QTest::newRow("103 scans") << 34 << false;
        QTest::newRow("190 scans") << 63 << false;
    }
    void refusesAFloodOfScans()
    {
        QFETCH(int, bandsPerComponent);
        QFETCH(bool, accepted);
        const std::vector<std::uint8_t> jpeg =
            testjpeg::encode(testjpeg::quadrants(32, 32), {.scansPerComponent = bandsPerComponent});
        QCOMPARE(bool(decode(jpeg, false)), accepted);
        QCOMPARE(bool(decode(jpeg, true)), accepted);
    }

    void largeImagesGetFewerScans()
    {
        // 24 megapixels allow 83 scans: 91 (which a small image may have) are refused.
        QImage flat(5000, 4800, QImage::Format_RGB32);
        flat.fill(qRgb(10, 120, 240));
        QVERIFY(!decode(testjpeg::encode(flat, {.quality = 50, .scansPerComponent = 30}), true));
        QVERIFY(decode(testjpeg::encode(testjpeg::quadrants(32, 32), {.scansPerComponent = 30}), true));
    }

    void progressiveFilesHaveASmallerSizeLimit()
    {
        // Progressive data costs about three times as long to decode as single-scan data.
        const std::vector<std::uint8_t> padding(JpegReader::kMaxProgressiveBytes, 0);
        std::vector<std::uint8_t> progressive = testjpeg::encode(testjpeg::quadrants(16, 16), {.progressive = true});
        std::vector<std::uint8_t> baseline = testjpeg::encode(testjpeg::quadrants(16, 16));
        progressive.insert(progressive.end(), padding.begin(), padding.end());
        baseline.insert(baseline.end(), padding.begin(), padding.end());
        QVERIFY(!decode(progressive, true));
        QVERIFY(decode(baseline, true));
    }

    void opensFilesFromDisk()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("photo.jpg");
        const std::vector<std::uint8_t> jpeg = testjpeg::encode(testjpeg::quadrants(40, 30));
        QVERIFY(testfiles::writeFile(path, QByteArray(reinterpret_cast<const char*>(jpeg.data()), qsizetype(jpeg.size()))));
        const PicturePtr pic = FolderItem(path.toStdString()).OpenAsJPEG();
        QVERIFY(pic);
        QCOMPARE(pic->Width(), 40);
        QCOMPARE(pic->Height(), 30);
        QVERIFY(!FolderItem(dir.filePath("missing.jpg").toStdString()).OpenAsJPEG(true));
        QVERIFY(!FolderItem(dir.path().toStdString()).OpenAsJPEG(true));
    }

    // Only regular files are read: a pipe without a writer would block the open for ever, a
    // device could be endless.
    void noPictureFromAPipeADeviceOrAFolder()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("pipe.jpg");
        QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        // Should the open wait for a writer after all, this one ends the wait and the test fails.
        std::mutex lock;
        std::condition_variable answered;
        bool done = false, unblocked = false;
        std::thread writer([&] {
            std::unique_lock<std::mutex> guard(lock);
            if (answered.wait_for(guard, std::chrono::seconds(5), [&] { return done; }))
                return;
            unblocked = true;
            const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        });
        const PicturePtr fromPipe = FolderItem(fifo.toStdString()).OpenAsJPEG(true);
        {
            const std::lock_guard<std::mutex> guard(lock);
            done = true;
        }
        answered.notify_one();
        writer.join();
        QVERIFY(!unblocked);
        QVERIFY(!fromPipe);
        QVERIFY(!FolderItem("/dev/zero").OpenAsJPEG(true));
        QVERIFY(!FolderItem(dir.path().toStdString()).OpenAsJPEG(true));
        QVERIFY(!JpegReader::DecodeFileReduced("/dev/zero", true, 1024).picture);
    }

    // Decoded at the smallest eighth that still has the rows asked for, with the image's own size.
    void reducedDecodeKeepsTheHeightAskedFor_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("progressive");
        QTest::addColumn<QSize>("size");    // of the picture, oriented
        QTest::addColumn<QSize>("reduced");
        QTest::newRow("upright") << 1 << false << QSize(1200, 400) << QSize(450, 150);
        QTest::newRow("progressive") << 1 << true << QSize(1200, 400) << QSize(450, 150);
        QTest::newRow("turned: the width counts") << 6 << false << QSize(400, 1200) << QSize(50, 150);
    }
    void reducedDecodeKeepsTheHeightAskedFor()
    {
        QFETCH(int, orientation);
        QFETCH(bool, progressive);
        QFETCH(QSize, size);
        QFETCH(QSize, reduced);
        testjpeg::Options o;
        o.orientation = orientation;
        o.progressive = progressive;
        const std::vector<std::uint8_t> jpeg = testjpeg::encode(testjpeg::quadrants(1200, 400), o);
        const JpegReader::Reduced pic = JpegReader::DecodeReduced(jpeg.data(), jpeg.size(), false, 130);
        QVERIFY(pic.picture);
        QCOMPARE(QSize(pic.width, pic.height), size);
        QCOMPARE(QSize(pic.picture->Width(), pic.picture->Height()), reduced);
        const QList<QRgb> c = corners(pic.picture);
        const QList<QRgb> full = corners(decode(jpeg));
        for (int i = 0; i < 4; ++i)
            QVERIFY(near(c[i], full[i]));
        const JpegReader::Reduced small = JpegReader::DecodeReduced(jpeg.data(), jpeg.size(), false, 2000);
        QCOMPARE(QSize(small.picture->Width(), small.picture->Height()), size);
    }

    void decodesThePhotos()
    {
        const QByteArray folder = qgetenv("QUORREL_PHOTOS");
        if (folder.isEmpty() || !QDir(folder).exists())
            QSKIP("QUORREL_PHOTOS not set");
        const QStringList names = QDir(folder).entryList({"*.jpg"});
        if (names.isEmpty())
            QSKIP("no photos");
        for (const QString& name : names) {
            const PicturePtr pic = FolderItem(QDir(folder).filePath(name).toStdString()).OpenAsJPEG(false);
            QVERIFY2(pic, qPrintable(name));
            const QSize expected = QImageReader(QDir(folder).filePath(name)).size();
            QCOMPARE(QSize(pic->Width(), pic->Height()), expected);
        }
    }
};

QTEST_MAIN(JpegReaderTest)
#include "tst_jpegreader.moc"
