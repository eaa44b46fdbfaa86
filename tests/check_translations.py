#!/usr/bin/env python3
"""Checks every translation file against the texts lupdate finds in the sources:
each text translated (none unfinished, empty or obsolete, none missing) and the
placeholders (%1, %2, ...) of each translation the same as its source text's."""
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from collections import Counter
from pathlib import Path

lupdate, sources, ts_dir = sys.argv[1], sys.argv[2], Path(sys.argv[3])


def messages(path):
    out = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            out[(name, message.findtext("source"))] = message.find("translation")
    return out


with tempfile.TemporaryDirectory() as tmp:
    fresh = Path(tmp) / "fresh.ts"
    subprocess.run([lupdate, "-recursive", "-locations", "none", sources, "-ts", str(fresh)],
                   check=True, stdout=subprocess.DEVNULL)
    expected = set(messages(fresh))

placeholder = re.compile(r"%\d+")
numerus = re.compile(r"%n")
failed = 0
files = sorted(ts_dir.glob("tagorix4_*.ts"))
if not files:
    print("no translation files in", ts_dir)
    sys.exit(1)
for ts in files:
    found = messages(ts)
    problems = []
    for key in sorted(expected - set(found)):
        problems.append(f"missing: {key}")
    for key in sorted(set(found) - expected):
        problems.append(f"obsolete: {key}")
    for key, tr in sorted(found.items()):
        kind = tr.get("type") if tr is not None else "absent"
        # Plural texts (%n) carry one form per plural of the language.
        forms = [f.text or "" for f in tr.iter("numerusform")] if tr is not None else []
        texts = forms or [(tr.text or "") if tr is not None else ""]
        if kind in ("unfinished", "obsolete", "vanished", "absent") or not all(t.strip() for t in texts):
            problems.append(f"not translated ({kind or 'empty'}): {key}")
            continue
        for text in texts:
            if Counter(placeholder.findall(key[1])) != Counter(placeholder.findall(text)) or (
                    forms and not numerus.search(text)):
                problems.append(f"placeholders differ: {key} -> {text!r}")
    for p in problems:
        print(f"{ts.name}: {p}")
    failed += bool(problems)
    print(f"{ts.name}: {len(found)} texts, {len(problems)} problems")
print(f"{len(files) - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
