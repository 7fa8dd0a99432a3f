#pragma once

#include <QWidget>
#include <optional>

namespace zandrel::ui {

class Label;

// A bar along the bottom of a page that reports a failure: a yellow warning symbol and the text.
class ErrorBanner : public QWidget {
    Q_OBJECT

public:
    explicit ErrorBanner(QWidget* parent = nullptr);

    QString text() const;
    // Shows the banner with this text, or hides it for nothing.
    void setError(const std::optional<QString>& error);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Label* text_;
};

} // namespace zandrel::ui
