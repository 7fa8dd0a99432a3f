#include "ui/GroupBox.h"

#include "ui/Label.h"
#include "ui/Theme.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace zandrel::ui {

namespace {

class Panel : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
        QColor fill = Theme::textColor(Tone::Quaternary, palette());
        fill.setAlphaF(fill.alphaF() * 0.5);
        painter.fillPath(shape, fill);
        painter.setPen(QPen(Theme::textColor(Tone::Quaternary, palette()), 1));
        painter.drawPath(shape);
    }
};

} // namespace

GroupBox::GroupBox(const QString& title, QWidget* parent)
    : QWidget(parent)
    , title_(new Label(title, TextStyle::Subheadline))
{
    title_->setTextStyle(TextStyle::Subheadline, true);
    title_->setObjectName(QStringLiteral("groupTitle"));
    auto* panel = new Panel;
    content_ = new QVBoxLayout(panel);
    content_->setContentsMargins(10, 10, 10, 10);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(title_);
    layout->addWidget(panel);
    title_->setVisible(!title.isEmpty());
    setAccessibleName(title);
}

QString GroupBox::title() const
{
    return title_->text();
}

} // namespace zandrel::ui
