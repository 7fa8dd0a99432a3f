#pragma once

#include <QWidget>

class QBoxLayout;
class QPushButton;

namespace zandrel::ui {

class Label;
class SymbolView;

// The panel a page shows when it has nothing to show: a large symbol, a title, an optional
// description and optional actions (such as "Retry"), centred in the available space.
class EmptyStateView : public QWidget {
    Q_OBJECT

public:
    EmptyStateView(const QString& title,
                   const QString& symbolName,
                   const QString& description = {},
                   QWidget* parent = nullptr);

    QString title() const;
    QString description() const;
    QString symbolName() const;
    void setDescription(const QString& description);
    // Puts the panel this far below the top instead of centring it vertically.
    void placeAtTop(int padding);
    // Adds a button below the description, in the order added.
    QPushButton* addAction(const QString& text);

private:
    SymbolView* symbol_;
    Label* title_;
    Label* description_;
    QBoxLayout* actions_;
};

} // namespace zandrel::ui
