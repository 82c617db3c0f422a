#pragma once
// The tool bar's indicator drop-down: the thirty indicators in catalogue order. Pressed and
// dragged, it carries the chosen indicator to a chart window, which adds it where it is dropped;
// clicked, it opens its list as any drop-down does.

#include <QComboBox>
#include <QPoint>

namespace qm {

class IndicatorDropDown final : public QComboBox {
    Q_OBJECT

public:
    explicit IndicatorDropDown(QWidget* parent = nullptr);

    // The kind of the indicator chosen: item index + 1.
    int chosenKind() const { return currentIndex() + 1; }

    void showPopup() override;
    void hidePopup() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint pressedAt_;
    bool pressed_ = false;
};

} // namespace qm
