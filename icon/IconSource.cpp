#include "icon/IconSource.h"

#include "platform/images/JpegReader.h"

#include <climits>
#include <cmath>

PicturePtr IconSource::Scaled(const Picture& source, int width, int height, int size)
{
    const double ratio = static_cast<double>(size) / height;
    PicturePtr picture = NewPicture(size, size, 32);
    picture->Graphics().DrawPicture(source, 0, 0, ScaledLength(width, ratio), ScaledLength(height, ratio), 0, 0,
                                    source.Width(), source.Height());
    return picture;
}

int IconSource::ScaledLength(int length, double ratio)
{
    const double scaled = std::round(static_cast<double>(length) * ratio);
    if (!(scaled < INT_MAX))
        return INT_MAX;
    return scaled > 0 ? static_cast<int>(scaled) : 0;
}

IconSource::Icons IconSource::Load(const FolderItem& file)
{
    const JpegReader::Reduced pic = JpegReader::DecodeFileReduced(file.Path(), true, 1024);
    if (!pic.picture)
        return {};
    return {Scaled(*pic.picture, pic.width, pic.height, 512), Scaled(*pic.picture, pic.width, pic.height, 1024)};
}
