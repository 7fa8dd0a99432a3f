#pragma once

#include <QAbstractButton>

namespace zandrel {

// One category of the store's strip: a capsule with a symbol and a name, filled with the accent
// colour while selected, ringed in it while it has the keyboard's focus. Clicking it chooses the
// category; its accessible description says whether it is the selected one.
class CategoryPill : public QAbstractButton {
    Q_OBJECT

public:
    CategoryPill(const QString& name, QString icon, QWidget* parent = nullptr);

    const QString& icon() const { return icon_; }
    bool isSelected() const { return isChecked(); }
    void setSelected(bool selected) { setChecked(selected); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // A click asks for the category; whether the pill is selected is the strip's to say.
    void nextCheckState() override {}
    void checkStateSet() override;

private:
    QString icon_;
};

} // namespace zandrel
