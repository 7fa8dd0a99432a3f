#include "installed/InstalledAppsGrid.h"

#include "installed/InstalledAppCard.h"
#include "ui/EmptyStateView.h"

#include <QGridLayout>
#include <QScrollArea>
#include <QVBoxLayout>

namespace zandrel {

InstalledAppsGrid::InstalledAppsGrid(const QList<InstalledApp>& apps, Platform& platform, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("installedAppsGrid"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (apps.isEmpty()) {
        layout->addWidget(
            new ui::EmptyStateView(QStringLiteral("No Apps Installed"),
                                   QStringLiteral("app.dashed"),
                                   QStringLiteral("Browse the Store to find and install apps.")));
        return;
    }
    setWindowTitle(QStringLiteral("My Apps"));

    auto* content = new QWidget;
    auto* grid = new QGridLayout;
    grid->setContentsMargins(20, 20, 20, 20);
    grid->setVerticalSpacing(16);
    grid->setHorizontalSpacing(12);
    for (int column = 0; column < columns; ++column) {
        grid->setColumnStretch(column, 1);
        grid->setColumnMinimumWidth(column, 10);
    }
    for (int i = 0; i < apps.size(); ++i) {
        auto* card = new InstalledAppCard(apps[i], platform);
        grid->addWidget(card, i / columns, i % columns);
        cards_.append(card);
    }
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(grid);
    column->addStretch(1);

    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("appsScrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(content);
    layout->addWidget(scroll);
}

} // namespace zandrel
