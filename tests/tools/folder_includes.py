"""No two folders of the project include from each other, directly or
round a longer circle, so that each can be understood, built and tested
from the ones it stands on. A folder is a top-level one; module/ and
panel/ are one unit (the module's DLL and its panel), the test host's
folders are checked in layers (test_host_layers.py), and the board's
test-only variants (virtual_board/test_variants/) and each folder of tests/
stand apart from the code they try. Fails naming a circle and an include
on each of its steps.
    folder_includes.py PROJECT_ROOT"""
import os
import re
import sys

UNITS = {"panel": "module"}
APART = ["virtual_board/test_variants", "tests/native", "tests/fakes", "tests/win32", "tests/fuzz", "tests/shared",
         "test_host", "bench"]
SKIP = {"build", ".git", "docs", "tools"}


def unit_of(path):
    for apart in APART:
        if path == apart or path.startswith(apart + "/"):
            return apart
    top = path.split("/")[0]
    return UNITS.get(top, top)


root = sys.argv[1]
edges = {}  # unit -> {unit: an include that makes the step}
for folder, dirs, files in os.walk(root):
    relative = os.path.relpath(folder, root).replace(os.sep, "/")
    dirs[:] = [d for d in dirs if relative != "." or d not in SKIP]
    for name in files:
        if not name.endswith((".h", ".cpp", ".c")):
            continue
        source = f"{relative}/{name}" if relative != "." else name
        with open(os.path.join(folder, name), encoding="utf-8", errors="replace") as text:
            for line in text:
                match = re.match(r'\s*#\s*include "([^"]+/[^"]+)"', line)
                if not match or not os.path.exists(os.path.join(root, match.group(1))):
                    continue
                here, there = unit_of(source), unit_of(match.group(1))
                if here != there:
                    edges.setdefault(here, {}).setdefault(there, f"{source} includes {match.group(1)}")

# A circle is a step back to a unit on the path that led to it.
circles = []
state = {}


def visit(unit, path):
    state[unit] = "open"
    for there in sorted(edges.get(unit, {})):
        if state.get(there) == "open":
            ring = path[path.index(there):] + [there]
            circles.append(ring)
        elif there not in state:
            visit(there, path + [there])
    state[unit] = "done"


for unit in sorted(edges):
    if unit not in state:
        visit(unit, [unit])
for ring in circles:
    print(" -> ".join(ring))
    for here, there in zip(ring, ring[1:]):
        print(f"  {edges[here][there]}")
if not circles:
    print("no folder includes from a folder that includes from it")
sys.exit(1 if circles else 0)
