#!/usr/bin/env python3
"""The English README and its Japanese translation name the same subcommands and options of
zelvane-cli, and each of them is one the program has.

    languages_check.py README.md README.ja.md ZELVANE_CLI
"""
import re
import subprocess
import sys
from pathlib import Path

SUBCOMMAND = re.compile(r"zelvane-cli(?:\.exe)?[ \t]+([a-z]+)\b")
OPTION = re.compile(r"(?<![\w-])(--[a-z][a-z0-9-]*|-o)(?![\w-])")
# Lines of the set-up commands, of other programs and of the window (zelvane, zelvane.exe) name
# options that are theirs.
OTHER_PROGRAM = re.compile(r"\b(apt-get|cmake|ctest|git|jq)\b|\bzelvane(?:\.exe)?(?![\w-])")


def named(readme):
    text = Path(readme).read_text(encoding="utf-8")
    subcommands = set(SUBCOMMAND.findall(text))
    options = set(OPTION.findall(text))
    ours = {option for line in text.splitlines() if not OTHER_PROGRAM.search(line)
            for option in OPTION.findall(line)}
    return subcommands, options, ours


def program_names(cli):
    def help_of(*args):
        return subprocess.run([cli, *args, "--help"], capture_output=True, text=True,
                              env={"LANG": "C.UTF-8"}, check=True).stdout
    top = help_of()
    listed = top[top.index("Subcommands:"):]
    subcommands = set(re.findall(r"^  ([a-z]+) ", listed, re.MULTILINE))
    options = set(OPTION.findall(top))
    for subcommand in subcommands:
        options |= set(OPTION.findall(help_of(subcommand)))
    return subcommands, options


def main():
    english, japanese, cli = sys.argv[1:4]
    faults = []
    english_subcommands, english_options, english_ours = named(english)
    japanese_subcommands, japanese_options, japanese_ours = named(japanese)
    for kind, in_english, in_japanese in (("subcommand", english_subcommands, japanese_subcommands),
                                          ("option", english_options, japanese_options)):
        for name in sorted(in_english - in_japanese):
            faults.append(f"{japanese} does not name the {kind} {name} that {english} names")
        for name in sorted(in_japanese - in_english):
            faults.append(f"{english} does not name the {kind} {name} that {japanese} names")
    subcommands, options = program_names(cli)
    for name in sorted((english_subcommands | japanese_subcommands) - subcommands):
        faults.append(f"zelvane-cli has no subcommand {name}")
    for name in sorted((english_ours | japanese_ours) - options):
        faults.append(f"zelvane-cli has no option {name}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
