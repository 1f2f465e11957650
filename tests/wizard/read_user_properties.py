"""Reads every card of a contacts folder with python3-vobject and prints,
one "file|KEY|value" line each, the card's organisation (ORG), given name
(GIVEN) and its Outlook user properties (PROP:<name>)."""
import os
import sys

import vobject


def split_escaped(text):
    parts, cur, i = [], "", 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            nxt = text[i + 1]
            cur += "\n" if nxt in "nN" else nxt
            i += 2
            continue
        if c == ";":
            parts.append(cur)
            cur = ""
        else:
            cur += c
        i += 1
    parts.append(cur)
    return parts


folder = sys.argv[1]
for name in sorted(n for n in os.listdir(folder) if n.endswith(".vcf")):
    with open(os.path.join(folder, name), encoding="utf-8", newline="") as f:
        card = vobject.readOne(f.read())
    for line in card.getChildren():
        key = line.name.upper()
        if key == "ORG":
            value = line.value
            print("%s|ORG|%s" % (name, value[0] if isinstance(value, list) else value))
        elif key == "N":
            print("%s|GIVEN|%s" % (name, line.value.given))
        elif key == "X-OUTLOOK-USERPROPERTY":
            parts = split_escaped(line.value)
            if len(parts) >= 3:
                print("%s|PROP:%s|%s" % (name, parts[1], ";".join(parts[2:])))
