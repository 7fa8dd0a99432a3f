#include "app/TrayIcon.h"

#include "app/StatusBar.h"
#include "hub_api/HubState.h"
#include "ui/ApplicationIcon.h"
#include "ui/Theme.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>

namespace zandrel {

TrayIcon::TrayIcon(HubState& hub, QAction* startStop, QObject* parent)
    : QObject(parent)
    , hub_(hub)
    , menu_(new QMenu)
{
    menu_->setObjectName(QStringLiteral("trayMenu"));
    QAction* open = menu_->addAction(tr("Open Zandrel Hub"), this, &TrayIcon::openRequested);
    open->setObjectName(QStringLiteral("trayOpenAction"));
    menu_->addAction(startStop);
    updates_ = menu_->addAction(tr("%n update(s) available", nullptr, 0), this, &TrayIcon::updatesRequested);
    updates_->setObjectName(QStringLiteral("trayUpdatesAction"));
    updates_->setVisible(false);
    menu_->addSeparator();
    QAction* quit = menu_->addAction(tr("Quit"), this, &TrayIcon::quitRequested);
    quit->setObjectName(QStringLiteral("trayQuitAction"));

    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        tray_ = new QSystemTrayIcon(this);
        tray_->setContextMenu(menu_);
        connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                Q_EMIT openRequested();
        });
        connect(tray_, &QSystemTrayIcon::messageClicked, this, &TrayIcon::messageClicked);
    }
    connect(&hub_, &HubState::isRunningChanged, this, &TrayIcon::update);
    connect(&hub_, &HubState::appsChanged, this, &TrayIcon::update);
    connect(&hub_, &HubState::portChanged, this, &TrayIcon::update);
    connect(&hub_, &HubState::problemChanged, this, &TrayIcon::update);
    update();
    if (tray_)
        tray_->show();
}

TrayIcon::~TrayIcon()
{
    // The menu has no parent widget: a tray icon's menu must not close with any window.
    delete menu_;
}

bool TrayIcon::notify(const QString& title, const QString& body, bool failure)
{
    if (!tray_ || !tray_->isVisible() || !QSystemTrayIcon::supportsMessages())
        return false;
    tray_->showMessage(title, body, failure ? QSystemTrayIcon::Warning : QSystemTrayIcon::Information);
    return true;
}

void TrayIcon::setUpdateCount(int count)
{
    if (count == updateCount_)
        return;
    updateCount_ = count;
    updates_->setText(tr("%n update(s) available", nullptr, count));
    updates_->setVisible(count > 0);
    update();
}

QIcon TrayIcon::statusIcon(bool isRunning)
{
    const QIcon application = ui::applicationIcon();
    QIcon icon;
    for (const int side : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap = application.pixmap(side, side);
        if (pixmap.isNull()) {
            pixmap = QPixmap(side, side);
            pixmap.fill(Qt::transparent);
        }
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal diameter = side * 0.45;
        const QRectF dot(side - diameter, side - diameter, diameter, diameter);
        const QPalette palette = QApplication::palette();
        // A ring of the window colour keeps the dot apart from the icon in both palettes.
        painter.setPen(QPen(palette.color(QPalette::Window), qMax(1.0, side / 16.0)));
        painter.setBrush(ui::Theme::color(isRunning ? ui::NamedColor::Green : ui::NamedColor::Red, palette));
        painter.drawEllipse(dot.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon TrayIcon::icon()
{
    const bool running = hub_.isRunning();
    if (!iconRunning_ || *iconRunning_ != running) {
        iconRunning_ = running;
        icon_ = statusIcon(running);
    }
    return icon_;
}

void TrayIcon::update()
{
    const bool running = hub_.isRunning();
    toolTip_ = StatusBar::statusText(running, hub_.port());
    if (running)
        toolTip_ += QStringLiteral(" · ") + StatusBar::appCountText(int(hub_.apps().size()));
    if (hub_.problem() && !hub_.problem()->isEmpty())
        toolTip_ += u'\n' + *hub_.problem();
    if (updateCount_ > 0)
        toolTip_ += u'\n' + updates_->text();
    menu_->setToolTip(toolTip_);
    if (tray_) {
        tray_->setIcon(icon());
        tray_->setToolTip(toolTip_);
    }
}

} // namespace zandrel
