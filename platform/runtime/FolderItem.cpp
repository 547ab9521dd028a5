#include "platform/runtime/FolderItem.h"

#include "platform/images/JpegReader.h"
#include "platform/images/JpegWriter.h"
#include "platform/images/PngWriter.h"
#include "platform/runtime/SafeFileWriter.h"

#include <QDir>
#include <QFileInfo>

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

PicturePtr FolderItem::OpenAsJPEG(bool allowDamaged) const
{
    return JpegReader::DecodeFile(m_path, allowDamaged);
}

bool FolderItem::SaveAsJPEG(const PicturePtr& pic, int quality) const
{
    return pic && SafeFileWriter::Write(m_path, JpegWriter::Encode(*pic, quality));
}

bool FolderItem::SaveAsPNG(const PicturePtr& pic, const PicturePtr& mask, float gamma, bool interlace,
                           int filterType) const
{
    return pic && SafeFileWriter::Write(m_path, PngWriter::Encode(*pic, mask.get(), gamma, interlace, filterType));
}
