#include "HubProcess.h"

#include "AsyncTest.h"
#include "FakeHub.h"

#include <QElapsedTimer>

namespace zandrel::test {

HubProcess::HubProcess()
{
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setProcessEnvironment(environment());
    // Read as it comes, so a chatty Hub never blocks on a full pipe.
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, &process_, [this] {
        output_ += process_.readAllStandardOutput();
    });
}

QProcessEnvironment HubProcess::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir_.path());
    return env;
}

bool HubProcess::serve(const QString& extraArguments)
{
    // A free port can be taken by someone else before the Hub binds it; try a few.
    for (int attempt = 0; attempt < 3; ++attempt) {
        port_ = FakeHub::unusedPort();
        output_.clear();
        const QString arguments = QStringLiteral("hub serve --port %1 ").arg(port_) + extraArguments;
        process_.start(QStringLiteral(ZANDREL_BINARY), arguments.split(u' ', Qt::SkipEmptyParts));
        const bool listening = QTest::qWaitFor(
            [this] { return output_.contains("listening on") || process_.state() == QProcess::NotRunning; },
            20000);
        if (listening && isServing())
            return true;
        process_.waitForFinished(2000);
        if (!output_.contains("Cannot listen"))
            break;
    }
    qWarning("zandrel did not start serving:\n%s", log().toUtf8().constData());
    return false;
}

int HubProcess::stop()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished(2000);
            return -1;
        }
        output_ += process_.readAllStandardOutput();
    }
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

QString HubProcess::log()
{
    output_ += process_.readAllStandardOutput();
    return QString::fromUtf8(output_);
}

HubProcess::Result HubProcess::run(const QString& commandLine) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(ZANDREL_BINARY), commandLine.split(u' ', Qt::SkipEmptyParts));
    Result result;
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished(2000);
        result.err = QStringLiteral("(timed out)");
        return result;
    }
    result.elapsedMs = timer.elapsed();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

} // namespace zandrel::test
