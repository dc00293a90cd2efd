"""The test host's folders in layers, each including only from those below
it, so that no two folders reach each other. Fails naming each include that
reaches up.
    test_host_layers.py PROJECT_ROOT"""
import os
import re
import sys

# Lowest first.
LAYERS = ["text", "console", "diagnosis", "play", "window", "session", "timeline", "try", "commands"]

root = os.path.join(sys.argv[1], "test_host")
upward = []
for folder in sorted(os.listdir(root)):
    if not os.path.isdir(os.path.join(root, folder)):
        continue
    if folder not in LAYERS:
        upward.append(f"test_host/{folder} is in no layer")
        continue
    for name in sorted(os.listdir(os.path.join(root, folder))):
        with open(os.path.join(root, folder, name), encoding="utf-8", errors="replace") as source:
            for line in source:
                match = re.match(r'#include "test_host/([^/"]+)/', line)
                if match and LAYERS.index(match.group(1)) > LAYERS.index(folder):
                    upward.append(f"test_host/{folder}/{name} includes from test_host/{match.group(1)}")
print("\n".join(upward) if upward else "every include of the test host's folders comes from a layer below")
sys.exit(1 if upward else 0)
