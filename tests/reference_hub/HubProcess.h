#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace zandrel::test {

// The real `zandrel` program serving from a temporary home on a free port, for end-to-end tests.
class HubProcess {
public:
    HubProcess();
    ~HubProcess();
    HubProcess(const HubProcess&) = delete;
    HubProcess& operator=(const HubProcess&) = delete;

    static QString program();

    const QString& home() const { return home_; }
    QString path(const QString& relative) const { return home_ + u'/' + relative; }
    quint16 port() const { return port_; }
    QString baseUrl() const;

    // Runs `zandrel hub serve --port <free port>` with the extra arguments and waits until it
    // listens. Fails the calling test (answers false) with the Hub's output when it does not.
    [[nodiscard]] bool serve(const QStringList& extraArguments = {});
    // SIGTERM, then waits; answers the exit code, or -1 when the Hub crashed or hung.
    int stop();
    bool isServing() const { return process_.state() == QProcess::Running; }
    // Everything the serving Hub wrote so far.
    QString log();

    struct Result {
        int exitCode = -1;
        QString out;
        QString err;
        qint64 elapsedMs = 0;
    };
    // Runs one zandrel command in this home to completion.
    Result run(const QStringList& arguments, int timeoutMs = 15000) const;

    QProcessEnvironment environment() const;

private:
    QTemporaryDir dir_;
    QString home_;
    QProcess process_;
    QByteArray output_;
    quint16 port_ = 0;
};

} // namespace zandrel::test
