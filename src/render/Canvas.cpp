#include "Canvas.h"

#include <QPen>
#include <algorithm>

namespace qm::chart {

QColor toQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

Canvas::Canvas(QPaintDevice* device) : painter_(device), metrics_(QFont()) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

Canvas::~Canvas() {
    painter_.end();
}

void Canvas::setPen(Colour colour, int width) {
    penColour_ = toQColor(colour);
    penWidth_ = std::max(width, 1);
    const bool thin = penWidth_ == 1;
    painter_.setPen(QPen(penColour_, penWidth_, Qt::SolidLine, thin ? Qt::SquareCap : Qt::RoundCap,
                         thin ? Qt::MiterJoin : Qt::RoundJoin));
}

bool Canvas::fillAxisLine(int x1, int y1, int x2, int y2) {
    if (x1 != x2 && y1 != y2) return false;
    const int half = penWidth_ / 2;
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    if (x1 == x2)
        painter_.fillRect(left - half, top, penWidth_, std::abs(y2 - y1) + 1, penColour_);
    else
        painter_.fillRect(left, top - half, std::abs(x2 - x1) + 1, penWidth_, penColour_);
    return true;
}

void Canvas::line(int x1, int y1, int x2, int y2) {
    if (!fillAxisLine(x1, y1, x2, y2)) painter_.drawLine(x1, y1, x2, y2);
}

void Canvas::lines(const std::vector<QLine>& batch) {
    std::vector<QLine> slanted;
    for (const QLine& l : batch)
        if (!fillAxisLine(l.x1(), l.y1(), l.x2(), l.y2())) slanted.push_back(l);
    if (!slanted.empty()) painter_.drawLines(slanted.data(), static_cast<int>(slanted.size()));
}

void Canvas::box(int x1, int y1, int x2, int y2, Colour fill) {
    if (penWidth_ > 1) {
        polygon(QPolygon({QPoint(x1, y1), QPoint(x1, y2), QPoint(x2, y2), QPoint(x2, y1)}), fill);
        return;
    }
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    const int w = std::abs(x2 - x1) + 1;
    const int h = std::abs(y2 - y1) + 1;
    painter_.fillRect(left, top, w, h, penColour_);
    if (w > 2 && h > 2) painter_.fillRect(left + 1, top + 1, w - 2, h - 2, toQColor(fill));
}

void Canvas::polygon(const QPolygon& points, Colour fill) {
    painter_.setBrush(toQColor(fill));
    painter_.drawPolygon(points);
    painter_.setBrush(Qt::NoBrush);
}

void Canvas::fillRect(int x, int y, int w, int h, Colour colour) {
    painter_.fillRect(x, y, w, h, toQColor(colour));
}

void Canvas::setFont(const QFont& font) {
    painter_.setFont(font);
    metrics_ = QFontMetrics(font, painter_.device());
}

int Canvas::textWidth(const std::string& text) const {
    return metrics_.horizontalAdvance(QString::fromStdString(text));
}

void Canvas::text(int x, int y, const std::string& text, Colour colour) {
    this->text(x, y, QString::fromStdString(text), colour);
}

void Canvas::text(int x, int y, const std::string& text, Colour colour, Colour back) {
    const QString s = QString::fromStdString(text);
    painter_.fillRect(x, y, metrics_.horizontalAdvance(s), metrics_.height(), toQColor(back));
    this->text(x, y, s, colour);
}

void Canvas::text(int x, int y, const QString& text, Colour colour) {
    painter_.setPen(toQColor(colour));
    painter_.drawText(x, y + metrics_.ascent(), text);
    painter_.setPen(QPen(penColour_, penWidth_));
}

} // namespace qm::chart
