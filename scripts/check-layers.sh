#!/usr/bin/env bash
# Checks the layer rule of docs/ARCHITECTURE.md: a folder of src/ includes only folders on its own
# level or below it, and the display pane knows nothing of the frame or the playlist pane. Names
# every include that points up.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root/src"
python3 - <<'PY'
import os, re, sys
level = {"framework": 1, "services": 2, "image": 2, "tools": 3, "playback": 3, "playlist": 3,
         "system": 3, "update": 3, "ui": 4, "app": 5}
include = re.compile(r'^\s*#\s*include\s+"([a-z]+)/([^"]+)"')
bad = []
for folder, lv in level.items():
    for dirpath, _, names in os.walk(folder):
        for name in names:
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(dirpath, name)
            for n, line in enumerate(open(path, encoding="utf-8"), 1):
                m = include.match(line)
                if not m or m.group(1) not in level:
                    continue
                target = m.group(1) + "/" + m.group(2)
                if level[m.group(1)] > lv:
                    bad.append(f"{path}:{n}: {folder} includes {target}, a layer above it")
                elif path.startswith("ui/display/") and target.startswith(("ui/frame/", "ui/playlist/")):
                    bad.append(f"{path}:{n}: the display pane includes {target}")
if bad:
    print("check-layers: includes that point up:")
    print("\n".join("  " + b for b in bad))
    sys.exit(1)
print("check-layers: every include in src/ points down or sideways")
PY
