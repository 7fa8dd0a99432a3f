#include "ServeCommand.h"

#include "AIEndpoints.h"
#include "FirstStart.h"
#include "HubEndpoints.h"
#include "HubServer.h"
#include "ProcessControl.h"
#include "ProviderSignInEndpoints.h"
#include "StoreEndpoints.h"
#include "platform/ShutdownSignals.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <cstdio>

namespace zandrel::hub {

namespace {

void say(const QString& line)
{
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

} // namespace

int ServeCommand::run(const ServeOptions& options, const HubPaths& paths)
{
    if (!QDir().mkpath(paths.hubFolder())) {
        say(QStringLiteral("zandrel: cannot create %1").arg(paths.hubFolder()));
        return ProcessControl::exitFailed;
    }
    // One Hub per home: two would overwrite each other's state.
    QLockFile serveLock(paths.serveLock());
    serveLock.setStaleLockTime(0);
    if (!serveLock.tryLock(0)) {
        qint64 pid = 0;
        QString host, app;
        serveLock.getLockInfo(&pid, &host, &app);
        say(QStringLiteral("zandrel: another Hub (pid %1) already serves this home; stop it first with: "
                           "zandrel hub stop")
                .arg(pid));
        return ProcessControl::exitFailed;
    }

    try {
        const Catalogue catalogue = Catalogue::builtIn();
        const AppBundles bundles(paths.applicationsFolder());
        HubStore store(paths.stateFile());
        QString warning;
        const HubStore::Loaded loaded = store.load(&warning);
        if (!warning.isEmpty())
            say(QStringLiteral("warning: ") + warning);
        if (loaded != HubStore::Loaded::FromFile) {
            QStringList problems;
            store.reset(FirstStart::seed(catalogue, bundles, QDateTime::currentDateTimeUtc(), &problems));
            for (const QString& problem : problems)
                say(QStringLiteral("warning: ") + problem);
        }

        HubContext context{store, catalogue, bundles, options.port};
        Router router;
        HubEndpoints hub(context);
        AIEndpoints ai(context);
        ProviderSignInEndpoints signIn(context);
        StoreAccounts accounts(context);
        StoreEndpoints storeEndpoints(context, accounts);
        hub.addTo(router);
        ai.addTo(router);
        signIn.addTo(router);
        accounts.addTo(router);
        storeEndpoints.addTo(router);

        HubServer server(router, options);
        QString error;
        if (!server.listen(&error)) {
            say(QStringLiteral("zandrel: ") + error);
            return ProcessControl::exitFailed;
        }
        const ProcessControl control(paths, QCoreApplication::applicationFilePath());
        if (!control.recordServing(server.port(), &error))
            say(QStringLiteral("warning: ") + error +
                QStringLiteral("; zandrel hub stop and status will not see this Hub"));

        ShutdownSignals stopSignals;
        QObject::connect(&stopSignals, &ShutdownSignals::received, qApp, [](int number) {
            say(QStringLiteral("Received signal %1, stopping.").arg(number));
            QCoreApplication::quit();
        });
        say(QStringLiteral("Zandrel reference Hub %1 listening on http://127.0.0.1:%2/api (state: %3)")
                .arg(QStringLiteral(ZANDREL_HUB_VERSION))
                .arg(server.port())
                .arg(store.fileName()));
        const int status = QCoreApplication::exec();
        control.forgetServing();
        say(QStringLiteral("The Hub has stopped."));
        return status;
    } catch (const std::exception& e) {
        say(QStringLiteral("zandrel: the Hub cannot start: ") + QString::fromUtf8(e.what()));
        return ProcessControl::exitFailed;
    }
}

} // namespace zandrel::hub
