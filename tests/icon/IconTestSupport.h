#pragma once

// Helpers shared by the icon workflow's tests: JPEG files made on the spot, loading through
// the menu handler with a scripted dialog, and icon state set up with exact pixels.

#include "icon/Module1.h"
#include "icon/Window1.h"
#include "support/ProgramFixture.h"
#include "support/ScriptedSeam.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QtTest>
#include <functional>
#include <string>

namespace IconTest {

inline QImage solid(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Left half one colour, right half another: shows where the source's middle lands.
inline QImage halves(int width, int height, QColor left, QColor right)
{
    QImage image = solid(width, height, left);
    QPainter painter(&image);
    painter.fillRect(width / 2, 0, width - width / 2, height, right);
    return image;
}

// A white square over the middle half of a coloured ground.
inline QImage whiteSquareOn(int size, QColor ground)
{
    QImage image = solid(size, size, ground);
    QPainter(&image).fillRect(size / 4, size / 4, size / 2, size / 2, Qt::white);
    return image;
}

inline std::string writeJpeg(const QDir& dir, const QString& name, const QImage& image)
{
    const QString path = dir.filePath(name);
    if (!image.save(path, "JPEG", 100))
        qFatal("cannot write %s", qPrintable(path));
    return path.toStdString();
}

inline std::string writeBytes(const QDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    if (!testfiles::writeFile(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    return path.toStdString();
}

// Chooses path in the load dialog and runs "Load Icon Source".
inline bool load(ScriptedSeam& seam, const std::string& path)
{
    seam.files.push_back(path);
    return ProgramFixture::MainWindow().FileLoadIconSource_Action();
}

// The colour of a picture's pixel, without alpha.
inline QRgb rgbAt(const PicturePtr& picture, int x, int y)
{
    return picture->Image().pixel(x, y) & 0xFFFFFFu;
}

inline bool near(QRgb actual, QColor expected, int tolerance = 24)
{
    return testimages::near(actual, expected.rgb(), tolerance);
}

// Puts exact icons into the icon state the way a load does, without a JPEG in between.
inline void installIcons(const std::function<Color(int x, int y, int size)>& pixel)
{
    auto make = [&](int size) {
        PicturePtr picture = NewPicture(size, size, 32);
        auto surface = picture->RGBSurface();
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                surface->Pixel(x, y, pixel(x, y, size));
        return picture;
    };
    Module1::P1 = make(512);
    Module1::P1Hidden = make(1024);
    Module1::TakeIcons();
}

} // namespace IconTest
