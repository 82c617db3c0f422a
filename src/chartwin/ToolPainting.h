#pragma once
// How the drawing tools' results reach the screen: finished lines and labels are drawn into the
// chart's picture, the line still being placed is painted over it by exclusive-or, so that it
// shows on any background and a paint of the picture alone takes it away again.

#include "ChartTools.h"
#include "platform/CursorTable.h"

#include <QRegion>
#include <optional>
#include <vector>

class QImage;
class QPainter;

namespace qm::tools {

// Draws the lines, then the labels (in the chart font of `labelPoints` at `pixelsPerInch`),
// into `picture` in the window's pixels, whatever the picture's pixel density.
void drawIntoPicture(QImage& picture, const std::vector<Stroke>& strokes,
                     const std::vector<Label>& labels, int pixelsPerInch);

// Paints the overlay with a painter that has just painted the picture under it.
void paintOverlay(QPainter& painter, const Overlay& overlay);

// The part of the window an overlay covers: a band along its line, much less than its
// bounding box for a slanted line.
QRegion overlayRegion(const Overlay& overlay);

// The mouse cursor over a chart while `tool` is down; nothing for the ordinary arrow.
std::optional<platform::CursorSlot> cursorSlotFor(ChartTool tool);

} // namespace qm::tools
