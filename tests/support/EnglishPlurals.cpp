// Every test runs with the English catalogue the application installs at start-up, so counted texts
// read "1 update available" as they do for a user; no other language is loaded.
#include "app/Translations.h"

#include <QCoreApplication>

namespace {

void installEnglish()
{
    zandrel::Translations::installEnglish();
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installEnglish)
