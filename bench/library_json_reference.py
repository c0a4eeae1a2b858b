#!/usr/bin/env python3
"""The reference that kordex-cli library is measured against: for every replay of a folder,
the JSON blocks taken by the block table at the start of the file (magic, block count, then
a 32-bit length and the bytes of each block) and parsed with Python's json module, with the
values a library row shows picked out. Prints one line per replay."""

import json
import os
import struct
import sys


def blocks(path):
    with open(path, "rb") as f:
        start = f.read(8)
        if len(start) < 8:
            return []
        count = struct.unpack("<I", start[4:8])[0]
        texts = []
        for _ in range(min(count, 4)):
            size = f.read(4)
            if len(size) < 4:
                break
            length = struct.unpack("<I", size)[0]
            texts.append(f.read(length))
        return texts


def row(path):
    try:
        texts = blocks(path)
        header = json.loads(texts[0])
        cells = [header.get("dateTime"), header.get("mapDisplayName"), header.get("playerName"),
                 header.get("playerVehicle"), header.get("battleType")]
        if len(texts) > 1:
            results = json.loads(texts[1])
            first = results[0] if isinstance(results, list) else results
            personal = first.get("personal", {})
            if personal and all(isinstance(v, dict) for v in personal.values()):
                personal = next(iter(personal.values()))
            cells += [personal.get("xp"), personal.get("damageDealt"), personal.get("credits"),
                      first.get("common", {}).get("winnerTeam")]
        return cells
    except (ValueError, IndexError, AttributeError, OSError, UnicodeDecodeError):
        return ["Ошибка"]


def main():
    folder = sys.argv[1]
    for name in sorted(os.listdir(folder)):
        if name.lower().endswith(".wotreplay"):
            print("\t".join(str(c) for c in row(os.path.join(folder, name))))


if __name__ == "__main__":
    main()
