#include "ToolPainting.h"

#include "render/Canvas.h"
#include "render/ChartFonts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace qm::tools {

namespace {

// Dots of three pixels with gaps of three, as the retracement levels have always looked.
constexpr qreal kDotLength = 3;

QPen strokePen(const Stroke& stroke) {
    QPen pen(chart::toQColor(stroke.colour), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    if (stroke.dotted) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern({kDotLength, kDotLength});
    }
    return pen;
}

QPoint qpoint(Point p) {
    return {p.x, p.y};
}

} // namespace

void drawIntoPicture(QImage& picture, const std::vector<Stroke>& strokes,
                     const std::vector<Label>& labels, int pixelsPerInch) {
    if (picture.isNull() || (strokes.empty() && labels.empty())) return;
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const Stroke& s : strokes) {
        painter.setPen(strokePen(s));
        if (s.line.from == s.line.to)
            painter.drawPoint(qpoint(s.line.from));
        else
            painter.drawLine(qpoint(s.line.from), qpoint(s.line.to));
    }
    if (labels.empty()) return;
    chart::registerChartFonts();
    const QFont font = chart::chartFont(chart::pixelSizeFor(kLabelPoints, pixelsPerInch));
    const QFontMetrics metrics(font, &picture);
    painter.setFont(font);
    painter.setPen(chart::toQColor(kLabelTextColour));
    const int halfHeight = metrics.height() / 2;
    for (const Label& l : labels) {
        const QString text = QString::fromStdString(l.text);
        const int width = metrics.horizontalAdvance(text);
        const int left = l.right - width;
        const int top = l.middle - halfHeight;
        painter.fillRect(left, top, width, metrics.height(), chart::toQColor(l.back));
        painter.drawText(left, top + metrics.ascent(), text);
    }
}

void paintOverlay(QPainter& painter, const Overlay& overlay) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(overlay.inverted ? QPainter::RasterOp_NotSourceXorDestination
                                                : QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(chart::toQColor(kRubberBandColour), 1, Qt::SolidLine, Qt::SquareCap));
    if (overlay.line.from == overlay.line.to)
        painter.drawPoint(qpoint(overlay.line.from));
    else
        painter.drawLine(qpoint(overlay.line.from), qpoint(overlay.line.to));
    painter.restore();
}

QRegion overlayRegion(const Overlay& overlay) {
    // Pieces of about 24 pixels, each with its bounding box and a margin for the pen.
    constexpr int kPiece = 24;
    constexpr int kMargin = 2;
    const Point a = overlay.line.from;
    const Point b = overlay.line.to;
    const int length = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
    const int pieces = std::clamp(length / kPiece, 1, 256);
    QRegion region;
    for (int i = 0; i < pieces; ++i) {
        const auto at = [&](int k) {
            return QPoint(a.x + (b.x - a.x) * k / pieces, a.y + (b.y - a.y) * k / pieces);
        };
        region +=
            QRect(at(i), at(i + 1)).normalized().adjusted(-kMargin, -kMargin, kMargin, kMargin);
    }
    return region;
}

std::optional<platform::CursorSlot> cursorSlotFor(ChartTool tool) {
    using platform::CursorSlot;
    switch (tool) {
    case ChartTool::ReadOut:
        return CursorSlot::ReadOut;
    case ChartTool::Channel:
    case ChartTool::Line:
        return CursorSlot::LineCross;
    case ChartTool::Clear:
        return CursorSlot::Eraser;
    case ChartTool::Compress:
        return CursorSlot::Compress;
    case ChartTool::Expand:
        return CursorSlot::Expand;
    case ChartTool::Fibonacci:
        return CursorSlot::Retracement;
    case ChartTool::Pitchfork:
        return CursorSlot::Pitchfork;
    case ChartTool::None:
        break;
    }
    return std::nullopt;
}

} // namespace qm::tools
