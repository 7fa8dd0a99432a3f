#include "installed/PlaceholderPage.h"

#include "ui/Label.h"

#include <QVBoxLayout>

namespace zandrel {

PlaceholderPage::PlaceholderPage(const QString& title, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("placeholderPage"));
    setWindowTitle(title);
    auto* heading = new ui::Label(title, ui::TextStyle::LargeTitle);
    heading->setTextStyle(ui::TextStyle::LargeTitle, true);
    heading->setObjectName(QStringLiteral("pageTitle"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addWidget(heading);
    layout->addStretch(1);
}

} // namespace zandrel
