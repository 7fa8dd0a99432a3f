#pragma once

#include <QStringList>

namespace zandrel {

// The application's catalogues, embedded under :/i18n: English for the plural forms of counted texts
// ("1 update available", "3 updates available"), and one per language we translate to; plus Qt's own
// catalogue so that standard dialogs and context menus speak the same language.
class Translations {
public:
    // English plurals: installed first, so every language falls back to right English.
    static void installEnglish();
    // English, then the first of the user's UI languages we have a catalogue for, with Qt's own. Returns
    // that language ("de"), or nothing when English is all there is.
    static QString install(const QStringList& uiLanguages);
    // Back to the English source texts (tests switch languages).
    static void removeAll();
};

} // namespace zandrel
