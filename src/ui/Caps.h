#pragma once

#include <QtGlobal>

// How much of what the Hub sends is put on screen. A Hub may send any length and any number: a
// label laid out with megabytes of text, or a widget made for each of a million entries, stalls the
// window, and well before these limits nobody reads on. Lists that are model/view need no cap.
namespace zandrel::ui::cap {

// Texts, in characters (an ellipsis ends what is cut).
constexpr qsizetype shortName = 40;   // a name in a narrow column: per-app rows, a model's provider
constexpr qsizetype label = 60;       // a list row's text: a category, an app id, a provider
constexpr qsizetype name = 80;        // an app's or a model's name, a sheet's title
constexpr qsizetype address = 120;    // an e-mail address
constexpr qsizetype message = 500;    // a failure told beside the control that met it
constexpr qsizetype error = 2000;     // a failure told in a banner or a panel
constexpr qsizetype document = 20000; // an app's description

// Entries that get a widget each.
constexpr qsizetype strip = 100; // pills in the category strip, per-app override rows
constexpr qsizetype grid = 200;  // model cells in a provider card
constexpr qsizetype rows = 500;  // permission rows, usage rows, entries of a drop-down

} // namespace zandrel::ui::cap
