#!/usr/bin/env python3
"""zelvane-cli render on generated drawings of every kind and on the sample drawing: each
picture must be well-formed SVG with one group per object of the drawing, in order, carrying
its kind, its layer and its place; a filter greys exactly what it does not select.

    render_svg_check.py ZELVANE_GEN ZELVANE_CLI SAMPLE WORK_FOLDER
"""
import json
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

SVG = "{http://www.w3.org/2000/svg}"
KINDS = {"sen": "lines", "enko": "arcs", "ten": "points", "moji": "texts",
         "sunpou": "dimensions", "solid": "solids", "block": "blockInsertions"}
LAYER = re.compile(r"^[0-9A-F]-[0-9A-F]$")
GREY = "#d2d2d2"

gen, cli, sample, work = sys.argv[1:5]
work = Path(work)
work.mkdir(parents=True, exist_ok=True)
failures = []


def run(*args):
    result = subprocess.run(args, capture_output=True, text=True)
    if result.returncode != 0:
        raise SystemExit(f"{' '.join(map(str, args))} failed ({result.returncode}): {result.stderr}")
    return result.stdout


def object_groups(svg_path):
    root = ElementTree.parse(svg_path).getroot()  # raises on anything not well-formed
    if root.tag != SVG + "svg" or len(root.get("viewBox", "").split()) != 4:
        failures.append(f"{svg_path}: not an SVG picture with a viewBox")
    return [g for g in root.iter(SVG + "g") if "data-kind" in g.attrib]


def colours(group):
    return {element.get(attribute) for element in group.iter() if element is not group
            for attribute in ("stroke", "fill") if element.get(attribute) not in (None, "none")}


def check(drawing):
    info = json.loads(run(cli, "info", drawing, "--json"))
    svg_path = work / (Path(drawing).stem + ".svg")
    run(cli, "render", drawing, "-o", svg_path, "--force")
    groups = object_groups(svg_path)
    expected = sum(info["objects"].values())
    if len(groups) != expected:
        failures.append(f"{drawing}: {len(groups)} object elements for {expected} objects")
    by_kind = {key: 0 for key in KINDS.values()}
    for place, group in enumerate(groups):
        kind, layer, index = (group.get("data-kind"), group.get("data-layer"),
                              group.get("data-index"))
        if kind not in KINDS or not LAYER.match(layer or "") or index != str(place):
            failures.append(f"{drawing}: element {place} has kind {kind}, layer {layer}, index {index}")
            continue
        by_kind[KINDS[kind]] += 1
    if by_kind != info["objects"]:
        failures.append(f"{drawing}: kinds {by_kind}, the drawing holds {info['objects']}")
    return groups


def check_filter(drawing, layer):
    filtered = work / (Path(drawing).stem + "-filtered.svg")
    run(cli, "render", drawing, "-o", filtered, "--layer", layer, "--force")
    shown = 0
    for group in object_groups(filtered):
        drawn = colours(group)
        if group.get("data-layer") == layer:
            shown += bool(drawn - {GREY})
        elif drawn - {GREY}:
            failures.append(f"{drawing}: object {group.get('data-index')} of layer "
                            f"{group.get('data-layer')} not greyed by --layer {layer}")
    if shown == 0:
        failures.append(f"{drawing}: nothing of layer {layer} keeps its colour")


drawings = [sample]
for version in (420, 600, 700):
    for seed in (1, 2, 3):
        for images in ((), ("--no-images",)):
            path = work / f"generated-{version}-{seed}{'-plain' if images else ''}.jww"
            run(gen, path, "--version", str(version), "--size", "0", "--seed", str(seed), *images)
            drawings.append(str(path))
# Large enough for the classes that are named only after the running index passes 0x7FFF.
large = work / "generated-large.jww"
run(gen, large, "--version", "700", "--size", "9MB", "--seed", "4")
drawings.append(str(large))

for drawing in drawings:
    groups = check(drawing)
    if drawing == sample and groups:
        check_filter(drawing, groups[0].get("data-layer"))

for failure in failures:
    print(failure, file=sys.stderr)
print(f"{len(drawings)} drawings rendered, {len(failures)} faults")
sys.exit(1 if failures else 0)
