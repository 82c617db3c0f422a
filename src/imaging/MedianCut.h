#pragma once
// Colour reduction for images of more than 256 colours.

#include "imaging/Gif87a.h"

#include <QImage>

namespace qm {

// Indexes an RGB32 image with at most 256 colours chosen by median cut. Colours are counted
// on a grid of 32 x 32 x 32 cells (5 bits per channel); starting from one box around all of
// them, the box holding the most pixels is cut across its longest side at the median pixel
// until there are 256 boxes or none can be cut. Each box's colour is the mean of its pixels
// and each pixel takes the colour of its box. `out` already has the image's size.
void indexByMedianCut(const QImage& rgb32, IndexedBitmap& out);

} // namespace qm
