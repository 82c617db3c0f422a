#pragma once
// Chart images as palette indices, for the GIF encoder.

#include "imaging/Gif87a.h"
#include "imaging/ImageResult.h"

#include <QImage>

namespace qm {

// Fills `out` with the image's pixels as indices into a 256-entry colour table. An image of at
// most 256 colours keeps every colour exactly (the table lists them in order of first
// appearance, the unused entries black); one with more is reduced by median cut. Fails, with
// `out` unspecified, when the image has no pixels or they cannot be read.
ImageResult toIndexedBitmap(const QImage& image, IndexedBitmap& out);

} // namespace qm
