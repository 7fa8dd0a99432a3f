#include "ui/EmptyStateView.h"

#include "ui/Button.h"
#include "ui/Caps.h"
#include "ui/Formats.h"
#include "ui/Label.h"
#include "ui/SymbolView.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zandrel::ui {

EmptyStateView::EmptyStateView(const QString& title,
                               const QString& symbolName,
                               const QString& description,
                               QWidget* parent)
    : QWidget(parent)
    , symbol_(new SymbolView(symbolName, 44, Tone::Secondary))
    , title_(new Label(title, TextStyle::Title2, Tone::Primary))
    , description_(new Label(description, TextStyle::Body, Tone::Secondary))
    , actions_(new QHBoxLayout)
{
    setObjectName(QStringLiteral("emptyState"));
    symbol_->setObjectName(QStringLiteral("emptyStateSymbol"));
    title_->setObjectName(QStringLiteral("emptyStateTitle"));
    title_->setTextStyle(TextStyle::Title2, true);
    title_->setAlignment(Qt::AlignCenter);
    title_->setWordWrap(true);
    description_->setObjectName(QStringLiteral("emptyStateDescription"));
    description_->setAlignment(Qt::AlignCenter);
    description_->setWordWrap(true);
    description_->setVisible(!description.isEmpty());
    actions_->setSpacing(8);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(8);
    layout->addStretch(1);
    layout->addWidget(symbol_, 0, Qt::AlignHCenter);
    layout->addSpacing(4);
    // Wrapped labels fill the width (no alignment flag), or they would not grow to their wrapped height.
    layout->addWidget(title_);
    layout->addWidget(description_);
    layout->addLayout(actions_);
    layout->setAlignment(actions_, Qt::AlignHCenter);
    layout->addStretch(1);
}

QString EmptyStateView::title() const
{
    return title_->text();
}

QString EmptyStateView::description() const
{
    return description_->text();
}

QString EmptyStateView::symbolName() const
{
    return symbol_->symbolName();
}

void EmptyStateView::setDescription(const QString& description)
{
    description_->setText(shortened(description, cap::error));
    description_->setVisible(!description.isEmpty());
}

void EmptyStateView::placeAtTop(int padding)
{
    auto* column = static_cast<QVBoxLayout*>(layout());
    delete column->takeAt(0); // the stretch above
    column->insertSpacing(0, qMax(0, padding - column->contentsMargins().top()));
}

QPushButton* EmptyStateView::addAction(const QString& text)
{
    auto* button = new Button(text);
    actions_->addWidget(button);
    return button;
}

} // namespace zandrel::ui
