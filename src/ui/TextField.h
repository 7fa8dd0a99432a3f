#pragma once

#include <QLineEdit>

namespace zandrel::ui {

// A text field with a rounded border that stays visible on the page's background in light and dark
// palettes alike (Fusion's own frame vanishes on a dark page).
class TextField : public QLineEdit {
    Q_OBJECT

public:
    explicit TextField(const QString& placeholder = {}, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyLook();
};

} // namespace zandrel::ui
