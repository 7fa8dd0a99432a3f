// The Hub Log window as the user meets it: its states, the filter row and the count, following and
// pausing, copying lines as they are in the file, clearing the view, and the three ways to open it.

#include "LogFile.h"
#include "PageFixture.h"
#include "app/ContentView.h"
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "hub_log/HubLogWindow.h"
#include "settings/HubSettingsTab.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

class TestHubLogWindow : public QObject, PageFixture {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        setUp(Hub::Refusing);
        preferences_ = std::make_unique<Preferences>(home->filePath(u"config/desktop.ini"_s));
        QVERIFY(QDir().mkpath(home->filePath(u".zandrel/hub"_s)));
    }
    void cleanup()
    {
        preferences_.reset();
        tearDown();
    }

    void saysWhenThereIsNoLogOrItCannotBeRead()
    {
        {
            HubLogWindow window(*platform, *preferences_);
            window.show();
            auto* missing = window.findChild<QWidget*>(u"logMissing"_s);
            QTRY_VERIFY(missing->isVisible());
            QVERIFY(labelTexts(*missing).contains(u"The Hub has not written a log yet"_s));
            QVERIFY(labelTexts(*missing).contains(platform->hubLogPath()));
            // The Hub writes its first line: the window shows it by itself.
            write("GET /api 200 1 ms\n");
            QTRY_VERIFY_WITH_TIMEOUT(window.view()->isVisible(), 3000);
            QCOMPARE(window.shown().rowCount(), 1);
        }
        QVERIFY(QFile::remove(logPath()));
        QVERIFY(QDir().mkpath(logPath())); // not a file: cannot be read as one
        HubLogWindow window(*platform, *preferences_);
        window.show();
        auto* unreadable = window.findChild<QWidget*>(u"logUnreadable"_s);
        QTRY_VERIFY(unreadable->isVisible());
        QVERIFY(labelTexts(*unreadable).join(u'\n').contains(window.tail().problem()));
    }

    void filterRowNarrowsAndCounts()
    {
        write("GET /api/apps 200 3 ms\n"
              "POST /api/store/apps/orvane/install 500 1500 ms\n"
              "GET /api/store/apps/dulvet 404 2 ms\n"
              "Hub listening\n");
        HubLogWindow window(*platform, *preferences_);
        window.show();
        auto* count = window.findChild<QLabel*>(u"logCount"_s);
        QTRY_COMPARE(count->text(), u"4 of 4 lines"_s);
        auto* show = window.findChild<QComboBox*>(u"logShow"_s);
        show->setCurrentIndex(1); // Errors
        QCOMPARE(count->text(), u"2 of 4 lines"_s);
        QTest::keyClicks(window.findChild<QLineEdit*>(u"logSearch"_s), u"ORVANE"_s);
        QCOMPARE(count->text(), u"1 of 4 lines"_s);
        show->setCurrentIndex(2); // Slow
        QCOMPARE(count->text(), u"1 of 4 lines"_s);
        window.findChild<QLineEdit*>(u"logSearch"_s)->clear();
        show->setCurrentIndex(0);
        QCOMPARE(count->text(), u"4 of 4 lines"_s);
        // Every control can be reached by name.
        for (const char* name : {"logSearch", "logShow", "logLines"})
            QVERIFY2(!window.findChild<QWidget*>(QLatin1String(name))->accessibleName().isEmpty(), name);
    }

    void scrollingUpPausesAndTheNoticeLeadsBack()
    {
        write(appRequests(0, 300));
        HubLogWindow window(*platform, *preferences_);
        window.resize(600, 300);
        window.show();
        QScrollBar* bar = window.view()->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0 && bar->value() == bar->maximum());
        auto* paused = window.findChild<QPushButton*>(u"logPaused"_s);
        QVERIFY(!paused->isVisible());

        bar->setValue(0); // the user scrolls up
        QVERIFY(!window.isFollowing());
        // A filter loosened while paused brings back rows, but no new ones.
        QTest::keyClicks(window.findChild<QLineEdit*>(u"logSearch"_s), u"/api/apps/1"_s);
        window.findChild<QLineEdit*>(u"logSearch"_s)->clear();
        QCOMPARE(window.newWhilePaused(), 0);
        bar->setValue(0);
        append("GET /new/1 200 1 ms\nGET /new/2 200 1 ms\n");
        QTRY_COMPARE_WITH_TIMEOUT(paused->text(), u"Paused — 2 new lines"_s, 3000);
        QVERIFY(paused->isVisible());
        QCOMPARE(bar->value(), 0); // the view stays where the user put it

        QTest::mouseClick(paused, Qt::LeftButton);
        QVERIFY(window.isFollowing());
        QTRY_COMPARE(bar->value(), bar->maximum());
        QVERIFY(!paused->isVisible());

        // Pause holds the view even at the bottom; unpausing follows again.
        auto* pause = window.findChild<QPushButton*>(u"logPause"_s);
        pause->click();
        append("GET /new/3 200 1 ms\n");
        QTRY_COMPARE_WITH_TIMEOUT(window.newWhilePaused(), 1, 3000);
        QVERIFY(bar->value() < bar->maximum());
        pause->click();
        QTRY_COMPARE(bar->value(), bar->maximum());
        QCOMPARE(window.lines().raw(window.lines().rowCount() - 1), QByteArrayView("GET /new/3 200 1 ms"));
    }

    void whilePausedTheLinesReadStayPutAsTheOldestGo()
    {
        const QByteArray lines = appRequests(0, HubLogModel::defaultCapacity);
        write(lines);
        HubLogWindow window(*platform, *preferences_);
        window.resize(600, 300);
        window.show();
        QScrollBar* bar = window.view()->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0 && bar->value() == bar->maximum());
        bar->setValue(bar->maximum() / 2);
        const auto topLine = [&] {
            return window.view()->indexAt(QPoint(4, 4)).data(HubLogModel::RawRole).toByteArray();
        };
        // The user clicked the line at the very top: it is the current row when it is dropped.
        window.view()->setCurrentIndex(window.shown().index(0, 0));
        bar->setValue(bar->maximum() / 2);
        QVERIFY(!window.isFollowing());
        const QByteArray reading = topLine();
        append(lines.first(3000)); // about a hundred lines: as many of the oldest go
        QTRY_VERIFY_WITH_TIMEOUT(window.newWhilePaused() > 50, 3000);
        QCOMPARE(window.lines().rowCount(), HubLogModel::defaultCapacity);
        QTRY_COMPARE(topLine(), reading);
        QVERIFY(!window.isFollowing());

        // Under a filter, the count's total still follows every line held.
        window.findChild<QComboBox*>(u"logShow"_s)->setCurrentIndex(1);
        append("GET /hidden 200 1 ms\n");
        QTRY_COMPARE_WITH_TIMEOUT(
            window.findChild<QLabel*>(u"logCount"_s)->text(), u"0 of 20,000 lines"_s, 3000);
    }

    void whilePausedEarlierWrappedLinesComeAboveWithoutMovingTheView()
    {
        // More than the first read's 4 MiB, in lines that wrap; under a filter, so that the view shows
        // the filter's rows rather than the lines themselves.
        QByteArray lines;
        for (int i = 0; i < 20000; ++i)
            lines += "GET /" + QByteArray(280, 'w') + '/' + QByteArray::number(i) + " 404 1 ms\n";
        write(lines);
        HubLogWindow window(*platform, *preferences_);
        window.resize(600, 300);
        window.show();
        window.findChild<QCheckBox*>(u"logWrap"_s)->click();
        window.findChild<QComboBox*>(u"logShow"_s)->setCurrentIndex(1); // Errors: every line
        QScrollBar* bar = window.view()->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0 && bar->value() == bar->maximum());
        const int before = window.shown().rowCount();
        auto* earlier = window.findChild<QPushButton*>(u"logEarlier"_s);
        QVERIFY(earlier->isVisible());

        bar->setValue(bar->maximum() / 2);
        QVERIFY(!window.isFollowing());
        const auto topLine = [&] {
            return window.view()->indexAt(QPoint(4, 4)).data(HubLogModel::RawRole).toByteArray();
        };
        const QByteArray reading = topLine();
        const int offset = window.view()->visualRect(window.view()->indexAt(QPoint(4, 4))).top();
        earlier->click();
        QTRY_VERIFY(window.shown().rowCount() > before);
        QCOMPARE(topLine(), reading);
        QCOMPARE(window.view()->visualRect(window.view()->indexAt(QPoint(4, 4))).top(), offset);
        QCOMPARE(window.newWhilePaused(), 0); // earlier lines are not new ones
    }

    void wrappedRowsAreAsTallAsTheirText()
    {
        write("GET /" + QByteArray(600, 'p') + " 200 1 ms\nshort\n" + QByteArray(700, 'x') + "\n");
        HubLogWindow window(*platform, *preferences_);
        window.resize(500, 400); // its narrowest: the right-hand columns still in sight
        window.show();
        QTRY_COMPARE(window.shown().rowCount(), 3);
        const int line = window.view()->visualRect(window.shown().index(1, 0)).height();
        QVERIFY(window.view()->visualRect(window.shown().index(0, 0)).right() <=
                window.view()->viewport()->width());
        window.findChild<QCheckBox*>(u"logWrap"_s)->click();
        QTRY_VERIFY(window.view()->visualRect(window.shown().index(0, 0)).height() > 4 * line);
        QCOMPARE(window.view()->visualRect(window.shown().index(1, 0)).height(), line);
        QVERIFY(window.view()->visualRect(window.shown().index(2, 0)).height() > 4 * line);

        // A line that comes while wrapped is as tall as its text; the others keep their heights.
        append(QByteArray(700, 'y') + "\nlast\n");
        QTRY_COMPARE_WITH_TIMEOUT(window.shown().rowCount(), 5, 3000);
        const int wrapped = window.view()->visualRect(window.shown().index(3, 0)).height();
        QCOMPARE(wrapped, window.view()->visualRect(window.shown().index(2, 0)).height());
        QCOMPARE(window.view()->visualRect(window.shown().index(4, 0)).height(), line);
        // Wider, the long lines take fewer lines; unwrapped, every row is one line again.
        window.resize(900, 400);
        QTRY_VERIFY(window.view()->visualRect(window.shown().index(3, 0)).height() < wrapped);
        window.findChild<QCheckBox*>(u"logWrap"_s)->click();
        for (int row = 0; row < 5; ++row)
            QCOMPARE(window.view()->visualRect(window.shown().index(row, 0)).height(), line);
    }

    void copiesTheFilesBytesAndClearsOnlyTheView()
    {
        const QByteArray longLine = "GET /" + QByteArray(5000, 'p') + " 200 1 ms";
        write("caf\xc3\xa9\n" + longLine + "\nplain\n");
        HubLogWindow window(*platform, *preferences_);
        window.show();
        QTRY_COMPARE(window.shown().rowCount(), 3);
        QItemSelectionModel* selection = window.view()->selectionModel();
        selection->select(window.shown().index(2, 0), QItemSelectionModel::Select);
        selection->select(window.shown().index(1, 0), QItemSelectionModel::Select);
        window.view()->setFocus();
        QTest::keySequence(window.view(), QKeySequence::Copy);
        // In the file's order, the long line whole rather than as shown.
        QCOMPARE(QApplication::clipboard()->text(), QString::fromLatin1(longLine + "\nplain"));
        QVERIFY(window.shown().index(1, 0).data().toString().endsWith(QChar(0x2026)));

        window.findChild<QPushButton*>(u"logClear"_s)->click();
        QCOMPARE(window.shown().rowCount(), 0);
        QCOMPARE(window.findChild<QLabel*>(u"logCount"_s)->text(), u"0 of 0 lines"_s);
        QCOMPARE(QFileInfo(logPath()).size(), qint64(6 + longLine.size() + 1 + 6));
        append("after\n");
        QTRY_COMPARE_WITH_TIMEOUT(window.shown().rowCount(), 1, 3000);

        window.findChild<QPushButton*>(u"logOpenFolder"_s)->click();
        QCOMPARE(platform->revealedFolders, QStringList{home->filePath(u".zandrel/hub"_s)});
    }

    void theKeysGoThroughTheLinesAndTabLeavesThem()
    {
        write("one\ntwo\nthree\nfour\n");
        HubLogWindow window(*platform, *preferences_);
        window.show();
        QTRY_COMPARE(window.shown().rowCount(), 4);
        QAbstractItemView* view = window.view();
        view->setFocus();
        view->setCurrentIndex(window.shown().index(1, 0));
        // End and Home go to the last and the first line; Shift with an arrow selects whole lines.
        QTest::keyClick(view, Qt::Key_End);
        QCOMPARE(view->currentIndex().row(), 3);
        QTest::keyClick(view, Qt::Key_Home);
        QCOMPARE(view->currentIndex().row(), 0);
        QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(view->selectionModel()->selectedRows().size(), 2);
        QCOMPARE(window.selectedText(), u"one\ntwo"_s);
        // Tab goes on to the next control rather than along the line.
        QTest::keyClick(view, Qt::Key_Tab);
        QVERIFY(window.focusWidget() && window.focusWidget() != view);
    }

    void opensOnceFromTheMenuTheHubTabAndTheStatusBar()
    {
        PageContext page = context();
        page.preferences = preferences_.get();
        MainWindow main(page, std::nullopt, *preferences_);
        auto* action = main.findChild<QAction*>(u"showHubLogAction"_s);
        QVERIFY(action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_L)));
        action->trigger();
        auto* log = main.findChild<HubLogWindow*>();
        QVERIFY(log && log->isVisible());
        log->resize(700, 420);
        action->trigger();
        QCOMPARE(main.findChildren<HubLogWindow*>().size(), 1);

        // Closing it ends it and keeps its size for the next.
        log->close();
        QTRY_VERIFY(!main.findChild<HubLogWindow*>());
        QCOMPARE(preferences_->hubLogSize(), QSize(700, 420));
        QCOMPARE(main.showHubLog()->size(), QSize(700, 420));
        main.findChild<HubLogWindow*>()->close();
        QTRY_VERIFY(!main.findChild<HubLogWindow*>());

        // The status bar's link shows only when its explanation names the log.
        StatusBar* bar = main.content().statusBar();
        auto* link = bar->findChild<QLabel*>(u"hubLogLink"_s);
        main.show();
        bar->setStatus(false, 0, 3456, u"No answer after Start"_s);
        QVERIFY(!link->isVisible());
        bar->setStatus(false, 0, 3456, u"No answer after Start; see ~/.zandrel/hub/hub.log"_s);
        QVERIFY(link->isVisible());
        Q_EMIT link->linkActivated(u"log"_s);
        QVERIFY(main.findChild<HubLogWindow*>());
        main.findChild<HubLogWindow*>()->close();
        QTRY_VERIFY(!main.findChild<HubLogWindow*>());

        // The Hub tab's button, with the window's context.
        PageContext tabContext = page;
        int opened = 0;
        tabContext.showHubLog = [&] { ++opened; };
        HubSettingsTab tab(tabContext);
        tab.findChild<QPushButton*>(u"showHubLogButton"_s)->click();
        QCOMPARE(opened, 1);
        QVERIFY(!HubSettingsTab(context()).findChild<QPushButton*>(u"showHubLogButton"_s));
    }

private:
    QString logPath() const { return platform->hubLogPath(); }
    void write(const QByteArray& bytes) const { writeLog(logPath(), bytes); }
    void append(const QByteArray& bytes) const { writeLog(logPath(), bytes, true); }
    static QStringList labelTexts(QWidget& in)
    {
        QStringList texts;
        for (const QLabel* label : in.findChildren<QLabel*>())
            texts.append(label->text());
        return texts;
    }

    std::unique_ptr<Preferences> preferences_;
};

QTEST_MAIN(TestHubLogWindow)
#include "tst_hub_log_window.moc"
