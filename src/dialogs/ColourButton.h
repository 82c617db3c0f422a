#pragma once
// A colour button: it shows its colour, and a click offers the sixteen basic colours and
// "More ...", which asks the program's colour dialog. Colours are the stored 0x00BBGGRR values.

#include <QToolButton>
#include <cstdint>

namespace qm {

class ColourButton final : public QToolButton {
    Q_OBJECT

public:
    explicit ColourButton(QWidget* parent = nullptr);

    std::int32_t colour() const { return colour_; }
    // Shows `colour` without telling anyone.
    void setColour(std::int32_t colour);

    // The stored value of a colour and back; the high byte of a stored value is not shown.
    static std::int32_t storedValue(const QColor& colour);
    static QColor shownColour(std::int32_t stored);

Q_SIGNALS:
    // The user chose `colour`.
    void colourChosen(std::int32_t colour);

private:
    void choose(std::int32_t colour);
    void askForMore();

    std::int32_t colour_ = 0;
};

} // namespace qm
