#pragma once

#include "ui/Theme.h"

#include <QWidget>
#include <optional>

namespace zandrel::ui {

// One symbol drawn square at the given side, in a tone of the palette, crisp at any scale.
class SymbolView : public QWidget {
    Q_OBJECT

public:
    SymbolView(QString symbolName, int side, Tone tone = Tone::Primary, QWidget* parent = nullptr);

    const QString& symbolName() const { return symbolName_; }
    void setSymbolName(QString symbolName);
    // Draws the symbol in one of the named colours (a yellow star, a green check) instead of a tone.
    void setNamedColor(NamedColor color);
    QSize sizeHint() const override { return {side_, side_}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbolName_;
    int side_;
    Tone tone_;
    std::optional<NamedColor> namedColor_;
};

// A symbol beside a line of text, as in "★ 4.5" or "✓ Installed".
class SymbolLabel : public QWidget {
    Q_OBJECT

public:
    SymbolLabel(const QString& symbolName,
                const QString& text,
                TextStyle style,
                Tone tone = Tone::Primary,
                int spacing = 4,
                QWidget* parent = nullptr);

    QString text() const;
    SymbolView* symbol() const { return symbol_; }
    class Label* label() const { return label_; }
    // Symbol and text in one named colour.
    void setNamedColor(NamedColor color);

private:
    SymbolView* symbol_;
    class Label* label_;
};

} // namespace zandrel::ui
