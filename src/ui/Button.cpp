#include "ui/Button.h"

#include "ui/Spinner.h"
#include "ui/Theme.h"

#include <QEvent>
#include <QHBoxLayout>

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
    applyColors();
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

void Button::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        applyColors();
}

void Button::applyColors()
{
    const QPalette app = Theme::palette();
    QPalette own = palette();
    switch (kind_) {
    case Kind::Bordered:
        return;
    case Kind::Prominent:
        own.setColor(QPalette::Button, app.color(QPalette::Highlight));
        own.setColor(QPalette::ButtonText, app.color(QPalette::HighlightedText));
        break;
    case Kind::Destructive:
        own.setColor(QPalette::ButtonText, Theme::color(NamedColor::Red, app));
        break;
    }
    // Setting the palette causes another palette change; stop once nothing differs.
    if (own != palette() || !testAttribute(Qt::WA_SetPalette))
        setPalette(own);
}

} // namespace zandrel::ui
