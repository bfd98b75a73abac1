#!/usr/bin/env python3
"""leftovers.py BEFORE_DIR AFTER_DIR: what an install and uninstall left behind.

Each folder holds a snapshot: *.reg files exported by regedit (UTF-16) and files.txt, a listing
of drive_c. Prints every registry key, value and file that is in AFTER but not in BEFORE (or whose
value changed) and exits 1 when there is any, except for the allowed ones below:
  - keys (without values) that the system keeps for itself once used: the installer engine's
    own keys and folders, and the per-user classes key;
  - what Wine itself rewrites at any time (Software\\Wine).
"""
import os
import sys

ALLOWED_EMPTY_KEYS = {
    r"HKEY_CURRENT_USER\Software\Classes",
    r"HKEY_CURRENT_USER\Software\Microsoft\Installer",
    r"HKEY_CURRENT_USER\Software\Microsoft\Installer\Features",
    r"HKEY_CURRENT_USER\Software\Microsoft\Installer\Products",
    r"HKEY_CURRENT_USER\Software\Microsoft\Installer\UpgradeCodes",
}
CHURN_PREFIXES = (r"HKEY_CURRENT_USER\Software\Wine",)
ENGINE_FOLDERS = {"./windows/Installer", "./users/{user}/AppData/Roaming/Microsoft/Installer"}


def read_reg(path):
    """{key: {value line name: data}} of one export; continuation lines are joined."""
    with open(path, "rb") as f:
        raw = f.read()
    text = raw.decode("utf-16") if raw[:2] in (b"\xff\xfe", b"\xfe\xff") else raw.decode("utf-8")
    keys, key, pending = {}, None, ""
    for line in text.splitlines():
        if pending:
            line, pending = pending + line.strip(), ""
        if line.endswith("\\") and not line.startswith("["):
            pending = line[:-1]
            continue
        if line.startswith("[") and line.endswith("]"):
            key = line[1:-1]
            keys.setdefault(key, {})
        elif key is not None and "=" in line:
            name, _, data = line.partition("=")
            keys[key][name] = data
    return keys


def snapshot(folder):
    keys = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith(".reg"):
            keys.update(read_reg(os.path.join(folder, name)))
    with open(os.path.join(folder, "files.txt"), encoding="utf-8", errors="replace") as f:
        files = set(f.read().splitlines())
    return keys, files


def main(before_dir, after_dir, user):
    before_keys, before_files = snapshot(before_dir)
    after_keys, after_files = snapshot(after_dir)
    left = []
    for key, values in sorted(after_keys.items()):
        if key.startswith(CHURN_PREFIXES):
            continue
        old = before_keys.get(key)
        if old is None and not values and key in ALLOWED_EMPTY_KEYS:
            continue
        if old is None:
            left.append("key   [%s] %s" % (key, values or ""))
            continue
        for name, data in sorted(values.items()):
            if old.get(name) != data:
                left.append("value [%s] %s=%s" % (key, name, data))
    engine = {f.format(user=user) for f in ENGINE_FOLDERS}
    for path in sorted(after_files - before_files):
        if path not in engine:
            left.append("file  " + path)
    for line in left:
        print("left behind: " + line)
    return 1 if left else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: leftovers.py BEFORE_DIR AFTER_DIR WINDOWS_USER")
    sys.exit(main(*sys.argv[1:]))
