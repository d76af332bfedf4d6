#!/usr/bin/env python3
"""The Netscape bookmark file checked against a real parser: netscape_parse_test.py "COMMAND PREFIX"
(the CLI's path, or a Wine launcher followed by it).

Writes a 2,000-bookmark store whose texts hold every byte but NUL and every
character the file must escape, has linkhive-cli export-netscape it, and reads
the file back with Python's standard HTML parser (html.parser), decoding it in
the code page its META element names: every <A HREF> must carry its URL and
its name exactly as stored, in the folders and order the format promises, and
every description its <DD>.
"""

import codecs
import os
import random
import re
import shlex
import struct
import subprocess
import sys
import tempfile
from html.parser import HTMLParser

ITEMS = 2000

# Pieces a text is made of: every byte but NUL, and the pieces of markup the
# escaping must keep from being read as markup.
PIECES = [bytes([b]) for b in range(1, 256)] + [
    b"&", b"<", b">", b'"', b"'", b"&amp;", b"&lt;", b"&#65;", b"&copy", b"</A>", b"<DT>", b"<!--", b"-->",
    b"</DL><p>", b"\r\n", b"\n", b"\t", b" ", b"http://", b"\xe4\xf6\xfc",
]


def random_text(rng, longest):
    return b"".join(rng.choice(PIECES) for _ in range(rng.randint(0, longest)))


def counted(text):
    if len(text) < 255:
        return bytes([len(text)]) + text
    if len(text) < 0xFFFE:
        return b"\xff" + struct.pack("<H", len(text)) + text
    return b"\xff\xff\xff" + struct.pack("<I", len(text)) + text


def store_bytes(groups, items):
    out = struct.pack("<ii", len(items) - 1, len(groups) - 1)
    out += b"".join(counted(g) for g in groups)
    for item in items:
        out += b"".join(counted(t) for t in item)
    return out


def folded(text):
    return bytes(b + 32 if 65 <= b <= 90 else b for b in text)


def make_collection(rng):
    """Group names distinct without regard to letter case, a few of them only
    on bookmarks (the folders after the group list's)."""
    names = []
    while len(names) < 14:
        name = random_text(rng, 20)
        if all(folded(name) != folded(n) for n in names):
            names.append(name)
    listed, unlisted = names[:10], names[10:]
    items = []
    for i in range(ITEMS):
        group = rng.choice(listed) if i % 10 else rng.choice(unlisted)
        # Now and then spelled otherwise: the folder still holds it.
        if rng.random() < 0.2:
            group = group.swapcase()
        description = random_text(rng, 40).rstrip(b" \t\r\n\x0b\x0c") if i % 3 == 0 else b""
        if i == 5:
            description = b"x" * 300  # a long counted string
        items.append((random_text(rng, 60), random_text(rng, 80), group, description))
    return listed, items


def expected_folders(listed, items):
    """(folder name, [(url, name, description)]) as the format promises: the
    group list in the group pane's order (letters folded, then bytes; equal
    names in store order), then the other groups by first appearance."""
    def holding(name):
        return [(u, n, d) for (n, u, g, d) in items if folded(g) == folded(name)]

    folders = [(g, holding(g)) for g in sorted(listed, key=folded)]
    seen = {folded(g) for g in listed}
    for (_, _, g, _) in items:
        if folded(g) not in seen:
            seen.add(folded(g))
            folders.append((g, holding(g)))
    return folders


class BookmarkReader(HTMLParser):
    """Collects folders, links and descriptions as a bookmark import would."""

    def __init__(self):
        super().__init__()  # convert_charrefs: texts and attributes come unescaped
        self.doctype = None
        self.folders = []
        self.text = None
        self.into = None  # "h3", "a" or "dd": where the text being collected goes
        self.links = 0

    def handle_decl(self, decl):
        self.doctype = decl

    def handle_starttag(self, tag, attrs):
        self.finish_text()
        if tag == "h3":
            self.folders.append([None, []])
            self.into, self.text = "h3", ""
        elif tag == "a":
            self.links += 1
            href = dict(attrs).get("href")
            self.folders[-1][1].append([href, None, ""])
            self.into, self.text = "a", ""
        elif tag == "dd":
            self.into, self.text = "dd", ""

    def handle_endtag(self, tag):
        if tag in ("h3", "a"):
            self.finish_text()
        elif tag == "dl":
            self.finish_text()

    def handle_data(self, data):
        if self.text is not None:
            self.text += data

    def finish_text(self):
        if self.text is None:
            return
        if self.into == "h3":
            self.folders[-1][0] = self.text
        elif self.into == "a":
            self.folders[-1][1][-1][1] = self.text
        elif self.into == "dd":
            # The text runs to the next tag: the line end and that line's
            # indentation are the file's, not the description's.
            self.folders[-1][1][-1][2] = re.sub(r"\r\n *$", "", self.text)
        self.text = self.into = None


def main():
    cli = shlex.split(sys.argv[1])
    rng = random.Random(15)
    listed, items = make_collection(rng)
    failures = []

    with tempfile.TemporaryDirectory() as work:
        store = os.path.join(work, "big.lkh")
        out = os.path.join(work, "big.htm")
        with open(store, "wb") as f:
            f.write(store_bytes(listed, items))
        run = subprocess.run(cli + ["export-netscape", store, out], capture_output=True)
        if run.returncode != 0:
            print("export-netscape failed with", run.returncode, run.stderr)
            return 1
        with open(out, "rb") as f:
            raw = f.read()

    # The charset from the META element, as a browser's prescan finds it.
    match = re.search(rb'<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=([^"]+)">', raw)
    if not match:
        print("no META charset")
        return 1
    charset = match.group(1).decode("ascii")
    codecs.lookup(charset)  # a code page Python knows by that name

    # Bytes the code page leaves undefined read as the same-numbered code
    # point, as browsers (the WHATWG encodings) read them in windows-1252.
    def same_number(error):
        return chr(error.object[error.start]), error.start + 1

    codecs.register_error("linkhive_same_number", same_number)

    def decode(text):
        return text.decode(charset, "linkhive_same_number")

    reader = BookmarkReader()
    reader.feed(decode(raw))
    reader.close()

    def check(name, expected, actual):
        if expected == actual:
            return
        failures.append(name)
        if isinstance(expected, list) and isinstance(actual, list):
            at = next((i for i, (e, a) in enumerate(zip(expected, actual)) if e != a), min(len(expected), len(actual)))
            print("FAIL %s: %d expected, %d read; first difference at %d" % (name, len(expected), len(actual), at))
            expected, actual = expected[at:at + 1], actual[at:at + 1]
        else:
            print("FAIL %s" % name)
        print("  expected: %r\n  actual:   %r" % (expected, actual))

    check("doctype", "DOCTYPE NETSCAPE-Bookmark-file-1", reader.doctype)
    check("every bookmark a link", ITEMS, reader.links)
    expected = expected_folders(listed, items)
    check("folder names", [decode(g) for g, _ in expected], [f[0] for f in reader.folders])
    for (group, links), (_, read) in zip(expected, reader.folders):
        want = [[decode(u), decode(n), decode(d)] for (u, n, d) in links]
        check("URLs in folder %r" % group, [w[0] for w in want], [r[0] for r in read])
        check("names in folder %r" % group, [w[1] for w in want], [r[1] for r in read])
        check("descriptions in folder %r" % group, [w[2] for w in want], [r[2] for r in read])

    print("netscape parse (%s, %d bookmarks, %d bytes): %s" %
          (charset, reader.links, len(raw), "failed" if failures else "passed"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
