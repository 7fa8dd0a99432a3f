#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace zandrel::test {

// The real `zandrel` program serving from a temporary home on a free port, for end-to-end tests.
// Command lines are written as one string whose words are separated by spaces.
class HubProcess {
public:
    HubProcess();
    ~HubProcess() { stop(); }

    QString path(const QString& relative) const { return dir_.filePath(relative); }
    quint16 port() const { return port_; }
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }

    // Runs `zandrel hub serve --port <free port>` with the extra arguments and waits until it
    // listens. Fails the calling test (answers false) with the Hub's output when it does not.
    [[nodiscard]] bool serve(const QString& extraArguments = {});
    // SIGTERM, then waits; answers the exit code, or -1 when the Hub crashed or hung.
    int stop();
    bool isServing() const { return process_.state() == QProcess::Running; }
    // Everything the serving Hub wrote so far.
    QString log();

    struct Result {
        int exitCode = -1;
        QString out, err;
        qint64 elapsedMs = 0;
    };
    // Runs one zandrel command in this home to completion.
    Result run(const QString& commandLine) const;

private:
    QProcessEnvironment environment() const;

    QTemporaryDir dir_;
    QProcess process_;
    QByteArray output_;
    quint16 port_ = 0;
};

} // namespace zandrel::test
