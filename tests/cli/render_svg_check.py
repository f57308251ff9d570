#!/usr/bin/env python3
"""zelvane-cli render on generated drawings of every kind and on the sample drawing: each
picture must be well-formed SVG. With --all-layers it holds one group per object of the drawing,
in order, carrying its kind, its layer and its place; without, the objects of hidden layers are
missing, whole layers at a time, and for a generated drawing exactly those of layer group F and
layer 0-F, which its header hides. Block definitions are written once, inside <defs>, which no
object group is; a filter greys exactly what it does not select, through the definitions its
insertions use too.

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
XLINK = "{http://www.w3.org/1999/xlink}href"


def generated_hides(layer):
    return layer.startswith("F-") or layer == "0-F"

gen, cli, sample, work = sys.argv[1:5]
work = Path(work)
work.mkdir(parents=True, exist_ok=True)
failures = []


def run(*args):
    result = subprocess.run(args, capture_output=True, text=True)
    if result.returncode != 0:
        raise SystemExit(f"{' '.join(map(str, args))} failed ({result.returncode}): {result.stderr}")
    return result.stdout


def picture(svg_path):
    root = ElementTree.parse(svg_path).getroot()  # raises on anything not well-formed
    if root.tag != SVG + "svg" or len(root.get("viewBox", "").split()) != 4:
        failures.append(f"{svg_path}: not an SVG picture with a viewBox")
    definitions = {}
    for defs in root.iter(SVG + "defs"):
        for definition in defs:
            definitions[definition.get("id")] = definition
            if any(attribute.startswith("data-") for element in definition.iter()
                   for attribute in element.attrib):
                failures.append(f"{svg_path}: definition {definition.get('id')} names an object")
    groups = [g for g in root.iter(SVG + "g") if "data-kind" in g.attrib]
    return groups, definitions


def colours(group, definitions, seen=()):
    found = set()
    for element in group.iter():
        if element is group:
            continue
        reference = element.get(XLINK, "").lstrip("#")
        if element.tag == SVG + "use" and reference not in seen:
            found |= colours(definitions[reference], definitions, seen + (reference,))
        found |= {element.get(attribute) for attribute in ("stroke", "fill")
                  if element.get(attribute) not in (None, "none")}
    return found


def check(drawing):
    info = json.loads(run(cli, "info", drawing, "--json"))
    svg_path = work / (Path(drawing).stem + ".svg")
    run(cli, "render", drawing, "-o", svg_path, "--force", "--all-layers")
    groups, _ = picture(svg_path)
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
    check_hidden(drawing, groups)
    return groups


def check_hidden(drawing, every_object):
    shown_path = work / (Path(drawing).stem + "-shown.svg")
    run(cli, "render", drawing, "-o", shown_path, "--force")
    shown = {g.get("data-index") for g in picture(shown_path)[0]}
    layer_of = {g.get("data-index"): g.get("data-layer") for g in every_object}
    missing = set(layer_of) - shown
    if shown - set(layer_of):
        failures.append(f"{drawing}: objects drawn that the drawing lacks")
    hidden_layers = {layer_of[index] for index in missing}
    if any(layer_of[index] in hidden_layers for index in shown):
        failures.append(f"{drawing}: a layer is shown in part")
    if "generated" in str(drawing) and hidden_layers != {l for l in layer_of.values() if generated_hides(l)}:
        failures.append(f"{drawing}: hides {sorted(hidden_layers)}, not group F and layer 0-F")


def check_filter(drawing, layer):
    filtered = work / (Path(drawing).stem + "-filtered.svg")
    run(cli, "render", drawing, "-o", filtered, "--layer", layer, "--force")
    shown = 0
    groups, definitions = picture(filtered)
    for group in groups:
        drawn = colours(group, definitions)
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
    if drawing == sample:
        # The layer of the first insertion, so that the definitions' colours count.
        blocks = [g for g in groups if g.get("data-kind") == "block" and not generated_hides(g.get("data-layer"))]
        if blocks:
            check_filter(drawing, blocks[0].get("data-layer"))
        else:
            failures.append(f"{drawing}: no insertion shown")

for failure in failures:
    print(failure, file=sys.stderr)
print(f"{len(drawings)} drawings rendered, {len(failures)} faults")
sys.exit(1 if failures else 0)
