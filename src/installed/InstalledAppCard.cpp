#include "installed/InstalledAppCard.h"

#include "platform/Platform.h"
#include "ui/Button.h"
#include "ui/GradientTile.h"
#include "ui/Label.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace zandrel {

using ui::NamedColor;

InstalledAppCard::InstalledAppCard(InstalledApp app, Platform& platform, QWidget* parent)
    : QWidget(parent)
    , app_(std::move(app))
{
    setObjectName(QStringLiteral("appCard"));
    // Equal grid columns: the card takes the width its cell gives, whatever its name's length.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    auto* tile = new ui::GradientTile(app_.name, iconColor(app_.name));
    tile->setObjectName(QStringLiteral("appTile"));
    auto* name = new ui::Label(app_.name, ui::TextStyle::Headline);
    name->setObjectName(QStringLiteral("appName"));
    auto* open =
        new ui::Button(QStringLiteral("Open"), ui::Button::Kind::Prominent, ui::Button::ControlSize::Small);
    open->setObjectName(QStringLiteral("openButton"));
    connect(open, &QPushButton::clicked, this, [this, &platform] { platform.openAppBundle(app_.path); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);
    layout->addWidget(tile, 0, Qt::AlignHCenter);
    layout->addWidget(name, 0, Qt::AlignHCenter);
    layout->addWidget(open, 0, Qt::AlignHCenter);
}

NamedColor InstalledAppCard::iconColor(const QString& appName)
{
    static const QHash<QString, NamedColor> colors{
        {QStringLiteral("orvane"), NamedColor::Purple},
        {QStringLiteral("dulvet"), NamedColor::Green},
        {QStringLiteral("kettavox"), NamedColor::Blue},
        {QStringLiteral("morrak"), NamedColor::Orange},
        {QStringLiteral("silvane"), NamedColor::Indigo},
        {QStringLiteral("pimbrel"), NamedColor::Yellow},
    };
    return colors.value(appName.toLower(), NamedColor::Gray);
}

void InstalledAppCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    ui::Theme::paintCard(&painter, QRectF(rect()).adjusted(1, 0, -1, 0), ui::Elevation::Raised, palette());
}

} // namespace zandrel
