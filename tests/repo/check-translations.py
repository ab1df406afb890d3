#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails when a user-visible text of the sources has no finished French translation.

Runs lupdate over src/ into a scratch .ts file and compares its messages with
resources/translations/brelin_fr.ts."""
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def messages(ts_path):
    found = {}
    for context in ET.parse(ts_path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else "unfinished"
            text = (translation.text or "") if translation is not None else ""
            numerus = translation is not None and translation.find("numerusform") is not None
            finished = kind not in ("unfinished", "vanished", "obsolete") and (text.strip() or numerus)
            found[(name, message.findtext("source"))] = bool(finished)
    return found


def main():
    lupdate, top = sys.argv[1], sys.argv[2]
    shipped_path = os.path.join(top, "resources", "translations", "brelin_fr.ts")
    shipped = messages(shipped_path)
    with tempfile.TemporaryDirectory() as scratch:
        fresh_path = os.path.join(scratch, "fresh.ts")
        subprocess.run([lupdate, "-silent", "-extensions", "cpp,h,ui", os.path.join(top, "src"),
                        "-ts", fresh_path], check=True)
        fresh = messages(fresh_path)
    if not fresh:
        print("lupdate found no texts in src/", file=sys.stderr)
        return 1
    missing = [key for key in fresh if not shipped.get(key)]
    for context, source in sorted(missing):
        print(f"untranslated: [{context}] {source!r}", file=sys.stderr)
    stale = [key for key in shipped if key not in fresh]
    for context, source in sorted(stale):
        print(f"no longer in the sources: [{context}] {source!r}", file=sys.stderr)
    print(f"{len(fresh)} texts, {len(missing)} untranslated, {len(stale)} stale")
    return 1 if missing or stale else 0


if __name__ == "__main__":
    sys.exit(main())
