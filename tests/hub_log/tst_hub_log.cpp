// The Hub's log as the window holds it: following the file as it grows, is cut short or replaced,
// the first window and earlier lines of a large file, the cap on kept lines, and the filter.

#include "LogFile.h"
#include "RecordingPlatform.h"
#include "hub_log/HubLogFilterModel.h"
#include "hub_log/HubLogLine.h"
#include "hub_log/HubLogModel.h"
#include "hub_log/HubLogTail.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <deque>

using namespace zandrel;
using namespace zandrel::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray numbered(int from, int to)
{
    QByteArray lines;
    for (int i = from; i <= to; ++i)
        lines += "GET /api/apps/" + QByteArray::number(i) + " 200 " + QByteArray::number(i % 7) + " ms\n";
    return lines;
}

QStringList rawLines(const HubLogModel& model)
{
    QStringList lines;
    for (int row = 0; row < model.rowCount(); ++row) {
        lines.append(model.kind(row) == HubLogModel::Kind::Restarted ? u"--"_s
                                                                     : QString::fromUtf8(model.raw(row)));
    }
    return lines;
}

} // namespace

class TestHubLog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        home_.emplace();
        platform_.emplace(home_->path());
        QVERIFY(QDir().mkpath(home_->filePath(u".zandrel/hub"_s)));
        model_.emplace(nullptr, 50);
        tester_.emplace(&*model_, QAbstractItemModelTester::FailureReportingMode::QtTest);
        tail_.emplace(*platform_, model_->capacity());
        connect(&*tail_, &HubLogTail::linesRead, &*model_, &HubLogModel::append);
        connect(&*tail_, &HubLogTail::earlierLinesRead, &*model_, &HubLogModel::prepend);
        connect(&*tail_, &HubLogTail::restarted, &*model_, &HubLogModel::addRestart);
    }
    void cleanup()
    {
        tail_.reset();
        tester_.reset();
        model_.reset();
    }

    void parsesTheHubsRequestLines()
    {
        const auto request = HubLogRequest::parse("POST /api/apps/x (client gone) 503 1200 ms");
        QVERIFY(request);
        QCOMPARE(request->status, 503);
        QCOMPARE(request->milliseconds, 1200);
        QCOMPARE(QByteArrayView("POST /api/apps/x (client gone) 503 1200 ms")
                     .sliced(request->pathStart, request->pathLength),
                 QByteArrayView("/api/apps/x (client gone)"));
        QVERIFY(HubLogRequest::parse("GET / 200 0 ms\r"));

        // Near misses stay plain lines.
        for (const char* line : {"",
                                 " ms",
                                 "GET /a 200 ms",
                                 "GET /a 2000 3 ms",
                                 "GET /a 20 3 ms",
                                 "GET /a 600 3 ms",
                                 "GET /a 200 -3 ms",
                                 "GET /a 200 3ms",
                                 "get /a 200 3 ms",
                                 "GET a 200 3 ms",
                                 "GET  200 3 ms",
                                 "200 3 ms",
                                 "Hub listening on 127.0.0.1:3456",
                                 "GET /a 200 99999999999 ms"})
            QVERIFY2(!HubLogRequest::parse(line), line);
    }

    void showsBadBytesAndLongLinesSafely()
    {
        QCOMPARE(hub_log::shownText("caf\xc3\xa9 \xff\xfe end"), u"café \uFFFD\uFFFD end"_s);
        const QString cut = hub_log::shownText(QByteArray(10000, 'x'));
        QCOMPARE(cut.size(), hub_log::maxShownCharacters + 1);
        QVERIFY(cut.endsWith(QChar(0x2026)));
        QCOMPARE(hub_log::shownText(QByteArray(hub_log::maxShownCharacters, 'x')).size(),
                 hub_log::maxShownCharacters);
        // Four-byte characters: never half of one, and still marked as cut.
        QByteArray emoji;
        for (int i = 0; i < 5000; ++i)
            emoji += "\xf0\x9f\x98\x80";
        const QString faces = hub_log::shownText(emoji);
        QVERIFY(faces.endsWith(QChar(0x2026)));
        QVERIFY(!faces.at(faces.size() - 2).isHighSurrogate());
    }

    void followsAppendsAndWaitsForAWholeLine()
    {
        write(numbered(1, 3));
        tail_->open();
        QCOMPARE(tail_->state(), HubLogTail::State::Reading);
        QCOMPARE(model_->lineCount(), 3);
        QVERIFY(!tail_->hasEarlier());

        append("GET /api/apps/4 200 1 ms\nGET /api/ap");
        QTRY_COMPARE_WITH_TIMEOUT(
            model_->lineCount(), 4, 3000); // within a second, by the watcher or the look
        append("ps/5 404 2 ms\n");
        QTRY_COMPARE_WITH_TIMEOUT(model_->lineCount(), 5, 3000);
        QCOMPARE(model_->raw(4), QByteArrayView("GET /api/apps/5 404 2 ms"));
        QVERIFY(model_->request(4));
        QCOMPARE(model_->request(4)->status, 404);
    }

    void startsAgainAfterTruncationOrReplacement()
    {
        write(numbered(1, 5));
        tail_->open();
        QCOMPARE(model_->lineCount(), 5);

        // Cut short (a Hub started again with the file opened for writing).
        write("after cut\n");
        QTRY_COMPARE_WITH_TIMEOUT(rawLines(*model_).mid(5), (QStringList{u"--"_s, u"after cut"_s}), 3000);

        // Replaced: renamed away, a new file in its place, here even longer than the old one.
        QVERIFY(QFile::rename(logPath(), logPath() + u".1"_s));
        write(numbered(100, 110));
        QTRY_COMPARE_WITH_TIMEOUT(model_->lineCount(), 5 + 1 + 11, 3000);
        QCOMPARE(rawLines(*model_).at(7), u"--"_s);
        QCOMPARE(model_->raw(8), QByteArrayView("GET /api/apps/100 200 2 ms"));

        // Gone for a while, then back, longer than before: a new file all the same.
        QVERIFY(QFile::remove(logPath()));
        tail_->check();
        QCOMPARE(tail_->state(), HubLogTail::State::Missing);
        write(numbered(200, 230));
        tail_->check();
        QCOMPARE(rawLines(*model_).at(model_->rowCount() - 32), u"--"_s);

        // Cut and written again past where it was read to, between two looks: not taken for growth.
        write(numbered(300, 340));
        tail_->check();
        const int rows = model_->rowCount();
        QCOMPARE(rawLines(*model_).at(rows - 42), u"--"_s);
        QCOMPARE(model_->raw(rows - 41), QByteArrayView("GET /api/apps/300 200 6 ms"));
        QVERIFY(!tail_->hasEarlier()); // the new file's earlier lines would land above the old one's
    }

    void readsTheLastWindowOfALargeFileAndEarlierOnRequest()
    {
        // Longer lines than the model holds in one window's worth, and more of them than the window.
        const QByteArray line = QByteArray(1000, 'a') + '\n';
        QByteArray big;
        for (int i = 0; i < 4200 * 1024 / line.size() * 2; ++i)
            big += QByteArray::number(i).rightJustified(6, '0') + line;
        write(big + "partial");
        HubLogModel model(nullptr, 100000);
        HubLogTail tail(*platform_, model.capacity());
        connect(&tail, &HubLogTail::linesRead, &model, &HubLogModel::append);
        connect(&tail, &HubLogTail::earlierLinesRead, &model, &HubLogModel::prepend);
        tail.open();
        const qsizetype lineBytes = line.size() + 6;
        const qsizetype inWindow = HubLogTail::window / lineBytes;
        // Only whole lines of the last 4 MiB; the unfinished one is not a line yet.
        QVERIFY(model.lineCount() == inWindow || model.lineCount() == inWindow - 1);
        const qsizetype total = big.size() / lineBytes;
        QCOMPARE(model.raw(model.rowCount() - 1).first(6),
                 QByteArray::number(total - 1).rightJustified(6, '0'));
        QVERIFY(tail.hasEarlier());

        const int before = model.lineCount();
        tail.loadEarlier(model.room());
        QVERIFY(model.lineCount() >= 2 * before - 1);
        // The earlier lines join the first ones without a gap.
        const int joined = model.lineCount() - before;
        QCOMPARE(model.raw(joined - 1).first(6).toInt() + 1, model.raw(joined).first(6).toInt());
        while (tail.hasEarlier())
            tail.loadEarlier(model.room());
        QCOMPARE(model.lineCount(), total);
        QCOMPARE(model.raw(0).first(6), QByteArrayView("000000"));
    }

    void keepsAtMostItsCapacityRemovingRowsProperly()
    {
        // The first read of a file with more lines than the cap keeps only the newest; earlier ones
        // come only while there is room.
        write(numbered(1, 80));
        QSignalSpy removed(&*model_, &QAbstractItemModel::rowsRemoved);
        tail_->open();
        QCOMPARE(model_->lineCount(), 50);
        QCOMPARE(model_->raw(0), QByteArrayView("GET /api/apps/31 200 3 ms"));
        QVERIFY(tail_->hasEarlier());
        tail_->loadEarlier(model_->room());
        QCOMPARE(model_->lineCount(), 50);

        // New lines push the oldest out, through row removal (the tester checks every signal).
        append(numbered(81, 90));
        tail_->check();
        QCOMPARE(model_->rowCount(), 50);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.first().at(1).toInt(), 0);
        QCOMPARE(removed.first().at(2).toInt(), 9);
        QCOMPARE(model_->raw(49), QByteArrayView("GET /api/apps/90 200 6 ms"));

        // A burst larger than the cap is never inserted only to be removed.
        append(numbered(91, 300));
        tail_->check();
        QCOMPARE(model_->raw(0), QByteArrayView("GET /api/apps/251 200 6 ms"));
    }

    void eachRowReadsItsOwnLineAcrossBlocksAddedAndDropped()
    {
        // Blocks come at the back and, for earlier lines, at the front; long lines keep bytes of their
        // own; the oldest go. Every row must still read its own line, checked against a plain list.
        HubLogModel model(nullptr, 6);
        QAbstractItemModelTester tester(&model);
        std::deque<QByteArray> expected;
        const QByteArray longLine = "GET /" + QByteArray(2000, 'l') + " 200 1 ms";
        const auto appendLines = [&](const QList<QByteArray>& lines) {
            model.append(lines.join('\n') + '\n');
            for (const QByteArray& line : lines)
                expected.push_back(line);
            while (expected.size() > 6)
                expected.pop_front();
        };
        const auto check = [&] {
            QCOMPARE(model.rowCount(), int(expected.size()));
            for (int row = 0; row < model.rowCount(); ++row)
                QCOMPARE(model.raw(row), QByteArrayView(expected[size_t(row)]));
        };
        appendLines({"one", longLine, "three"});
        check();
        model.prepend("zero-a\n" + longLine + "x\nzero-c\n");
        expected.insert(expected.begin(), {"zero-a", longLine + "x", "zero-c"});
        check();
        appendLines({"four"}); // the oldest goes, from the block put in front
        check();
        appendLines({longLine + "y", longLine + "z"}); // lines of their own only
        check();
        appendLines({"five", "six", "seven", "eight", "nine"}); // all the earlier blocks go
        check();
        QVERIFY(!model.request(5));
        model.clear();
        expected.clear();
        appendLines({"after", longLine});
        check();
        QVERIFY(model.request(1));
        QCOMPARE(model.request(1)->status, 200);
    }

    void aShortLineNeverHoldsTheBlockOfLongOnes()
    {
        // Each read brings a huge line and a short one; the huge one is kept cut, and the short one
        // must not keep the whole read alive. The same for a read whose older lines do not fit.
        HubLogModel model(nullptr, 100);
        for (int i = 0; i < 40; ++i)
            model.append(QByteArray(200000, 'x') + "\nGET /api " + QByteArray::number(i) + " 200 1 ms\n");
        QCOMPARE(model.rowCount(), 80);
        QCOMPARE(model.raw(79), QByteArrayView("GET /api 39 200 1 ms"));
        QCOMPARE(model.raw(78).size(), hub_log::maxLineBytes);
        QVERIFY2(model.heldBytes() < 40 * (hub_log::maxLineBytes + 100),
                 qPrintable(QString::number(model.heldBytes())));

        HubLogModel few(nullptr, 2);
        QByteArray many;
        for (int i = 0; i < 20000; ++i)
            many += "GET /api/apps " + QByteArray::number(i) + " 200 1 ms\n";
        few.append(many);
        QCOMPARE(few.raw(1), QByteArrayView("GET /api/apps 19999 200 1 ms"));
        QVERIFY(few.heldBytes() < 100);
    }

    void anEndlessLineIsCutNotHoarded_data()
    {
        QTest::addColumn<bool>("atOpen");
        QTest::newRow("while following") << false;
        QTest::newRow("at open") << true;
    }
    void anEndlessLineIsCutNotHoarded()
    {
        QFETCH(bool, atOpen);
        if (atOpen) {
            write("start\n" + QByteArray(hub_log::maxLineBytes + 10, 'z'));
            tail_->open();
            QCOMPARE(model_->lineCount(), 2);
            QCOMPARE(model_->raw(0), QByteArrayView("start"));
            QCOMPARE(model_->raw(1).size(), hub_log::maxLineBytes);
            append(QByteArray(100000, 'z') + "\nnext\n");
            tail_->check();
            QCOMPARE(rawLines(*model_).mid(2), QStringList{u"next"_s});
            return;
        }
        write("start\n");
        tail_->open();
        append(QByteArray(hub_log::maxLineBytes + 10, 'z'));
        tail_->check();
        QCOMPARE(model_->lineCount(), 2);
        QCOMPARE(model_->raw(1).size(), hub_log::maxLineBytes);
        append(QByteArray(100000, 'z') + "\nnext\n");
        tail_->check();
        QCOMPARE(rawLines(*model_).mid(2), QStringList{u"next"_s});
    }

    void aFileWithoutNewlinesShowsItsEndCut()
    {
        write(QByteArray(HubLogTail::window + 100, 'b'));
        tail_->open();
        QCOMPARE(model_->lineCount(), 1);
        QCOMPARE(model_->raw(0).size(), hub_log::maxLineBytes);
        QVERIFY(!tail_->hasEarlier());
        append("b\nafter\n");
        tail_->check();
        QCOMPARE(rawLines(*model_).mid(1), QStringList{u"after"_s});
    }

    void aHugeLineEndingTheFileLeavesTheNextLineWhole()
    {
        write(QByteArray(HubLogTail::window + 100, 'c') + '\n');
        tail_->open();
        QCOMPARE(model_->lineCount(), 1);
        append("next\n");
        tail_->check();
        QCOMPARE(rawLines(*model_).mid(1), QStringList{u"next"_s});
    }

    void saysWhatIsWrongWithTheFile()
    {
        tail_->open();
        QCOMPARE(tail_->state(), HubLogTail::State::Missing);
        QCOMPARE(model_->rowCount(), 0);
        write("first\n");
        tail_->check();
        QCOMPARE(tail_->state(), HubLogTail::State::Reading);
        QCOMPARE(rawLines(*model_), QStringList{u"first"_s});

        // Something in its place that cannot be read as a file (permissions would not stop root).
        QVERIFY(QFile::remove(logPath()));
        QVERIFY(QDir().mkpath(logPath()));
        tail_->check();
        QCOMPARE(tail_->state(), HubLogTail::State::Unreadable);
        QVERIFY(!tail_->problem().isEmpty());
        QVERIFY(QDir(logPath()).removeRecursively());
        write("first\nagain\n");
        tail_->check();
        QCOMPARE(tail_->state(), HubLogTail::State::Reading);

        // Closed, nothing runs: neither a look (what the watcher and the timer call) nor anything queued.
        tail_->close();
        QCOMPARE(tail_->state(), HubLogTail::State::Closed);
        const int held = model_->rowCount();
        append("more\n");
        tail_->check();
        QCoreApplication::processEvents();
        QCOMPARE(model_->rowCount(), held);
        QCOMPARE(tail_->state(), HubLogTail::State::Closed);
    }

    void filtersByTextAndKind()
    {
        model_.emplace(nullptr, 100);
        tester_.emplace(&*model_, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model_->append("GET /api/apps 200 3 ms\n"
                       "POST /api/Store/apps/orvane/install 500 1500 ms\n"
                       "Hub listening on 127.0.0.1:3456\n"
                       "GET /api/store/apps/dulvet 404 2 ms\n"
                       "GET /slow 200 1000 ms\n"
                       "caf\xc3\xa9 \xff\n");
        model_->addRestart();
        HubLogFilterModel filter(*model_);
        QCOMPARE(filter.rowCount(), 7);
        QCOMPARE(filter.shownLineCount(), 6);

        const auto shown = [&] {
            QStringList lines;
            for (int row = 0; row < filter.rowCount(); ++row)
                lines.append(filter.index(row, 0).data(HubLogModel::RawRole).toString());
            return lines;
        };
        filter.setShow(HubLogFilterModel::Show::Errors);
        QCOMPARE(shown(),
                 (QStringList{u"POST /api/Store/apps/orvane/install 500 1500 ms"_s,
                              u"GET /api/store/apps/dulvet 404 2 ms"_s}));
        filter.setSearchText(u"STORE"_s);
        QCOMPARE(filter.shownLineCount(), 2);
        filter.setShow(HubLogFilterModel::Show::Slow);
        QCOMPARE(shown(), QStringList{u"POST /api/Store/apps/orvane/install 500 1500 ms"_s});
        filter.setSearchText({});
        QCOMPARE(filter.rowCount(), 2); // 1,000 ms counts as slow; a plain line never does
        filter.setShow(HubLogFilterModel::Show::All);
        filter.setSearchText(u"CAFÉ"_s);
        QCOMPARE(filter.rowCount(), 1);
        QCOMPARE(filter.shownLineCount(), 1);

        // New lines are filtered as they come.
        filter.setSearchText(u"orvane"_s);
        model_->append("GET /api/store/apps/orvane 200 1 ms\nGET /other 200 1 ms\n");
        QCOMPARE(filter.rowCount(), 2);
    }

private:
    QString logPath() const { return platform_->hubLogPath(); }
    void write(const QByteArray& bytes) const { writeLog(logPath(), bytes); }
    void append(const QByteArray& bytes) const { writeLog(logPath(), bytes, true); }

    std::optional<QTemporaryDir> home_;
    std::optional<RecordingPlatform> platform_;
    std::optional<HubLogModel> model_;
    std::optional<QAbstractItemModelTester> tester_;
    std::optional<HubLogTail> tail_;
};

QTEST_GUILESS_MAIN(TestHubLog)
#include "tst_hub_log.moc"
