#include "platform/FolderItem.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>

FolderItem::FolderItem(std::string path) : m_path(std::move(path)) {}

std::string FolderItem::Name() const
{
    return QFileInfo(QString::fromStdString(m_path)).fileName().toStdString();
}

bool FolderItem::Exists() const
{
    return QFileInfo::exists(QString::fromStdString(m_path));
}

bool FolderItem::Directory() const
{
    return QFileInfo(QString::fromStdString(m_path)).isDir();
}

FolderItemPtr FolderItem::Child(const std::string& name) const
{
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos
        || name.find('\0') != std::string::npos || !Directory())
        return nullptr;
    return std::make_shared<FolderItem>(
        QDir(QString::fromStdString(m_path)).filePath(QString::fromStdString(name)).toStdString());
}

// Placeholder codecs on Qt's image plug-ins; the libjpeg/libpng ones replace them.
PicturePtr FolderItem::OpenAsJPEG(bool) const
{
    QImageReader reader(QString::fromStdString(m_path), "jpeg");
    QImage image = reader.read();
    if (image.isNull())
        return nullptr;
    return std::make_shared<Picture>(image);
}

bool FolderItem::SaveAsJPEG(const PicturePtr& pic, int quality) const
{
    if (!pic)
        return false;
    QSaveFile file(QString::fromStdString(m_path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return pic->Image().save(&file, "JPEG", quality) && file.commit();
}

bool FolderItem::SaveAsPNG(const PicturePtr& pic, const PicturePtr& mask, float, bool, int) const
{
    if (!pic || !mask)
        return false;
    QImage image = pic->Image().convertToFormat(QImage::Format_ARGB32);
    const QImage& m = mask->Image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            const int alpha = x < m.width() && y < m.height() ? 255 - qGray(m.pixel(x, y)) : 255;
            image.setPixel(x, y, qRgba(qRed(c), qGreen(c), qBlue(c), alpha));
        }
    QSaveFile file(QString::fromStdString(m_path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return image.save(&file, "PNG") && file.commit();
}
