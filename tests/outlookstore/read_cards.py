"""Reads every card of a contacts folder with python3-vobject and prints
what it sees, one "file|property|value" line per value, values as JSON."""
import json
import os
import sys

import vobject

folder = sys.argv[1]
for name in sorted(n for n in os.listdir(folder) if n.endswith(".vcf")):
    try:
        with open(os.path.join(folder, name), encoding="utf-8", newline="") as f:
            card = vobject.readOne(f.read())
    except Exception as e:  # reported, so that the test names the file
        print("%s|ERROR|%s" % (name, json.dumps(str(e))))
        continue

    def out(prop, value):
        print("%s|%s|%s" % (name, prop, json.dumps(value, ensure_ascii=False)))

    for line in card.getChildren():
        key = line.name.upper()
        v = line.value
        if key == "N":
            v = [v.family, v.given, v.additional, v.prefix, v.suffix]
        elif key == "ADR":
            v = [v.box, v.extended, v.street, v.city, v.region, v.code, v.country]
        elif not isinstance(v, (str, list)):
            v = str(v)
        out(key, v)
