#!/usr/bin/env bash
# Brings the catalogues in translations/ up to date with the texts in src/: new texts are added
# unfinished, texts gone from the sources are marked obsolete. Then translate in Qt Linguist
# (`linguist translations/zandrel_de.ts`); the build compiles them with lrelease.
#
# zandrel_en.ts holds only the plural forms of counted texts ("%n update(s) available"); their English
# forms are filled in here from the "(s)" in the source text, and by hand for the others.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)

"$lupdate" -silent -locations none -no-obsolete -I src src -ts translations/zandrel_de.ts
"$lupdate" -silent -locations none -no-obsolete -pluralonly -I src src -ts translations/zandrel_en.ts
python3 scripts/english_plurals.py translations/zandrel_en.ts
