#include "store/UpdateRow.h"

#include "store/UpdateListModel.h"
#include "ui/ButtonPalette.h"
#include "ui/Formats.h"
#include "ui/GradientTile.h"
#include "ui/SymbolTable.h"
#include "ui/TextLines.h"
#include "ui/Theme.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace zandrel {

using ui::NamedColor;
using ui::TextStyle;
using ui::Theme;
using ui::Tone;

namespace {

constexpr int kInsetX = 20;
constexpr int kPadY = 4;
constexpr int kTile = 36;
constexpr int kSpacing = 12;

int height(TextStyle style, bool bold = false)
{
    return QFontMetrics(Theme::font(style, bold)).height();
}

QSize buttonSize()
{
    const QFontMetrics metrics(Theme::font(TextStyle::Callout));
    return {metrics.horizontalAdvance(UpdateRow::tr("Update")) + 22, metrics.height() + 8};
}

// The width the text column gets in a row of this width.
int textWidth(int rowWidth)
{
    return qMax(40, rowWidth - 2 * kInsetX - kTile - 2 * kSpacing - buttonSize().width() - 30);
}

} // namespace

UpdateRow::UpdateRow(QAbstractItemView* view)
    : QStyledItemDelegate(view)
    , view_(view)
{}

QRect UpdateRow::buttonRect(const QRect& row)
{
    const QSize size = buttonSize();
    return {row.right() - kInsetX - size.width() + 1,
            row.center().y() - size.height() / 2,
            size.width(),
            size.height()};
}

QStringList UpdateRow::textsFor(const UpdateInfo& update, int width)
{
    QStringList texts{ui::capitalizedWords(update.slug.left(300)),
                      update.currentVersion.value_or(QStringLiteral("?")),
                      update.version.left(100)};
    texts += ui::wrapLines(update.notes, Theme::font(TextStyle::Caption), width, 2);
    return texts;
}

QSize UpdateRow::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const auto* model = qobject_cast<const UpdateListModel*>(index.model());
    const int width = view_->viewport()->width();
    int column = height(TextStyle::Body, true) + 2 + height(TextStyle::Caption);
    if (model && index.row() < model->rowCount()) {
        const qsizetype notes = textsFor(model->update(index.row()), textWidth(width)).size() - 3;
        if (notes > 0)
            column += 2 + int(notes) * height(TextStyle::Caption);
    }
    return {width, 2 * kPadY + 6 + qMax(kTile, column)};
}

void UpdateRow::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const auto* model = qobject_cast<const UpdateListModel*>(index.model());
    if (!model || index.row() >= model->rowCount())
        return;
    const UpdateInfo& update = model->update(index.row());
    const QPalette& palette = option.palette;
    const QRect row = option.rect;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (option.state.testFlag(QStyle::State_HasFocus))
        painter->fillRect(row, Theme::textColor(Tone::Quaternary, palette));
    painter->fillRect(QRect(row.left() + kInsetX, row.bottom(), row.width() - 2 * kInsetX, 1),
                      Theme::textColor(Tone::Quaternary, palette));

    // Tile.
    const QRect tile(row.left() + kInsetX, row.center().y() - kTile / 2, kTile, kTile);
    ui::GradientTile::paint(painter,
                            tile,
                            Theme::initial(update.slug),
                            Theme::slugColor(update.slug),
                            8,
                            TextStyle::Headline,
                            palette);

    // Text column, centred beside the tile.
    const int width = textWidth(row.width());
    const QStringList texts = textsFor(update, width);
    const int titleHeight = height(TextStyle::Body, true);
    const int captionHeight = height(TextStyle::Caption);
    const int notesLines = int(texts.size()) - 3;
    const int column =
        titleHeight + 2 + captionHeight + (notesLines > 0 ? 2 + notesLines * captionHeight : 0);
    const int x = tile.right() + 1 + kSpacing;
    int y = row.center().y() - column / 2;
    const QFont bold = Theme::font(TextStyle::Body, true);
    painter->setFont(bold);
    painter->setPen(palette.color(QPalette::Text));
    painter->drawText(QRect(x, y, width, titleHeight),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(bold).elidedText(texts[0], Qt::ElideRight, width));
    y += titleHeight + 2;
    const QFont caption = Theme::font(TextStyle::Caption);
    const QFontMetrics captionMetrics(caption);
    painter->setFont(caption);
    painter->setPen(Theme::textColor(Tone::Secondary, palette));
    int cx = x;
    painter->drawText(QRect(cx, y, width, captionHeight), Qt::AlignLeft | Qt::AlignVCenter, texts[1]);
    cx += captionMetrics.horizontalAdvance(texts[1]) + 4;
    const int arrow = height(TextStyle::Caption2) - 2;
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(
        cx,
        y + (captionHeight - arrow) / 2,
        ui::SymbolTable::pixmap(
            QStringLiteral("arrow.right"), {arrow, arrow}, Theme::textColor(Tone::Secondary, palette), dpr));
    cx += arrow + 4;
    painter->setPen(palette.color(QPalette::Highlight));
    painter->drawText(QRect(cx, y, qMax(0, x + width - cx), captionHeight),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      captionMetrics.elidedText(texts[2], Qt::ElideRight, qMax(0, x + width - cx)));
    y += captionHeight + 2;
    painter->setPen(Theme::textColor(Tone::Secondary, palette));
    for (int line = 3; line < texts.size(); ++line) {
        painter->drawText(QRect(x, y, width, captionHeight), Qt::AlignLeft | Qt::AlignVCenter, texts[line]);
        y += captionHeight;
    }

    // The end of the row: "Updated", or the button.
    const QRect button = buttonRect(row);
    if (index.data(UpdateListModel::UpdatedRole).toBool()) {
        const QColor green = Theme::color(NamedColor::Green, palette);
        const QFont label = Theme::font(TextStyle::Caption, true);
        const QFontMetrics metrics(label);
        const QString text = tr("Updated");
        const int side = metrics.height() - 2;
        const int total = side + 4 + metrics.horizontalAdvance(text);
        const int left = row.right() - kInsetX - total + 1;
        painter->drawPixmap(
            left,
            row.center().y() - side / 2,
            ui::SymbolTable::pixmap(QStringLiteral("checkmark.circle.fill"), {side, side}, green, dpr));
        painter->setFont(label);
        painter->setPen(green);
        painter->drawText(
            QRect(left + side + 4, row.top(), total, row.height()), Qt::AlignLeft | Qt::AlignVCenter, text);
    } else {
        // Drawn by the style, like every other prominent button.
        const bool updating = index.data(UpdateListModel::UpdatingRole).toBool();
        QStyleOptionButton look;
        look.rect = button;
        look.text = updating ? QString() : tr("Update");
        look.state = QStyle::State_Raised | (updating ? QStyle::State_None : QStyle::State_Enabled);
        look.palette = ui::buttonPalette(palette, ui::ButtonColors::Accent);
        const QFont font = Theme::font(TextStyle::Callout);
        look.fontMetrics = QFontMetrics(font);
        painter->setFont(font);
        view_->style()->drawControl(QStyle::CE_PushButton, &look, painter, view_);
        if (updating) {
            const int side = button.height() - 8;
            const QRectF arc(button.center().x() - side / 2.0, button.center().y() - side / 2.0, side, side);
            painter->setPen(QPen(Theme::textColor(Tone::Secondary, palette), 2, Qt::SolidLine, Qt::RoundCap));
            painter->drawArc(arc, -spinnerAngle_ * 16, 100 * 16);
        }
    }
    painter->restore();
}

bool UpdateRow::editorEvent(QEvent* event,
                            QAbstractItemModel* model,
                            const QStyleOptionViewItem& option,
                            const QModelIndex& index)
{
    const bool pending = !index.data(UpdateListModel::UpdatedRole).toBool() &&
                         !index.data(UpdateListModel::UpdatingRole).toBool();
    if (event->type() == QEvent::MouseButtonRelease && pending) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            buttonRect(option.rect).contains(mouse->position().toPoint())) {
            Q_EMIT updateRequested(index.row());
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

} // namespace zandrel
