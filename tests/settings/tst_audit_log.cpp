// The audit log's tools: the CSV writer with hostile values, the filter's three criteria, dates, a
// longer log on demand, export and copy; and the per-app usage bars.

#include "AsyncTest.h"
#include "FakeHub.h"
#include "MultiTest.h"
#include "settings/AuditExport.h"
#include "settings/AuditLogModel.h"
#include "settings/AuditLogPanel.h"
#include "settings/AuditLogView.h"
#include "settings/PermissionsState.h"
#include "settings/PermissionsTab.h"
#include "settings/UsageBar.h"
#include "ui/Button.h"
#include "ui/ErrorBanner.h"
#include "wire/JsonCodec.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

namespace {

AuditEntry
entry(const QString& time, const QString& app, const QString& action, bool allowed, const QString& what)
{
    AuditEntry made;
    made.timestamp = time;
    made.app = app;
    made.action = action;
    made.allowed = allowed;
    made.endpoint = what;
    return made;
}

// Oldest first, as no Hub would send them: the view orders them itself.
QList<AuditEntry> sampleLog()
{
    return {
        entry(u"2024-05-01T09:00:00Z"_s, u"Orvane"_s, u"read"_s, true, u"/api/files/notes.md"_s),
        entry(u"2024-05-02T09:00:00Z"_s, u"Dulvet"_s, u"write"_s, false, u"/api/files/Budget.csv"_s),
        entry(u"2024-05-03T09:00:00Z"_s, u"Orvane"_s, u"write"_s, false, u"/api/files/notes.md"_s),
        entry(u"2024-05-04T09:00:00Z"_s, u"Orvane"_s, u"action"_s, true, u"/api/apps/orvane/actions/sum"_s)};
}

QByteArray logJson(int entries)
{
    QList<AuditEntry> log;
    for (int i = 0; i < entries; ++i)
        log.append(entry(
            u"2024-05-01T09:%1:00Z"_s.arg(i % 60, 2, 10, QChar(u'0')), u"App"_s, u"read"_s, true, u"/x"_s));
    return wire::encodeJson(log);
}

} // namespace

class TestAuditLog : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeHub> hub;

    std::unique_ptr<PermissionsTab> showTab()
    {
        auto tab = std::make_unique<PermissionsTab>(hub->port());
        tab->resize(700, 800);
        tab->show();
        return tab;
    }

private Q_SLOTS:
    void init()
    {
        hub = std::make_unique<FakeHub>();
        hub->on("GET", "/api/permissions", ScriptedReply::json("{}"));
    }
    void cleanup()
    {
        AuditLogPanel::setSavePathPrompt({});
        hub.reset();
    }

    void csvNeutralisesFormulasAndQuotesWhatMustBe()
    {
        AuditEntry hostile =
            entry(u"2024-05-01T14:34:56.789+02:00"_s, u"=HYPERLINK(\"x\")"_s, u"+1"_s, false, u"a,b"_s);
        hostile.actionName = u"say \"hi\"\r\nbye"_s;
        hostile.note = u"@SUM(A1)"_s;
        AuditEntry plain = entry(u"not a time"_s, u"Zoë ☕"_s, u"-2"_s, true, u"\ttab"_s);
        plain.timestamp = std::nullopt;
        plain.note = u"\rcr"_s;
        QCOMPARE(AuditExport::csv({hostile, plain}),
                 QString(u"timestamp,app,action,endpoint,action_name,outcome,note\r\n"
                         "2024-05-01T12:34:56.789Z,\"'=HYPERLINK(\"\"x\"\")\",'+1,\"a,b\","
                         "\"say \"\"hi\"\"\r\nbye\",denied,'@SUM(A1)\r\n"
                         ",Zoë ☕,'-2,'\ttab,,allowed,\"'\rcr\"\r\n"_s)
                     .toUtf8());
        QCOMPARE(AuditExport::isoTime(u"yesterday"_s), u"yesterday"_s); // kept as sent, not guessed
        QCOMPARE(AuditExport::defaultFileName(QDate(2026, 3, 9)), u"zandrel-audit-2026-03-09.csv"_s);
        // The clipboard's text: a line per entry; a tab or line break inside a value cannot split it.
        AuditEntry unnamed = sampleLog().first();
        unnamed.actionName = QString(); // empty says no more than absent: the endpoint shows
        QCOMPARE(AuditLogView::textsFor(unnamed).at(3), u"/api/files/notes.md"_s);
        QCOMPARE(AuditExport::text({hostile}),
                 u"2024-05-01T12:34:56.789Z\t=HYPERLINK(\"x\")\t+1\tsay \"hi\"  bye\tDenied"_s);
    }

    void filterCombinesItsCriteriaKeepsThemOverAReloadAndShowsNewestFirst()
    {
        AuditLogView view;
        view.setEntries(sampleLog());
        const auto shown = [&view] {
            QStringList rows;
            for (const AuditEntry& e : view.shownEntries())
                rows.append(e.timestamp->mid(8, 2) + u' ' + *e.app);
            return rows;
        };
        QCOMPARE(shown(), QStringList({u"04 Orvane"_s, u"03 Orvane"_s, u"02 Dulvet"_s, u"01 Orvane"_s}));

        AuditFilterModel* filter = view.filter();
        filter->setSearch(u"  NOTES "_s); // the details, ignoring case and spaces around
        QCOMPARE(shown(), QStringList({u"03 Orvane"_s, u"01 Orvane"_s}));
        filter->setOutcome(AuditFilterModel::Outcome::Denied);
        QCOMPARE(shown(), QStringList({u"03 Orvane"_s}));
        filter->setSearch(u"write"_s); // the action
        filter->setApp(u"Dulvet"_s);
        QCOMPARE(shown(), QStringList({u"02 Dulvet"_s}));

        // A reload brings a newer denied write by Dulvet: the criteria still hold.
        QList<AuditEntry> reloaded = sampleLog();
        reloaded.append(entry(u"2024-05-05T09:00:00Z"_s, u"Dulvet"_s, u"write"_s, false, u"/y"_s));
        view.setEntries(reloaded);
        QCOMPARE(shown(), QStringList({u"05 Dulvet"_s, u"02 Dulvet"_s}));
        filter->setApp({});
        filter->setSearch({});
        filter->setOutcome(AuditFilterModel::Outcome::Allowed);
        QCOMPARE(shown(), QStringList({u"04 Orvane"_s, u"01 Orvane"_s}));
    }

    void todayShowsTheTimeAndOlderEntriesTheDate()
    {
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QDateTime now = QDateTime::currentDateTime();
        const QDateTime earlier = now.addSecs(-1);
        const QString today = earlier.toUTC().toString(Qt::ISODateWithMs);
        if (earlier.date() == now.date()) {
            QCOMPARE(AuditLogModel::whenText(today, now, QLocale::c()), earlier.toString(u"HH:mm:ss"_s));
            QVERIFY(AuditLogModel::whenText(today, now, english).contains(earlier.toString(u"m:ss"_s)));
        }
        // Midday UTC is the same day in every zone a user lives in.
        const QString older = AuditLogModel::whenText(u"2024-05-01T12:00:00Z"_s, now, english);
        QVERIFY2(older.startsWith(u"5/1/24"_s), qPrintable(older));
        // Not a time: the time part of the text, as before.
        QCOMPARE(AuditLogModel::whenText(u"12:34"_s, now, english), u"12:34"_s);
        const QString tip = AuditLogModel::toolTipFor(sampleLog().at(1), english);
        QVERIFY(tip.contains(u"2024-05-02T09:00:00Z"_s) && tip.contains(u"Denied"_s) &&
                tip.contains(u"Endpoint: /api/files/Budget.csv"_s));
    }

    void showMoreAsksForALongerLogAndAFailureKeepsTheList()
    {
        hub->on("GET", "/api/audit", ScriptedReply::json(logJson(20)));
        auto tab = showTab();
        auto* more = tab->findChild<ui::Button*>(u"auditShowMore"_s);
        QTRY_VERIFY(more->isVisible());
        auto* count = tab->findChild<QLabel*>(u"auditCount"_s);
        QCOMPARE(count->text(), u"20 of 20 entries"_s);

        hub->on("GET", "/api/audit", ScriptedReply::json("{}", 503));
        more->click();
        auto* banner = tab->findChild<ui::ErrorBanner*>();
        QTRY_VERIFY(banner->isVisible());
        QCOMPARE(hub->requests().last().query, QByteArray("limit=100"));
        QCOMPARE(tab->state().auditLog().size(), 20);
        QVERIFY(more->isVisible() && more->isEnabled());

        hub->on("GET", "/api/audit", ScriptedReply::json(logJson(100)));
        more->click();
        QTRY_COMPARE(tab->state().auditLog().size(), 100);
        QCOMPARE(hub->requests().last().query, QByteArray("limit=100"));
        QCOMPARE(count->text(), u"100 of 100 entries"_s);
        // The longer log is kept by the next refresh; a Hub that has no more ends the button.
        hub->on("GET", "/api/audit", ScriptedReply::json(logJson(120)));
        more->click();
        QTRY_COMPARE(tab->state().auditLog().size(), 120);
        QCOMPARE(hub->requests().last().query, QByteArray("limit=250"));
        QVERIFY(!more->isVisible());
        tab->reload();
        QTRY_COMPARE(hub->requestsTo("GET", "/api/audit").last().query, QByteArray("limit=250"));
    }

    void showMoreDuringARefreshIsNotUndoneByIt()
    {
        hub->on("GET", "/api/audit", ScriptedReply::json(logJson(20)));
        auto tab = showTab();
        auto* more = tab->findChild<ui::Button*>(u"auditShowMore"_s);
        QTRY_VERIFY(more->isVisible());
        // The refresh's read of the permissions is still out when the user asks for more; it answers
        // first, so the refresh's log request is the latest.
        hub->once("GET", "/api/permissions", ScriptedReply::json("{}").heldBack());
        hub->on("GET", "/api/audit", ScriptedReply::json(logJson(100)));
        tab->reload();
        QTRY_COMPARE(hub->heldCount(), 1);
        hub->once("GET", "/api/audit", ScriptedReply::json(logJson(100)).heldBack());
        more->click();
        QTRY_COMPARE(hub->heldCount(), 2);
        QCOMPARE(hub->release(1), 1);
        QTRY_VERIFY(!tab->state().isLoading());
        hub->release();
        QTRY_VERIFY(!tab->state().isLoadingMoreAudit());
        QCOMPARE(hub->requestsTo("GET", "/api/audit").last().query, QByteArray("limit=100"));
        QCOMPARE(tab->state().auditLog().size(), 100);
        QCOMPARE(tab->state().auditRequestLimit(), 100);
    }

    void exportWritesTheRowsShownAndAFailedOneLeavesNoFile()
    {
        hub->on("GET", "/api/audit", ScriptedReply::json(wire::encodeJson(sampleLog())));
        auto tab = showTab();
        auto* outcome = tab->findChild<QComboBox*>(u"auditOutcomeFilter"_s);
        QTRY_VERIFY(outcome->isVisible());
        outcome->setCurrentIndex(outcome->findText(u"Denied"_s));
        QCOMPARE(tab->findChild<QLabel*>(u"auditCount"_s)->text(), u"2 of 4 entries"_s);

        QTemporaryDir folder;
        QString suggested;
        AuditLogPanel::setSavePathPrompt([&](QWidget*, const QString& name) {
            suggested = name;
            return folder.filePath(u"audit.csv"_s);
        });
        tab->findChild<ui::Button*>(u"auditExport"_s)->click();
        QVERIFY(suggested.endsWith(AuditExport::defaultFileName(QDate::currentDate())));
        QFile written(folder.filePath(u"audit.csv"_s));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = written.readAll().split('\n');
        QCOMPARE(lines.size(), 4); // header, two rows, and the end of the last line
        QVERIFY(lines[1].startsWith("2024-05-03T09:00:00.000Z,Orvane,write"));
        QVERIFY(lines[2].startsWith("2024-05-02T09:00:00.000Z,Dulvet,write"));

        // A folder that cannot be written: the reason in place, and no file, not even half of one.
        const QString nowhere = folder.filePath(u"missing/audit.csv"_s);
        AuditLogPanel::setSavePathPrompt([&](QWidget*, const QString&) { return nowhere; });
        tab->findChild<ui::Button*>(u"auditExport"_s)->click();
        auto* error = tab->findChild<QLabel*>(u"auditExportError"_s);
        QVERIFY(error->isVisible() && error->text().contains(nowhere));
        QVERIFY(!QFile::exists(nowhere));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{u"audit.csv"_s});
    }

    void ctrlCCopiesTheSelectedRows()
    {
        AuditLogView view;
        view.setEntries(sampleLog());
        view.show();
        QVERIFY(!view.copySelection());
        view.selectionModel()->select(view.model()->index(2, 0), QItemSelectionModel::Select);
        view.selectionModel()->select(view.model()->index(0, 0), QItemSelectionModel::Select);
        QTest::keySequence(&view, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 u"2024-05-04T09:00:00.000Z\tOrvane\taction\t/api/apps/orvane/actions/sum\tAllowed\n"
                 "2024-05-02T09:00:00.000Z\tDulvet\twrite\t/api/files/Budget.csv\tDenied"_s);
    }

    void barsFollowTheCostOrElseTheTokens()
    {
        const auto usage = [](double cost, qint64 in, qint64 out) {
            UsageSummary summary;
            summary.cost_estimate = cost;
            summary.input_tokens = in;
            summary.output_tokens = out;
            return summary;
        };
        QCOMPARE(UsageBar::fractions({usage(1, 0, 0), usage(4, 10, 0), usage(0, 900, 0)}),
                 QList<qreal>({0.25, 1.0, 0.0}));
        // Nothing cost anything: the tokens decide; a bad cost counts as none.
        QCOMPARE(UsageBar::fractions({usage(0, 30, 10), usage(-3, 5, 5), usage(qQNaN(), 0, 0)}),
                 QList<qreal>({1.0, 0.25, 0.0}));
        QCOMPARE(UsageBar::fractions({usage(0, 0, 0)}), QList<qreal>({0.0}));
    }
};

ZANDREL_TEST(TestAuditLog)
#include "tst_audit_log.moc"
