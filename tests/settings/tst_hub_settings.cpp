// The Settings page's frame and its Hub tab: the port rule, the login item (its two texts, writing
// and removing it, and a switch that tells the truth), the status row and the data rows.

#include "AsyncTest.h"
#include "MultiTest.h"
#include "PageFixture.h"
#include "hub_api/HubState.h"
#include "platform/LoginItem.h"
#include "settings/HubSettingsTab.h"
#include "settings/SettingsView.h"
#include "store/StoreService.h"
#include "ui/ToggleSwitch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace zandrel;
using namespace zandrel::test;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

class TestHubSettings : public QObject, PageFixture {
    Q_OBJECT

    QString text(QWidget& in, const char* name) { return in.findChild<QLabel*>(QLatin1String(name))->text(); }

private Q_SLOTS:
    void init() { setUp(Hub::Refusing); }
    void cleanup() { tearDown(); }

    void settingsShowTheThreeTabsAiFirst()
    {
        SettingsView view(context());
        QTabWidget* tabs = view.tabs();
        QCOMPARE(tabs->count(), 3);
        QCOMPARE((QStringList{tabs->tabText(0), tabs->tabText(1), tabs->tabText(2)}),
                 QStringList({u"AI"_s, u"Hub"_s, u"Permissions"_s}));
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(tabs->minimumWidth() >= 580 && tabs->minimumHeight() >= 500);
    }

    void portRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<int>>("port");
        QTest::newRow("plain") << u"3457"_s << std::optional(3457);
        QTest::newRow("plus") << u"+3457"_s << std::optional(3457);
        QTest::newRow("zero") << u"0"_s << std::optional(0);
        QTest::newRow("large") << u"99999"_s << std::optional(99999);
        QTest::newRow("leading space") << u" 3457"_s << std::optional<int>();
        QTest::newRow("letter") << u"34a7"_s << std::optional<int>();
        QTest::newRow("sign only") << u"-"_s << std::optional<int>();
        QTest::newRow("empty") << u""_s << std::optional<int>();
        QTest::newRow("beyond any port") << u"99999999999999"_s << std::optional<int>();
    }
    void portRule()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<int>, port);
        QCOMPARE(HubSettingsTab::parsePort(text), port);
    }

    void portFieldAppliesOnReturnOnly()
    {
        HubSettingsTab tab(context());
        tab.show();
        auto* field = tab.findChild<QLineEdit*>(u"portField"_s);
        QCOMPARE(field->text(), QString::number(hubState->port()));
        QCOMPARE(field->placeholderText(), u"3456"_s);
        field->setText(u"+4001"_s);
        QVERIFY(hubState->port() != 4001);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(hubState->port(), 4001);
        field->setText(u"4o02"_s);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(hubState->port(), 4001);
    }

    void loginItemTexts()
    {
        // Both forms are checked on every platform; the property list byte for byte.
        const QByteArray plist = loginitem::propertyList();
        QCOMPARE(plist,
                 QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                            "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                            "<plist version=\"1.0\">\n"
                            "<dict>\n"
                            "    <key>Label</key><string>com.zandrel.hub</string>\n"
                            "    <key>ProgramArguments</key>\n"
                            "    "
                            "<array><string>/usr/bin/env</string><string>zandrel</string><string>hub</"
                            "string><string>start</string></array>\n"
                            "    <key>RunAtLoad</key><true/>\n"
                            "</dict>\n"
                            "</plist>"));
        // The launchd folder is the system's: a writer that must not create it fails without it.
        QVERIFY(!platform->writeFile(home->filePath(u"Library/LaunchAgents/x.plist"_s),
                                     plist,
                                     QFileDevice::ReadOwner,
                                     Platform::Parents::MustExist));
        QVERIFY(!QFileInfo::exists(home->filePath(u"Library"_s)));
        const QByteArray entry = loginitem::desktopEntry();
        QVERIFY(entry.contains("\nExec=/usr/bin/env zandrel hub start\n") && !entry.contains("port"));

        const QString validator = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed");
        QTemporaryDir dir;
        QFile file(dir.filePath(u"com.zandrel.hub.desktop"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(entry) == entry.size());
        file.close();
        QProcess check;
        check.start(validator, {file.fileName()});
        QVERIFY(check.waitForFinished(10000));
        QVERIFY2(check.exitCode() == 0, check.readAllStandardOutput().constData());
    }

    void startAtLoginWritesRemovesAndTellsTheTruth()
    {
        const QString path = platform->loginItemPath();
        {
            // Opening the tab reads the file's presence and writes nothing.
            QVERIFY(platform->writeFile(
                path, "edited by hand", QFileDevice::ReadOwner | QFileDevice::WriteOwner));
            HubSettingsTab tab(context());
            tab.show();
            QVERIFY(tab.findChild<ui::ToggleSwitch*>(u"startAtLogin"_s)->isChecked());
            QFile edited(path);
            QVERIFY(edited.open(QIODevice::ReadOnly));
            QCOMPARE(edited.readAll(), QByteArray("edited by hand"));
        }
        QVERIFY(QFile::remove(path));
        QVERIFY(
            QDir(home->filePath(u".config/autostart"_s)).removeRecursively()); // missing on a fresh account
        HubSettingsTab tab(context());
        tab.show();
        auto* toggle = tab.findChild<ui::ToggleSwitch*>(u"startAtLogin"_s);
        QVERIFY(!toggle->isChecked());
        toggle->click();
        QVERIFY(toggle->isChecked());
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), platform->loginItemContents());
        toggle->click();
        QVERIFY(!toggle->isChecked() && !QFile::exists(path));

        // A write that fails leaves the switch off and says so.
        platform->writesFail = true;
        toggle->click();
        QVERIFY(!toggle->isChecked());
        auto* error = tab.findChild<QLabel*>(u"loginItemError"_s);
        QVERIFY(error->isVisible() && error->text().startsWith(u"Could not write"_s));
    }

    void statusRowFollowsTheHubAndTheDataRows()
    {
        FakeHub hub;
        hub.on("GET", "/api", ScriptedReply::json("{}"));
        hub.on("GET",
               "/api/apps",
               ScriptedReply::json("[{\"id\":\"a\",\"name\":\"A\"},{\"id\":\"b\",\"name\":\"B\"}]"));
        hubState->setPort(hub.port());
        QVERIFY(await(hubState->refresh()).succeeded());
        HubSettingsTab tab(context());
        tab.show();
        QCOMPARE(text(tab, "statusText"), u"Running"_s);
        QCOMPARE(text(tab, "appCount"), u"2"_s);
        auto* button = tab.findChild<QPushButton*>(u"startStopButton"_s);
        QCOMPARE(button->text(), u"Stop"_s);

        // Stopped: the refresh after the stop finds nothing.
        hubState->setPort(FakeHub::refusingPort());
        button->click();
        QCOMPARE(platform->launches.last().arguments.last(), u"stop"_s);
        QTRY_COMPARE(text(tab, "statusText"), u"Stopped"_s);
        QCOMPARE(button->text(), u"Start"_s);
        QCOMPARE(text(tab, "appCount"), u"0"_s);

        tab.findChild<QToolButton*>(u"revealButton"_s)->click();
        QCOMPARE(platform->revealedFolders, QStringList{home->filePath(u".zandrel"_s)});
    }
};

ZANDREL_TEST(TestHubSettings)
#include "tst_hub_settings.moc"
