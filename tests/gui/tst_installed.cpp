// The installed-app views: the grid and its empty state, the cards, the detail and the uninstall
// confirmation with what each of its choices deletes and keeps.

#include "RecordingPlatform.h"
#include "installed/InstalledAppCard.h"
#include "installed/InstalledAppDetail.h"
#include "installed/InstalledAppsGrid.h"
#include "installed/UninstallDialog.h"
#include "ui/EmptyStateView.h"
#include "ui/GradientTile.h"

#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;

namespace {

void makeDir(const QString& path)
{
    QVERIFY(QDir().mkpath(path));
}

void makeFile(const QString& path, const QByteArray& contents = "x")
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QString shownText(const QAbstractButton* button)
{
    return button->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
}

} // namespace

class TestInstalled : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<RecordingPlatform> platform;

    InstalledApp installApp(const QString& name)
    {
        InstalledApp app{name, platform->appBundlePath(name)};
        makeDir(app.path + QStringLiteral("/usr/bin"));
        makeFile(app.path + QStringLiteral("/AppRun"));
        return app;
    }

    // Opens the confirmation from the detail view's Uninstall button and answers it.
    void answer(InstalledAppDetail& detail, UninstallDialog::Choice choice)
    {
        detail.findChild<QPushButton*>(QStringLiteral("uninstallButton"))->click();
        UninstallDialog* dialog = detail.confirmation();
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        dialog->button(choice)->click();
        QTRY_VERIFY(!detail.confirmation());
    }

private Q_SLOTS:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        platform = std::make_unique<RecordingPlatform>(home->path());
    }

    void emptyGridShowsTheEmptyState()
    {
        InstalledAppsGrid grid({}, *platform);
        auto* empty = grid.findChild<ui::EmptyStateView*>();
        QVERIFY(empty);
        QCOMPARE(empty->title(), QStringLiteral("No Apps Installed"));
        QCOMPARE(empty->symbolName(), QStringLiteral("app.dashed"));
        QCOMPARE(empty->description(), QStringLiteral("Browse the Store to find and install apps."));
        QVERIFY(grid.cards().isEmpty());
    }

    void gridPlacesThreeCardsToARowOfEqualWidth()
    {
        QList<InstalledApp> apps;
        for (const QString& name : {QStringLiteral("Orvane"),
                                    QStringLiteral("Kettavox"),
                                    QStringLiteral("Dulvet"),
                                    QStringLiteral("Morrak")})
            apps.append({name, platform->appBundlePath(name)});
        InstalledAppsGrid grid(apps, *platform);
        grid.resize(610, 500);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        const QList<InstalledAppCard*> cards = grid.cards();
        QCOMPARE(cards.size(), 4);
        QCOMPARE(grid.windowTitle(), QStringLiteral("My Apps"));
        // Rows of three, then one, in the order given; columns share the width equally.
        QCOMPARE(cards[0]->y(), cards[2]->y());
        QVERIFY(cards[3]->y() > cards[0]->y() + cards[0]->height());
        QCOMPARE(cards[3]->x(), cards[0]->x());
        QVERIFY(cards[0]->x() < cards[1]->x() && cards[1]->x() < cards[2]->x());
        QVERIFY(qAbs(cards[0]->width() - cards[2]->width()) <= 1);
        QVERIFY(qAbs(cards[0]->width() - cards[1]->width()) <= 1);
        QCOMPARE(cards[0]->mapTo(&grid, QPoint(0, 0)), QPoint(20, 20));
        QCOMPARE(cards[3]->y() - (cards[0]->y() + cards[0]->height()), 16);
    }

    void cardsShowTheInitialOnTheAppColourAndOpenTheBundle()
    {
        const InstalledApp orvane = installApp(QStringLiteral("Orvane"));
        InstalledAppCard card(orvane, *platform);
        auto* tile = card.findChild<ui::GradientTile*>(QStringLiteral("appTile"));
        QCOMPARE(tile->initial(), QStringLiteral("O"));
        QCOMPARE(tile->color(), ui::NamedColor::Purple);
        QCOMPARE(tile->size(), QSize(48, 48));

        InstalledAppCard stranger({QStringLiteral("Zebra"), platform->appBundlePath(QStringLiteral("Zebra"))},
                                  *platform);
        QCOMPARE(stranger.findChild<ui::GradientTile*>()->color(), ui::NamedColor::Gray);

        card.findChild<QPushButton*>(QStringLiteral("openButton"))->click();
        QCOMPARE(platform->openedBundles, QStringList{orvane.path});
    }

    void confirmationHasItsTextsAndChoicesInOrder()
    {
        const InstalledApp orvane = installApp(QStringLiteral("Orvane"));
        InstalledAppDetail detail(orvane, *platform);
        detail.show();
        detail.findChild<QPushButton*>(QStringLiteral("openButton"))->click();
        QCOMPARE(platform->openedBundles, QStringList{orvane.path});
        detail.findChild<QPushButton*>(QStringLiteral("uninstallButton"))->click();
        UninstallDialog* dialog = detail.confirmation();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Uninstall Orvane?"));
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("uninstallTitle"))->text(),
                 QStringLiteral("Uninstall Orvane?"));
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("uninstallMessage"))->text(),
                 QStringLiteral(
                     "Deleting app data removes conversations, settings, and all local data for Orvane."));

        QTRY_VERIFY(dialog->isVisible());
        QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
        std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->y() < b->y(); });
        QStringList order;
        for (QPushButton* button : buttons)
            order.append(shownText(button));
        QCOMPARE(order,
                 (QStringList{QStringLiteral("Uninstall (keep data)"),
                              QStringLiteral("Uninstall & delete data"),
                              QStringLiteral("Cancel")}));
        QVERIFY(dialog->button(UninstallDialog::Choice::KeepData)->isDefault());
        // Escape is Cancel.
        QSignalSpy uninstalled(&detail, &InstalledAppDetail::uninstalled);
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(!detail.confirmation());
        QCOMPARE(uninstalled.count(), 0);
        QVERIFY(QFileInfo::exists(platform->appBundlePath(QStringLiteral("Orvane"))));
    }

    void uninstallChoicesDeleteWhatTheySay_data()
    {
        QTest::addColumn<UninstallDialog::Choice>("choice");
        QTest::addColumn<bool>("bundleGone");
        QTest::addColumn<bool>("dataGone");
        QTest::addColumn<int>("uninstallSignals");
        QTest::newRow("keep data") << UninstallDialog::Choice::KeepData << true << false << 1;
        QTest::newRow("delete data") << UninstallDialog::Choice::DeleteData << true << true << 1;
        QTest::newRow("cancel") << UninstallDialog::Choice::Cancel << false << false << 0;
    }

    void uninstallChoicesDeleteWhatTheySay()
    {
        QFETCH(UninstallDialog::Choice, choice);
        QFETCH(bool, bundleGone);
        QFETCH(bool, dataGone);
        QFETCH(int, uninstallSignals);

        const InstalledApp orvane = installApp(QStringLiteral("Orvane"));
        const QString data = platform->appDataPath(QStringLiteral("Orvane"));
        makeDir(data + QStringLiteral("/conversations"));
        makeFile(data + QStringLiteral("/conversations/1.json"));
        // Another app's data is never touched.
        const QString otherData = platform->appDataPath(QStringLiteral("Dulvet"));
        makeDir(otherData);

        InstalledAppDetail detail(orvane, *platform);
        detail.show();
        QSignalSpy uninstalled(&detail, &InstalledAppDetail::uninstalled);
        answer(detail, choice);

        QCOMPARE(uninstalled.count(), uninstallSignals);
        QCOMPARE(!QFileInfo::exists(orvane.path), bundleGone);
        QCOMPARE(!QFileInfo::exists(data), dataGone);
        QVERIFY(QFileInfo::exists(otherData));
        QVERIFY(QFileInfo::exists(home->path() + QStringLiteral("/.zandrel/data")));
    }

    void deletingDataNeverFollowsSymbolicLinks()
    {
        // The data folder is a link to a folder elsewhere, and the bundle holds a link out of itself.
        QTemporaryDir elsewhere;
        makeFile(elsewhere.filePath(QStringLiteral("precious.txt")));
        const InstalledApp orvane = installApp(QStringLiteral("Orvane"));
        QVERIFY(QFile::link(elsewhere.path(), orvane.path + QStringLiteral("/shared")));
        const QString data = platform->appDataPath(QStringLiteral("Orvane"));
        makeDir(QFileInfo(data).absolutePath());
        QVERIFY(QFile::link(elsewhere.path(), data));

        InstalledAppDetail detail(orvane, *platform);
        detail.show();
        answer(detail, UninstallDialog::Choice::DeleteData);

        QVERIFY(!QFileInfo::exists(orvane.path));
        QVERIFY(!QFileInfo(data).isSymLink() && !QFileInfo::exists(data));
        QVERIFY(QFileInfo::exists(elsewhere.filePath(QStringLiteral("precious.txt"))));
    }

    void uninstallCompletesWhenNothingCanBeDeleted()
    {
        // Neither bundle nor data exist: still announced, so the window returns to the grid.
        InstalledAppDetail detail(
            {QStringLiteral("Morrak"), platform->appBundlePath(QStringLiteral("Morrak"))}, *platform);
        detail.show();
        QSignalSpy uninstalled(&detail, &InstalledAppDetail::uninstalled);
        answer(detail, UninstallDialog::Choice::DeleteData);
        QCOMPARE(uninstalled.count(), 1);
    }
};

QTEST_MAIN(TestInstalled)
#include "tst_installed.moc"
