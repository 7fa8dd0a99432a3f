#pragma once

#include "ui/Label.h"

namespace zandrel::ui {

// A one-line label that gives way to its neighbours: cut with "…" to the width it gets, the whole text
// in its tooltip and accessible description.
class ElidedLabel : public Label {
    Q_OBJECT

public:
    explicit ElidedLabel(TextStyle style = TextStyle::Body,
                         Tone tone = Tone::Primary,
                         QWidget* parent = nullptr);

    void setFullText(const QString& text);
    const QString& fullText() const { return full_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void elide();

    QString full_;
};

} // namespace zandrel::ui
