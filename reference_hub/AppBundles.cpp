#include "AppBundles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace zandrel::hub {

namespace {

// Single-quoted for the shell: the only character to escape is the quote itself.
QString shellQuoted(const QString& text)
{
    QString quoted = text;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
}

QByteArray appRunScript(const CatalogueApp& app, const QString& version)
{
    const QString name = shellQuoted(app.name);
    const QString line =
        shellQuoted(QStringLiteral("%1 %2, a Zandrel companion app installed by the reference Hub.")
                        .arg(app.name, version));
    return QStringLiteral(
               "#!/bin/sh\n"
               "# %1 %2, installed by the Zandrel reference Hub. Opening the app records the launch\n"
               "# in its data folder and says hello; the app itself lives in the store.\n"
               "name=%3\n"
               "data=\"$HOME/.zandrel/data/$name\"\n"
               "mkdir -p \"$data\" && date -u '+%Y-%m-%dT%H:%M:%SZ opened' >> \"$data/launches.log\"\n"
               "if command -v notify-send >/dev/null 2>&1; then\n"
               "    notify-send \"$name\" %4 >/dev/null 2>&1\n"
               "fi\n"
               "echo %4\n")
        .arg(app.name, version, name, line)
        .toUtf8();
}

void writeFile(const QString& path, const QByteArray& contents, QFileDevice::Permissions permissions)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.commit())
        throw BundleError(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()).toStdString());
    if (!QFile::setPermissions(path, permissions))
        throw BundleError(QStringLiteral("cannot set the permissions of %1").arg(path).toStdString());
}

} // namespace

AppBundles::AppBundles(QString applicationsFolder)
    : folder_(std::move(applicationsFolder))
{}

QString AppBundles::pathFor(const QString& appName) const
{
    return folder_ + u'/' + appName + QStringLiteral(".app");
}

QString AppBundles::install(const CatalogueApp& app, const QString& version) const
{
    const QString bundle = pathFor(app.name);
    if (!QDir().mkpath(bundle))
        throw BundleError(QStringLiteral("cannot create the folder %1").arg(bundle).toStdString());

    constexpr auto readable =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    constexpr auto executable =
        readable | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    writeFile(bundle + QStringLiteral("/AppRun"), appRunScript(app, version), executable);
    const QJsonValue manifest = wire::toJson(Catalogue::appInfo(app, version));
    writeFile(bundle + QStringLiteral("/app.json"), QJsonDocument(manifest.toObject()).toJson(), readable);
    return bundle;
}

bool AppBundles::isPresent(const QString& bundlePath)
{
    return QFileInfo(bundlePath).isDir();
}

} // namespace zandrel::hub
