#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace zandrel::hub {

// `--fail PATH_PREFIX=STATUS`: requests whose path starts with the prefix are answered with the status.
struct FailRule {
    QString pathPrefix;
    int status = 500;

    bool operator==(const FailRule&) const = default;
};

struct ServeOptions {
    static constexpr quint16 defaultPort = 3456;

    quint16 port = defaultPort;
    int delayMs = 0;
    QList<FailRule> failRules;

    // The same options as `serve` arguments, for starting a detached server.
    QStringList toArguments() const;
    bool operator==(const ServeOptions&) const = default;
};

struct Command {
    enum class Kind { Help, Version, Serve, Start, Stop, Status };
    Kind kind = Kind::Help;
    ServeOptions options;
};

// A command line that cannot be run; the message says why and is shown with a pointer to --help.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CommandLine {
public:
    // The arguments after the program name. Throws UsageError.
    static Command parse(const QStringList& arguments);
    static QString help();

    static constexpr int maxDelayMs = 600'000;
};

} // namespace zandrel::hub
