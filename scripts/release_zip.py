#!/usr/bin/env python3
"""Writes the release zip: the 64-bit and 32-bit programs, the 64-bit
linkhive-cli, README.md with the pictures it shows (docs/screenshots/),
LICENSE and their SHA256SUMS. The same inputs give the same bytes: every
entry dated at SOURCE_DATE_EPOCH, in sorted order, with one mode.

release_zip.py ZIP SOURCE_DIR WIN64_DIR WIN32_DIR
"""
import glob
import hashlib
import os
import sys
import time
import zipfile


def entries(source, win64, win32):
    files = {
        "x64/linkhive.exe": os.path.join(win64, "linkhive.exe"),
        "x86/linkhive.exe": os.path.join(win32, "linkhive.exe"),
        "x64/linkhive-cli.exe": os.path.join(win64, "linkhive-cli.exe"),
        "README.md": os.path.join(source, "README.md"),
        "LICENSE": os.path.join(source, "LICENSE"),
    }
    for picture in glob.glob(os.path.join(source, "docs", "screenshots", "*.png")):
        files["docs/screenshots/" + os.path.basename(picture)] = picture
    return files


def main(target, source, win64, win32):
    contents = {}
    for name, path in entries(source, win64, win32).items():
        with open(path, "rb") as data:
            contents[name] = data.read()
    contents["SHA256SUMS"] = "".join(
        "%s  %s\n" % (hashlib.sha256(data).hexdigest(), name) for name, data in sorted(contents.items())).encode()
    # Zip dates run from 1980, in two-second steps.
    stamp = time.gmtime(max(int(os.environ.get("SOURCE_DATE_EPOCH", "0")), 315532800))[:6]
    with zipfile.ZipFile(target + ".part", "w") as archive:
        for name in sorted(contents):
            entry = zipfile.ZipInfo(name, stamp)
            entry.create_system = 3
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, contents[name], compresslevel=9)
    os.replace(target + ".part", target)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
