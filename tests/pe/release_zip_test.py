#!/usr/bin/env python3
"""Writes the release zip from one build's programs (which machine each is
for is compare_pe.py's business) and reads it back: every picture and file
the zipped README.md links to is in the zip, and SHA256SUMS holds every
other entry with its right sum.

release_zip_test.py SOURCE_DIR PROGRAMS_DIR
"""
import hashlib
import os
import re
import subprocess
import sys
import tempfile
import zipfile

# A Markdown link or picture: ](target)
LINK = re.compile(r"\]\(([^)\s]+)\)")
# Addresses elsewhere and anchors in the page itself.
NOT_A_FILE = re.compile(r"^([a-z][a-z0-9+.-]*:|#)", re.IGNORECASE)


def main(source, programs):
    with tempfile.TemporaryDirectory() as work:
        target = os.path.join(work, "release.zip")
        subprocess.run([sys.executable, os.path.join(source, "scripts", "release_zip.py"), target, source, programs,
                        programs], check=True)
        with zipfile.ZipFile(target) as archive:
            contents = {name: archive.read(name) for name in archive.namelist()}
    problems = []
    for link in LINK.findall(contents["README.md"].decode("utf-8")):
        path = link.split("#")[0]
        if not NOT_A_FILE.match(link) and path not in contents:
            problems.append("README.md links to %s, which the zip lacks" % path)
    sums = {}
    for line in contents["SHA256SUMS"].decode().splitlines():
        digest, name = line.split("  ", 1)
        sums[name] = digest
    for name, data in contents.items():
        if name != "SHA256SUMS" and sums.pop(name, None) != hashlib.sha256(data).hexdigest():
            problems.append("SHA256SUMS has no right sum of %s" % name)
    problems += ["SHA256SUMS names %s, which the zip lacks" % name for name in sums]
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
