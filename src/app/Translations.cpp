#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace zandrel {

namespace {

const QString kCatalogues = QStringLiteral(":/i18n");

QList<QPointer<QTranslator>>& installed()
{
    static QList<QPointer<QTranslator>> translators;
    return translators;
}

bool installFile(const QString& name, const QString& directory)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return false;
    auto* translator = new QTranslator(application);
    if (translator->load(name, directory) && QCoreApplication::installTranslator(translator)) {
        installed().append(translator);
        return true;
    }
    delete translator;
    return false;
}

} // namespace

void Translations::installEnglish()
{
    installFile(QStringLiteral("zandrel_en"), kCatalogues);
}

QString Translations::install(const QStringList& uiLanguages)
{
    installEnglish();
    for (const QString& wanted : uiLanguages) {
        const QString language = QLocale(wanted).name().section(u'_', 0, 0);
        // English is the source: nothing more to load, and a later language must not win over it.
        if (language == u"en" || language == u"C")
            return {};
        if (!installFile(QStringLiteral("zandrel_") + language, kCatalogues))
            continue;
        installFile(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        return language;
    }
    return {};
}

void Translations::removeAll()
{
    for (const QPointer<QTranslator>& translator : std::as_const(installed())) {
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    installed().clear();
}

} // namespace zandrel
