#include "icon/IconSource.h"

#include <climits>
#include <cmath>

PicturePtr IconSource::Scaled(const Picture& source, int size)
{
    const double ratio = static_cast<double>(size) / source.Height();
    PicturePtr picture = NewPicture(size, size, 32);
    picture->Graphics().DrawPicture(source, 0, 0, ScaledLength(source.Width(), ratio),
                                    ScaledLength(source.Height(), ratio), 0, 0, source.Width(),
                                    source.Height());
    return picture;
}

int IconSource::ScaledLength(int length, double ratio)
{
    const double scaled = std::round(static_cast<double>(length) * ratio);
    if (!(scaled < INT_MAX))
        return INT_MAX;
    return scaled > 0 ? static_cast<int>(scaled) : 0;
}
