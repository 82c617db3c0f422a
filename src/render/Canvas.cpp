#include "Canvas.h"

#include <QPen>

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
    // A one-pixel pen covers both end points, so a bar whose high equals its low still shows
    // as a dot; wider pens end round.
    const bool thin = width <= 1;
    painter_.setPen(QPen(toQColor(colour), thin ? 1 : width, Qt::SolidLine,
                         thin ? Qt::SquareCap : Qt::RoundCap,
                         thin ? Qt::MiterJoin : Qt::RoundJoin));
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
}

} // namespace qm::chart
