#include "installed/InstalledAppsGrid.h"

#include "installed/InstalledAppCard.h"
#include "ui/EmptyStateView.h"

#include <QGridLayout>
#include <QKeyEvent>
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
        layout->addWidget(new ui::EmptyStateView(tr("No Apps Installed"),
                                                 QStringLiteral("app.dashed"),
                                                 tr("Browse the Store to find and install apps.")));
        return;
    }
    setWindowTitle(tr("My Apps"));

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
        card->installEventFilter(this);
        cards_.append(card);
    }
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(grid);
    column->addStretch(1);

    scroll_ = new QScrollArea;
    scroll_->setObjectName(QStringLiteral("appsScrollArea"));
    scroll_->setFrameShape(QFrame::NoFrame);
    // Only a holder: Tab goes straight to the cards.
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidget(content);
    layout->addWidget(scroll_);
}

bool InstalledAppsGrid::eventFilter(QObject* watched, QEvent* event)
{
    auto* card = qobject_cast<InstalledAppCard*>(watched);
    const int at = card ? int(cards_.indexOf(card)) : -1;
    if (at < 0)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        scroll_->ensureWidgetVisible(card, 0, 20);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    int to = -1;
    switch (key->key()) {
    case Qt::Key_Left:
        to = at % columns > 0 ? at - 1 : -1;
        break;
    case Qt::Key_Right:
        to = at % columns < columns - 1 ? at + 1 : -1;
        break;
    case Qt::Key_Up:
        to = at - columns;
        break;
    case Qt::Key_Down:
        // From a full row to a shorter last one, the last card is the nearest.
        to = at / columns < (int(cards_.size()) - 1) / columns ? qMin(at + columns, int(cards_.size()) - 1)
                                                               : -1;
        break;
    default:
        return false;
    }
    if (to >= 0 && to < cards_.size())
        cards_[to]->setFocus(Qt::OtherFocusReason);
    // At an edge the focus stays put; the scroll area must not take the key for scrolling.
    return true;
}

} // namespace zandrel
