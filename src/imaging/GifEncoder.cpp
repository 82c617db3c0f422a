#include "Gif87a.h"
#include "ImageEncoders.h"
#include "IndexedColours.h"

namespace qm {

ImageResult encodeGif(const QImage& image, std::string& out) {
    IndexedBitmap bitmap;
    if (ImageResult indexed = toIndexedBitmap(image, bitmap); !indexed) return indexed;
    return SaveBitmapAsGif87a(bitmap, out);
}

} // namespace qm
