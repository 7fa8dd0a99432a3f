#include "store/StoreAppCard.h"

#include "store/StoreApp.h"
#include "store/StoreAppListModel.h"
#include "ui/FocusOrder.h"
#include "ui/Formats.h"
#include "ui/GradientTile.h"
#include "ui/SymbolTable.h"
#include "ui/TextLines.h"
#include "ui/Theme.h"

#include <QPainter>
#include <QPainterPath>

namespace zandrel {

using ui::Elevation;
using ui::NamedColor;
using ui::TextStyle;
using ui::Theme;
using ui::Tone;

namespace {

constexpr int kPad = 12;
constexpr int kTile = 36;
constexpr int kSpacing = 8;

int lineHeight(TextStyle style, bool bold = false)
{
    return QFontMetrics(Theme::font(style, bold)).height();
}

// A symbol and a text side by side, spacing 2; answers the width used.
int drawSymbolText(QPainter* painter,
                   int x,
                   int y,
                   int height,
                   const QString& symbol,
                   const QColor& symbolColor,
                   const QString& text,
                   const QColor& textColor)
{
    const QFont font = Theme::font(TextStyle::Caption);
    const QFontMetrics metrics(font);
    const int side = metrics.height() - 2;
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(
        x, y + (height - side) / 2, ui::SymbolTable::pixmap(symbol, {side, side}, symbolColor, dpr));
    painter->setFont(font);
    painter->setPen(textColor);
    const int textX = x + side + 2;
    painter->drawText(
        QRect(textX, y, metrics.horizontalAdvance(text) + 1, height), Qt::AlignLeft | Qt::AlignVCenter, text);
    return side + 2 + metrics.horizontalAdvance(text);
}

} // namespace

int StoreAppCard::cardHeight()
{
    const int content = kTile + kSpacing + lineHeight(TextStyle::Headline, true) + kSpacing +
                        2 * lineHeight(TextStyle::Caption) + 4 + lineHeight(TextStyle::Caption);
    return qMax(130, content + 2 * kPad);
}

StoreAppCard::Texts StoreAppCard::textsFor(const StoreApp& app)
{
    return {Theme::initial(app.name),
            ui::priceText(app.is_free, app.price_cents),
            app.name,
            app.short_description,
            app.average_rating > 0 ? ui::ratingText(app.average_rating) : QString(),
            app.download_count >= 1 ? QString::number(app.download_count) : QString()};
}

QSize StoreAppCard::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return {option.rect.width(), cardHeight() + 2 * cellInset};
}

void StoreAppCard::paint(QPainter* painter,
                         const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    const auto* model = qobject_cast<const StoreAppListModel*>(index.model());
    if (!model || index.row() >= model->rowCount())
        return;
    const QRect card = option.rect.adjusted(cellInset, cellInset, -cellInset, -cellInset);
    // The view marks its current card as having the focus only while the view itself has it.
    paintCard(painter,
              card,
              model->app(index.row()),
              option.palette,
              option.state.testFlag(QStyle::State_HasFocus));
}

void StoreAppCard::paintCard(
    QPainter* painter, const QRect& card, const StoreApp& app, const QPalette& palette, bool focused)
{
    const Texts texts = textsFor(app);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);

    Theme::paintCard(painter, QRectF(card).adjusted(0, 0, 0, 1), Elevation::Raised, palette);
    if (focused)
        ui::paintFocusRing(painter, QRectF(card), 10, palette);

    const QRect inner = card.adjusted(kPad, kPad, -kPad, -kPad);
    // Top row: tile and price badge.
    const QRect tile(inner.topLeft(), QSize(kTile, kTile));
    ui::GradientTile::paint(
        painter, tile, texts.initial, Theme::slugColor(app.slug), 8, TextStyle::Headline, palette);

    const QFont badgeFont = Theme::font(TextStyle::Caption, true);
    const QFontMetrics badgeMetrics(badgeFont);
    const QColor badgeColor = Theme::color(app.is_free ? NamedColor::Green : NamedColor::Blue, palette);
    const QSize badgeSize(badgeMetrics.horizontalAdvance(texts.price) + 16, badgeMetrics.height() + 6);
    const QRect badge(QPoint(inner.right() - badgeSize.width() + 1, inner.top()), badgeSize);
    QPainterPath capsule;
    capsule.addRoundedRect(badge, badge.height() / 2.0, badge.height() / 2.0);
    QColor fill = badgeColor;
    fill.setAlphaF(0.15);
    painter->fillPath(capsule, fill);
    painter->setPen(badgeColor);
    painter->setFont(badgeFont);
    painter->drawText(badge, Qt::AlignCenter, texts.price);

    // Name, one line; description, at most two.
    int y = tile.bottom() + 1 + kSpacing;
    const QFont nameFont = Theme::font(TextStyle::Headline, true);
    const QFontMetrics nameMetrics(nameFont);
    painter->setFont(nameFont);
    painter->setPen(palette.color(QPalette::Text));
    painter->drawText(QRect(inner.left(), y, inner.width(), nameMetrics.height()),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      nameMetrics.elidedText(texts.name.left(300), Qt::ElideRight, inner.width()));
    y += nameMetrics.height() + kSpacing;
    const QFont captionFont = Theme::font(TextStyle::Caption);
    painter->setFont(captionFont);
    painter->setPen(Theme::textColor(Tone::Secondary, palette));
    const int captionHeight = QFontMetrics(captionFont).height();
    const QStringList lines = ui::wrapLines(texts.description, captionFont, inner.width(), 2);
    for (const QString& line : lines) {
        painter->drawText(
            QRect(inner.left(), y, inner.width(), captionHeight), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += captionHeight;
    }

    // Footer at the bottom: rating, then downloads.
    const int footerY = inner.bottom() + 1 - captionHeight;
    int x = inner.left();
    if (!texts.rating.isEmpty())
        x += drawSymbolText(painter,
                            x,
                            footerY,
                            captionHeight,
                            QStringLiteral("star.fill"),
                            Theme::color(NamedColor::Yellow, palette),
                            texts.rating,
                            palette.color(QPalette::Text)) +
             kSpacing;
    if (!texts.downloads.isEmpty()) {
        const QColor secondary = Theme::textColor(Tone::Secondary, palette);
        drawSymbolText(painter,
                       x,
                       footerY,
                       captionHeight,
                       QStringLiteral("arrow.down.circle"),
                       secondary,
                       texts.downloads,
                       secondary);
    }
    painter->restore();
}

} // namespace zandrel
