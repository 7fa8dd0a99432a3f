#include "CommandLine.h"

#include <QCommandLineParser>

using namespace Qt::StringLiterals;

namespace zandrel::hub {

namespace {

[[noreturn]] void usage(const QString& message)
{
    throw UsageError(message.toStdString());
}

int number(const QString& option, const QString& text, int min, int max)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < min || value > max)
        usage(QStringLiteral("%1 needs a whole number from %2 to %3, not \"%4\"")
                  .arg(option)
                  .arg(min)
                  .arg(max)
                  .arg(text));
    return value;
}

FailRule failRule(const QString& text)
{
    const qsizetype equals = text.lastIndexOf(u'=');
    if (equals <= 0)
        usage(QStringLiteral("--fail needs PATH_PREFIX=STATUS, for example /api/store=503, not \"%1\"")
                  .arg(text));
    const QString prefix = text.left(equals);
    if (!prefix.startsWith(u'/'))
        usage(QStringLiteral("--fail: the path prefix must start with \"/\", not \"%1\"").arg(prefix));
    return FailRule{prefix, number(QStringLiteral("--fail"), text.mid(equals + 1), 400, 599)};
}

// The argument as typed that QCommandLineParser reported as the unknown option `name`: "--name",
// "--name=value", or a single-dash word it read as compacted one-letter options.
QString typedOption(const QStringList& args, const QString& name)
{
    for (const QString& arg : args) {
        const QString word = arg.section(u'=', 0, 0);
        if (word == u"--"_s + name || word == u'-' + name)
            return arg;
    }
    for (const QString& arg : args) {
        if (arg.startsWith(u'-') && !arg.startsWith(QStringLiteral("--")) && arg.indexOf(name) > 0)
            return arg;
    }
    return u"--"_s + name;
}

// Options of serve and start, in "--name value" or "--name=value" form.
ServeOptions serveOptions(const QStringList& args, const QString& command)
{
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("N"));
    const QCommandLineOption delay(QStringLiteral("delay-ms"), QString(), QStringLiteral("N"));
    const QCommandLineOption fail(QStringLiteral("fail"), QString(), QStringLiteral("PATH_PREFIX=STATUS"));
    QCommandLineParser parser;
    parser.addOptions({port, delay, fail});

    // The parser takes a lone "--" as the end of the options; here it is an unknown argument, unless it
    // is an option's value.
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == u"--" &&
            (i == 0 || !QStringList{u"--port"_s, u"--delay-ms"_s, u"--fail"_s}.contains(args.at(i - 1))))
            usage(QStringLiteral("hub %1 does not know \"%2\"").arg(command, args.at(i)));
    }
    if (!parser.parse(QStringList{QStringLiteral("zandrel")} + args)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            usage(QStringLiteral("hub %1 does not know \"%2\"")
                      .arg(command, typedOption(args, unknown.first())));
        // The only other failure with these options: the last one has no value.
        usage(QStringLiteral("%1 needs a value").arg(args.last()));
    }
    if (!parser.positionalArguments().isEmpty())
        usage(
            QStringLiteral("hub %1 does not know \"%2\"").arg(command, parser.positionalArguments().first()));

    ServeOptions options;
    if (parser.isSet(port))
        options.port = quint16(number(QStringLiteral("--port"), parser.value(port), 1, 65535));
    if (parser.isSet(delay))
        options.delayMs =
            number(QStringLiteral("--delay-ms"), parser.value(delay), 0, CommandLine::maxDelayMs);
    for (const QString& rule : parser.values(fail))
        options.failRules.append(failRule(rule));
    return options;
}

} // namespace

QStringList ServeOptions::toArguments() const
{
    QStringList args{QStringLiteral("--port"), QString::number(port)};
    if (delayMs > 0)
        args << QStringLiteral("--delay-ms") << QString::number(delayMs);
    for (const FailRule& rule : failRules)
        args << QStringLiteral("--fail") << rule.pathPrefix + u'=' + QString::number(rule.status);
    return args;
}

Command CommandLine::parse(const QStringList& arguments)
{
    if (arguments.isEmpty())
        usage(QStringLiteral("no command given"));
    const QString first = arguments.first();
    if (first == u"--help" || first == u"-h" || first == u"help")
        return Command{Command::Kind::Help, {}};
    if (first == u"--version")
        return Command{Command::Kind::Version, {}};
    if (first != u"hub")
        usage(QStringLiteral("unknown command \"%1\"").arg(first));
    if (arguments.size() < 2)
        usage(QStringLiteral("hub needs a command: serve, start, stop or status"));

    const QString command = arguments.at(1);
    const QStringList rest = arguments.mid(2);
    if (command == u"--help" || command == u"-h" || rest.contains(QStringLiteral("--help")))
        return Command{Command::Kind::Help, {}};
    if (command == u"serve")
        return Command{Command::Kind::Serve, serveOptions(rest, command)};
    if (command == u"start")
        return Command{Command::Kind::Start, serveOptions(rest, command)};
    if (command != u"stop" && command != u"status")
        usage(QStringLiteral("unknown hub command \"%1\"").arg(command));
    if (!rest.isEmpty())
        usage(QStringLiteral("hub %1 takes no arguments").arg(command));
    return Command{command == u"stop" ? Command::Kind::Stop : Command::Kind::Status, {}};
}

QString CommandLine::help()
{
    return QStringLiteral(
        "zandrel - the Zandrel reference Hub\n"
        "\n"
        "A local server that answers every request of the Zandrel Hub desktop application: installed\n"
        "apps, AI providers, permissions, the audit log and the Zandrel Store, with realistic data.\n"
        "It listens on 127.0.0.1 only and keeps everything under your home folder.\n"
        "\n"
        "Usage:\n"
        "  zandrel hub serve [--port N] [--delay-ms N] [--fail PATH_PREFIX=STATUS]...\n"
        "      Runs the Hub in the foreground until Ctrl+C (SIGINT) or SIGTERM.\n"
        "  zandrel hub start [--port N] [--delay-ms N] [--fail PATH_PREFIX=STATUS]...\n"
        "      Starts the Hub in the background and returns; does nothing when one runs already.\n"
        "  zandrel hub stop\n"
        "      Stops the Hub that start started.\n"
        "  zandrel hub status\n"
        "      Says whether the Hub runs and on which port. Exit status 0 when it runs, 3 when not.\n"
        "  zandrel --help | --version\n"
        "\n"
        "Options:\n"
        "  --port N          TCP port on 127.0.0.1 (default 3456).\n"
        "  --delay-ms N      Delay every answer by N milliseconds, to try slow paths by hand.\n"
        "  --fail P=STATUS   Answer STATUS (400-599) with a JSON error for every path starting with P,\n"
        "                    e.g. --fail /api/store=503. May be repeated; the longest matching prefix wins.\n"
        "\n"
        "Store demo account: demo@zandrel.dev, password \"zandrel\". Paid apps need it to install.\n"
        "\n"
        "Files (under ~/.zandrel/hub/): state.json (installed apps, AI configuration, permissions,\n"
        "audit log, sign-ins), hub.pid (process id and port of the running Hub), hub.log (output of a\n"
        "Hub started with start). App bundles are installed into ~/Applications/<Name>.app.\n"
        "\n"
        "Every request is logged on standard error: method, path, status and milliseconds.\n");
}

} // namespace zandrel::hub
