#!/usr/bin/env python3
"""Fills the English plural forms of counted texts whose source marks the plural with "(s)".

"%n update(s) available" gets "%n update available" and "%n updates available". Texts that need
another plural ("entry" / "entries") are left for a person; the script names them and fails.
"""
import sys
import xml.etree.ElementTree as ET

# Plurals that "(s)" cannot make: source text -> (singular, plural).
IRREGULAR = {
    "%1 of %n entries": ("%1 of %n entry", "%1 of %n entries"),
}


def main(path):
    tree = ET.parse(path)
    missing = []
    for message in tree.iter("message"):
        if message.get("numerus") != "yes":
            continue
        source = message.findtext("source") or ""
        translation = message.find("translation")
        forms = translation.findall("numerusform")
        if all((form.text or "").strip() for form in forms) and translation.get("type") != "unfinished":
            continue
        if source in IRREGULAR:
            made = IRREGULAR[source]
        elif "(s)" in source:
            made = (source.replace("(s)", ""), source.replace("(s)", "s"))
        else:
            missing.append(source)
            continue
        for form in forms:
            translation.remove(form)
        for text in made:
            form = ET.SubElement(translation, "numerusform")
            form.text = text
        translation.attrib.pop("type", None)
    tree.write(path, encoding="utf-8", xml_declaration=True)
    with open(path, "r+", encoding="utf-8") as ts:
        text = ts.read().replace("<?xml version='1.0' encoding='utf-8'?>", '<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>', 1)
        ts.seek(0)
        ts.write(text)
        ts.truncate()
    if missing:
        print("English plural forms to write by hand in " + path + ":", *missing, sep="\n  ", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
