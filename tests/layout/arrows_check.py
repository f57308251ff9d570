#!/usr/bin/env python3
"""The parts of the tree include one another only along their arrows, and the programs that are
shipped hold nothing of the drawing generator.

    arrows_check.py SOURCE_ROOT [PROGRAM...]
"""
import re
import subprocess
import sys
from pathlib import Path

# What each part may include besides itself; a part not listed may include nothing of ours.
MAY_INCLUDE = {
    "text": set(),
    "jww": {"text"},
    "tables": {"jww", "text"},
    "render": {"jww", "text"},
    "compare": {"tables", "render", "jww", "text"},
    "testing": {"jww", "text"},
    "ui": {"tables", "jww", "text"},
    "ui/preview": {"ui", "compare", "render", "tables", "jww", "text"},
    "ui/qt": {"ui/preview", "ui", "render", "tables", "jww", "text"},
    "ui/win": {"ui/preview", "ui", "render", "tables", "jww", "text"},
    "cli": {"compare", "tables", "render", "jww", "text"},
}
PARTS = sorted(MAY_INCLUDE, key=len, reverse=True)
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
GENERATOR_SYMBOL = re.compile(r"GenerateDrawing|TGeneratorOptions|TGeneratorRandom|FillGeneratedHeader")


def part_of(path):
    for part in PARTS:
        if path == part or path.startswith(part + "/"):
            return part
    return None


def main():
    root = Path(sys.argv[1])
    faults = []
    for part in MAY_INCLUDE:
        for source in sorted((root / part).glob("*")):
            if source.suffix not in (".cpp", ".h"):
                continue
            for header in INCLUDE.findall(source.read_text(encoding="utf-8", errors="replace")):
                target = part_of(str(Path(header).parent))
                if target is None and "/" not in header:
                    continue
                if target != part and target not in MAY_INCLUDE[part]:
                    faults.append(f"{source.relative_to(root)} includes {header}")
    for program in sys.argv[2:]:
        symbols = subprocess.run(["nm", "-C", program], capture_output=True, text=True, check=True)
        found = sorted(set(GENERATOR_SYMBOL.findall(symbols.stdout)))
        if found:
            faults.append(f"{program} holds the generator: {', '.join(found)}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
