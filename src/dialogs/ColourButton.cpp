#include "ColourButton.h"

#include "EditorMessages.h"
#include "platform/widgets/Prompts.h"
#include "render/Canvas.h"

#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <array>

namespace qm {
namespace {

namespace em = editor_messages;

// The basic colours, as the colour menus of the desktop's classic toolkits list them.
constexpr std::array<std::pair<std::int32_t, const char*>, 16> kBasicColours = {{
    {0x000000, "Black"},
    {0x000080, "Maroon"},
    {0x008000, "Green"},
    {0x008080, "Olive"},
    {0x800000, "Navy"},
    {0x800080, "Purple"},
    {0x808000, "Teal"},
    {0x808080, "Gray"},
    {0xC0C0C0, "Silver"},
    {0x0000FF, "Red"},
    {0x00FF00, "Lime"},
    {0x00FFFF, "Yellow"},
    {0xFF0000, "Blue"},
    {0xFF00FF, "Fuchsia"},
    {0xFFFF00, "Aqua"},
    {0xFFFFFF, "White"},
}};

QIcon swatch(const QColor& colour, QSize size) {
    QPixmap picture(size);
    picture.fill(colour);
    QPainter painter(&picture);
    painter.setPen(Qt::gray);
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return QIcon(picture);
}

} // namespace

ColourButton::ColourButton(QWidget* parent) : QToolButton(parent) {
    setToolTip(QString::fromLatin1(em::kColourHint.data(),
                                   static_cast<qsizetype>(em::kColourHint.size())));
    setIconSize(QSize(48, 14));
    setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(this);
    for (const auto& [value, name] : kBasicColours) {
        QAction* item =
            menu->addAction(swatch(shownColour(value), QSize(16, 16)), QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, [this, value] { choose(value); });
    }
    menu->addSeparator();
    QAction* more = menu->addAction(QString::fromLatin1(
        em::kMoreColours.data(), static_cast<qsizetype>(em::kMoreColours.size())));
    more->setObjectName(QStringLiteral("more"));
    connect(more, &QAction::triggered, this, &ColourButton::askForMore);
    setMenu(menu);
    setColour(0);
}

std::int32_t ColourButton::storedValue(const QColor& colour) {
    return static_cast<std::int32_t>(colour.red() | (colour.green() << 8) | (colour.blue() << 16));
}

QColor ColourButton::shownColour(std::int32_t stored) {
    return chart::toQColor(static_cast<chart::Colour>(stored));
}

void ColourButton::setColour(std::int32_t colour) {
    colour_ = colour;
    setIcon(swatch(shownColour(colour), iconSize()));
}

void ColourButton::choose(std::int32_t colour) {
    setColour(colour);
    Q_EMIT colourChosen(colour);
}

void ColourButton::askForMore() {
    if (const auto chosen = platform::prompts().colour(this, shownColour(colour_)))
        choose(storedValue(*chosen));
}

} // namespace qm
