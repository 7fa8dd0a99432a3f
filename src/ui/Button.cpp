#include "ui/Button.h"

#include "ui/ButtonPalette.h"
#include "ui/Spinner.h"
#include "ui/Theme.h"

#include <QHBoxLayout>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace zandrel::ui {

namespace {

struct SizeMetrics {
    TextStyle text;
    int height;
    int extraWidth;
};

SizeMetrics metrics(Button::ControlSize size)
{
    switch (size) {
    case Button::ControlSize::Small:
        return {TextStyle::Subheadline, 22, 4};
    case Button::ControlSize::Regular:
        return {TextStyle::Body, 28, 12};
    case Button::ControlSize::Large:
        return {TextStyle::Body, 34, 28};
    }
    return {TextStyle::Body, 28, 12};
}

} // namespace

Button::Button(const QString& text, Kind kind, ControlSize size, QWidget* parent)
    : QPushButton(text, parent)
    , kind_(kind)
    , size_(size)
{
    setFont(Theme::font(metrics(size_).text));
}

QSize Button::sizeHint() const
{
    // A spinner in place of the label keeps the button as wide as with its label.
    if (isBusy())
        return idleSize_;
    const SizeMetrics m = metrics(size_);
    const QSize base = QPushButton::sizeHint();
    return {base.width() + m.extraWidth, m.height};
}

void Button::setBusy(bool busy, bool keepText)
{
    if (busy == isBusy())
        return;
    if (busy) {
        idleSize_ = sizeHint();
        idleText_ = text();
        idleIcon_ = icon();
        idleAccessibleName_ = accessibleName();
        if (idleAccessibleName_.isEmpty())
            setAccessibleName(idleText_);
        if (!keepText)
            setText(QString());
        setIcon({});
        spinner_ = new Spinner(size_ == ControlSize::Small   ? 12
                               : size_ == ControlSize::Large ? 16
                                                             : 14,
                               this);
        auto* centre = new QHBoxLayout(this);
        centre->setContentsMargins(keepText ? 12 : 0, 0, 0, 0);
        centre->addWidget(spinner_, 0, keepText ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        spinner_->show();
        updateGeometry();
        return;
    }
    delete layout();
    delete spinner_;
    spinner_ = nullptr;
    setText(idleText_);
    setIcon(idleIcon_);
    setAccessibleName(idleAccessibleName_);
    updateGeometry();
}

void Button::paintEvent(QPaintEvent*)
{
    // The accent and red are painted with, not set on the widget: a palette set on each button is a new
    // palette each time, and a new copy of its picture in the style's cache.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    if (kind_ != Kind::Bordered)
        option.palette = buttonPalette(
            option.palette, kind_ == Kind::Prominent ? ButtonColors::Accent : ButtonColors::Destructive);
    painter.drawControl(QStyle::CE_PushButton, option);
}

} // namespace zandrel::ui
