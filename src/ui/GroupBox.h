#pragma once

#include <QWidget>

class QVBoxLayout;

namespace zandrel::ui {

// A titled box: a small bold title above a rounded, faintly filled panel holding the content.
class GroupBox : public QWidget {
    Q_OBJECT

public:
    explicit GroupBox(const QString& title, QWidget* parent = nullptr);

    QString title() const;
    // The panel's layout, for the content.
    QVBoxLayout* content() const { return content_; }

private:
    class Label* title_;
    QVBoxLayout* content_;
};

} // namespace zandrel::ui
