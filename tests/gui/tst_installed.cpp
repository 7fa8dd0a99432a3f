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
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

namespace {

// An empty file, with the folders it needs.
void makeFile(const QString& path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QVERIFY(QFile(path).open(QIODevice::WriteOnly));
}

} // namespace

class TestInstalled : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<RecordingPlatform> platform;

    InstalledApp app(const QString& name) const { return {name, platform->appBundlePath(name)}; }

    // The app with a bundle on disk.
    InstalledApp installApp(const QString& name)
    {
        makeFile(platform->appBundlePath(name) + u"/usr/bin/app"_s);
        makeFile(platform->appBundlePath(name) + u"/AppRun"_s);
        return app(name);
    }

    // Opens the confirmation from the detail view's Uninstall button and answers it.
    void answer(InstalledAppDetail& detail, UninstallDialog::Choice choice)
    {
        detail.findChild<QPushButton*>(u"uninstallButton"_s)->click();
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
        QCOMPARE(empty->title(), u"No Apps Installed"_s);
        QCOMPARE(empty->symbolName(), u"app.dashed"_s);
        QCOMPARE(empty->description(), u"Browse the Store to find and install apps."_s);
        QVERIFY(grid.cards().isEmpty());
    }

    void gridPlacesThreeCardsToARowWithTheirTilesAndOpenButtons()
    {
        const InstalledApp orvane = installApp(u"Orvane"_s);
        InstalledAppsGrid grid({orvane, app(u"Kettavox"_s), app(u"Dulvet"_s), app(u"Zebra"_s)}, *platform);
        grid.resize(610, 500);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        const QList<InstalledAppCard*> cards = grid.cards();
        QCOMPARE(cards.size(), 4);
        QCOMPARE(grid.windowTitle(), u"My Apps"_s);
        // Rows of three, then one, in the order given; columns share the width equally.
        QCOMPARE(cards[0]->y(), cards[2]->y());
        QVERIFY(cards[3]->y() > cards[0]->y() + cards[0]->height());
        QCOMPARE(cards[3]->x(), cards[0]->x());
        QVERIFY(cards[0]->x() < cards[1]->x() && cards[1]->x() < cards[2]->x());
        QVERIFY(qAbs(cards[0]->width() - cards[2]->width()) <= 1 &&
                qAbs(cards[0]->width() - cards[1]->width()) <= 1);

        // The tile shows the initial on the app's colour, grey for an app without one.
        auto* tile = cards[0]->findChild<ui::GradientTile*>(u"appTile"_s);
        QCOMPARE(tile->initial(), u"O"_s);
        QCOMPARE(tile->color(), ui::NamedColor::Purple);
        QCOMPARE(cards[3]->findChild<ui::GradientTile*>()->color(), ui::NamedColor::Gray);
        cards[0]->findChild<QPushButton*>(u"openButton"_s)->click();
        QCOMPARE(platform->openedBundles, QStringList{orvane.path});
    }

    void detailOpensAndConfirmsUninstallWithItsTextsAndChoicesInOrder()
    {
        const InstalledApp orvane = installApp(u"Orvane"_s);
        InstalledAppDetail detail(orvane, *platform);
        detail.show();
        detail.findChild<QPushButton*>(u"openButton"_s)->click();
        QCOMPARE(platform->openedBundles, QStringList{orvane.path});
        detail.findChild<QPushButton*>(u"uninstallButton"_s)->click();
        UninstallDialog* dialog = detail.confirmation();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), u"Uninstall Orvane?"_s);
        QCOMPARE(dialog->findChild<QLabel*>(u"uninstallTitle"_s)->text(), u"Uninstall Orvane?"_s);
        QCOMPARE(dialog->findChild<QLabel*>(u"uninstallMessage"_s)->text(),
                 u"Deleting app data removes conversations, settings, and all local data for Orvane."_s);

        QTRY_VERIFY(dialog->isVisible());
        QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
        std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->y() < b->y(); });
        QStringList order;
        for (QPushButton* button : buttons)
            order.append(button->text().replace(u"&&"_s, u"&"_s));
        QCOMPARE(order, (QStringList{u"Uninstall (keep data)"_s, u"Uninstall & delete data"_s, u"Cancel"_s}));
        QVERIFY(dialog->button(UninstallDialog::Choice::KeepData)->isDefault());
        // Escape is Cancel.
        QSignalSpy uninstalled(&detail, &InstalledAppDetail::uninstalled);
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(!detail.confirmation());
        QCOMPARE(uninstalled.count(), 0);
        QVERIFY(QFileInfo::exists(orvane.path));
    }

    void uninstallChoicesDeleteWhatTheySay_data()
    {
        QTest::addColumn<bool>("onDisk");
        QTest::addColumn<UninstallDialog::Choice>("choice");
        QTest::addColumn<bool>("bundleGone");
        QTest::addColumn<bool>("dataGone");
        QTest::addColumn<int>("uninstallSignals");
        QTest::newRow("keep data") << true << UninstallDialog::Choice::KeepData << true << false << 1;
        QTest::newRow("delete data") << true << UninstallDialog::Choice::DeleteData << true << true << 1;
        QTest::newRow("cancel") << true << UninstallDialog::Choice::Cancel << false << false << 0;
        // Neither bundle nor data exist: still announced, so the window returns to the grid.
        QTest::newRow("nothing to delete")
            << false << UninstallDialog::Choice::DeleteData << true << true << 1;
    }

    void uninstallChoicesDeleteWhatTheySay()
    {
        QFETCH(bool, onDisk);
        QFETCH(UninstallDialog::Choice, choice);
        QFETCH(bool, bundleGone);
        QFETCH(bool, dataGone);
        QFETCH(int, uninstallSignals);
        const InstalledApp orvane = onDisk ? installApp(u"Orvane"_s) : app(u"Orvane"_s);
        const QString data = platform->appDataPath(u"Orvane"_s);
        if (onDisk)
            makeFile(data + u"/conversations/1.json"_s);
        // Another app's data is never touched.
        const QString otherData = platform->appDataPath(u"Dulvet"_s);
        QVERIFY(QDir().mkpath(otherData));

        InstalledAppDetail detail(orvane, *platform);
        detail.show();
        QSignalSpy uninstalled(&detail, &InstalledAppDetail::uninstalled);
        answer(detail, choice);

        QCOMPARE(uninstalled.count(), uninstallSignals);
        QCOMPARE(!QFileInfo::exists(orvane.path), bundleGone);
        QCOMPARE(!QFileInfo::exists(data), dataGone);
        QVERIFY(QFileInfo::exists(otherData));
    }

    void deletingDataNeverFollowsSymbolicLinks()
    {
        // The data folder is a link to a folder elsewhere, and the bundle holds a link out of itself.
        QTemporaryDir elsewhere;
        makeFile(elsewhere.filePath(u"precious.txt"_s));
        const InstalledApp orvane = installApp(u"Orvane"_s);
        QVERIFY(QFile::link(elsewhere.path(), orvane.path + u"/shared"_s));
        const QString data = platform->appDataPath(u"Orvane"_s);
        QVERIFY(QDir().mkpath(QFileInfo(data).absolutePath()));
        QVERIFY(QFile::link(elsewhere.path(), data));

        InstalledAppDetail detail(orvane, *platform);
        detail.show();
        answer(detail, UninstallDialog::Choice::DeleteData);
        QVERIFY(!QFileInfo::exists(orvane.path));
        QVERIFY(!QFileInfo(data).isSymLink() && !QFileInfo::exists(data));
        QVERIFY(QFileInfo::exists(elsewhere.filePath(u"precious.txt"_s)));
    }
};

QTEST_MAIN(TestInstalled)
#include "tst_installed.moc"
