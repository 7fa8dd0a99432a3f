#include "installed/InstalledAppCard.h"

#include "platform/Platform.h"
#include "ui/Button.h"
#include "ui/FocusOrder.h"
#include "ui/GradientTile.h"
#include "ui/Label.h"

#include <QHash>
#include <QKeyEvent>
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
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(app_.name);
    setAccessibleDescription(tr("Installed app; Return opens it"));

    auto* tile = new ui::GradientTile(app_.name, iconColor(app_.name));
    tile->setObjectName(QStringLiteral("appTile"));
    auto* name = new ui::Label(app_.name, ui::TextStyle::Headline);
    name->setObjectName(QStringLiteral("appName"));
    open_ = new ui::Button(tr("Open"), ui::Button::Kind::Prominent, ui::Button::ControlSize::Small);
    open_->setObjectName(QStringLiteral("openButton"));
    open_->setAccessibleName(tr("Open %1").arg(app_.name));
    connect(open_, &QPushButton::clicked, this, [this, &platform] { platform.openAppBundle(app_.path); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);
    layout->addWidget(tile, 0, Qt::AlignHCenter);
    layout->addWidget(name, 0, Qt::AlignHCenter);
    layout->addWidget(open_, 0, Qt::AlignHCenter);
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
    const QRectF card = QRectF(rect()).adjusted(1, 0, -1, 0);
    ui::Theme::paintCard(&painter, card, ui::Elevation::Raised, palette());
    if (hasFocus())
        ui::paintFocusRing(&painter, card, 10, palette());
}

void InstalledAppCard::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        open_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace zandrel
