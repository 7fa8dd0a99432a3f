// zandrel: the reference Hub. See CommandLine::help() for what it does.

#include "CommandLine.h"
#include "HubPaths.h"
#include "ProcessControl.h"
#include "ServeCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <cstdio>

using namespace zandrel::hub;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zandrel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZANDREL_HUB_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);

    Command command;
    try {
        command = CommandLine::parse(QCoreApplication::arguments().mid(1));
    } catch (const UsageError& e) {
        err << "zandrel: " << e.what() << "\nSee: zandrel --help\n";
        return 2;
    }

    const HubPaths paths(QDir::homePath());
    const ProcessControl control(paths, QCoreApplication::applicationFilePath());
    switch (command.kind) {
    case Command::Kind::Help:
        out << CommandLine::help();
        return 0;
    case Command::Kind::Version:
        out << "zandrel " << ZANDREL_HUB_VERSION << "\n";
        return 0;
    case Command::Kind::Serve:
        return ServeCommand::run(command.options, paths);
    case Command::Kind::Start:
        return control.start(command.options, out, err);
    case Command::Kind::Stop:
        return control.stop(out, err);
    case Command::Kind::Status:
        return control.status(out);
    }
    return 2;
}
