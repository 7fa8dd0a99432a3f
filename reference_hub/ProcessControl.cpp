#include "ProcessControl.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSaveFile>
#include <QThread>
#include <csignal>
#include <unistd.h>

namespace zandrel::hub {

namespace {

constexpr int kStartWaitMs = 900;
constexpr int kStopWaitMs = 5000;
constexpr int kKillWaitMs = 1000;
constexpr int kPollMs = 20;

// Serialises start and stop, so two of them cannot both decide that no Hub runs.
class ControlLock {
public:
    explicit ControlLock(const QString& path)
        : lock_(path)
    {
        ok_ = lock_.tryLock(5000);
    }
    bool ok() const { return ok_; }

private:
    QLockFile lock_;
    bool ok_ = false;
};

QString lastLines(const QString& path, qint64 from, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(from))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    return lines.mid(std::max<qsizetype>(0, lines.size() - count)).join(u'\n');
}

} // namespace

ProcessControl::ProcessControl(HubPaths paths, QString program)
    : paths_(std::move(paths))
    , program_(std::move(program))
{}

bool ProcessControl::isHubProcess(qint64 pid)
{
    if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno != EPERM))
        return false;
#ifdef Q_OS_LINUX
    // A dead Hub's id may have been reused; the command line tells a serving zandrel apart.
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!cmdline.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> args = cmdline.readAll().split('\0');
    return args.contains("hub") && args.contains("serve");
#else
    return true;
#endif
}

std::optional<HubRecord> ProcessControl::readRecord() const
{
    QFile file(paths_.pidFile());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    try {
        return wire::decodeJson<HubRecord>(file.readAll());
    } catch (const DecodeError&) {
        return std::nullopt;
    }
}

std::optional<HubRecord> ProcessControl::running() const
{
    const auto record = readRecord();
    if (record && isHubProcess(record->pid))
        return record;
    if (QFile::exists(paths_.pidFile()))
        QFile::remove(paths_.pidFile());
    return std::nullopt;
}

bool ProcessControl::recordServing(quint16 port, QString* error) const
{
    QDir().mkpath(paths_.hubFolder());
    const HubRecord record{QCoreApplication::applicationPid(),
                           port,
                           QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)};
    QSaveFile file(paths_.pidFile());
    const QByteArray bytes = wire::encodeJson(record) + '\n';
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = QStringLiteral("Cannot write %1: %2").arg(paths_.pidFile(), file.errorString());
    return false;
}

void ProcessControl::forgetServing() const
{
    const auto record = readRecord();
    if (record && record->pid == QCoreApplication::applicationPid())
        QFile::remove(paths_.pidFile());
}

bool ProcessControl::waitForExit(qint64 pid, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (isHubProcess(pid)) {
        if (timer.elapsed() > ms)
            return false;
        QThread::msleep(kPollMs);
    }
    return true;
}

int ProcessControl::start(const ServeOptions& options, QTextStream& out, QTextStream& err) const
{
    QDir().mkpath(paths_.hubFolder());
    const ControlLock lock(paths_.controlLock());
    if (!lock.ok()) {
        err << "Another zandrel command is starting or stopping the Hub; try again.\n";
        return exitFailed;
    }
    if (const auto record = running()) {
        out << "The Hub is already running on port " << record->port << " (pid " << record->pid << ").\n";
        return exitOk;
    }

    const qint64 logStart = QFile(paths_.logFile()).size();
    QProcess process;
    process.setProgram(program_);
    process.setArguments(QStringList{QStringLiteral("hub"), QStringLiteral("serve")} + options.toArguments());
    process.setWorkingDirectory(paths_.home());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(paths_.logFile(), QIODevice::Append);
    process.setStandardErrorFile(paths_.logFile(), QIODevice::Append);
    qint64 pid = 0;
    if (!process.startDetached(&pid)) {
        err << "Cannot start " << program_ << ": " << process.errorString() << "\n";
        return exitFailed;
    }

    // Wait briefly for the Hub to listen, so the common failures (port taken) are reported here.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kStartWaitMs) {
        if (const auto record = readRecord(); record && record->pid == pid) {
            out << "The Hub is running on http://127.0.0.1:" << record->port << "/api (pid " << pid
                << "). Log: " << paths_.logFile() << "\n";
            return exitOk;
        }
        if (!isHubProcess(pid)) { // gone, or a zombie nobody reaped yet
            err << "The Hub could not start:\n" << lastLines(paths_.logFile(), logStart, 5) << "\n";
            return exitFailed;
        }
        QThread::msleep(kPollMs);
    }
    out << "The Hub is starting on port " << options.port << " (pid " << pid << "). Log: " << paths_.logFile()
        << "\n";
    return exitOk;
}

int ProcessControl::stop(QTextStream& out, QTextStream& err) const
{
    QDir().mkpath(paths_.hubFolder());
    const ControlLock lock(paths_.controlLock());
    if (!lock.ok()) {
        err << "Another zandrel command is starting or stopping the Hub; try again.\n";
        return exitFailed;
    }
    const auto record = running();
    if (!record) {
        out << "The Hub is not running.\n";
        return exitOk;
    }
    ::kill(pid_t(record->pid), SIGTERM);
    if (!waitForExit(record->pid, kStopWaitMs)) {
        err << "The Hub (pid " << record->pid << ") did not stop within " << kStopWaitMs / 1000
            << " seconds; killing it.\n";
        ::kill(pid_t(record->pid), SIGKILL);
        if (!waitForExit(record->pid, kKillWaitMs)) {
            err << "The Hub (pid " << record->pid << ") could not be stopped.\n";
            return exitFailed;
        }
    }
    if (const auto left = readRecord(); left && left->pid == record->pid)
        QFile::remove(paths_.pidFile());
    out << "Stopped the Hub (pid " << record->pid << ", port " << record->port << ").\n";
    return exitOk;
}

int ProcessControl::status(QTextStream& out) const
{
    if (const auto record = running()) {
        out << "The Hub is running on port " << record->port << " (pid " << record->pid
            << "): http://127.0.0.1:" << record->port << "/api\n";
        return exitOk;
    }
    out << "The Hub is not running.\n";
    return exitNotRunning;
}

} // namespace zandrel::hub
