#pragma once

#include "platform/images/Picture.h"

#include <memory>
#include <string>

class FolderItem;
using FolderItemPtr = std::shared_ptr<FolderItem>;

// A file or folder by path; it need not exist.
class FolderItem {
public:
    explicit FolderItem(std::string path);

    const std::string& Path() const { return m_path; }
    // The last part of the path, extension included.
    std::string Name() const;
    bool Exists() const;
    bool Directory() const;
    // The item of that name inside this folder; nullptr when no such name can be made here
    // (this is no folder, or the name is empty or holds a separator).
    FolderItemPtr Child(const std::string& name) const;

    // The picture in this JPEG file at the image's own size (EXIF orientation applied), or
    // nullptr when the file cannot be read as a JPEG or passes a JpegReader limit. With
    // allowDamaged, a truncated or partly corrupt file gives what could be decoded.
    PicturePtr OpenAsJPEG(bool allowDamaged = false) const;
    // Writes pic as a JPEG of that quality (1-100); true once the file holds it completely.
    // Saves go through a temporary file that replaces the target only when complete: a
    // failed save leaves no partial file and an existing file of that name as it was.
    bool SaveAsJPEG(const PicturePtr& pic, int quality = 80) const;
    // Writes pic as an RGBA PNG whose alpha is 255 minus the mask's grey level (black mask
    // pixels opaque, white ones transparent; see MaskAlpha; no mask: opaque); gamma 0 writes
    // no gamma. filterType: PngWriter::Filter (0: the measured default). True once complete.
    bool SaveAsPNG(const PicturePtr& pic, const PicturePtr& mask, float gamma = 0.0f, bool interlace = false,
                   int filterType = 0) const;

private:
    std::string m_path;
};
