#!/usr/bin/env python3
"""The Netscape bookmark file checked against a real parser: netscape_parse_test.py "COMMAND PREFIX"
(the CLI's path, or a Wine launcher followed by it).

A 2,000-bookmark store whose texts hold every byte but NUL and every piece of
markup the file must escape is exported by linkhive-cli export-netscape and
read back with Python's standard HTML parser as UTF-8, which its META element
names: every group (its folder's path, names joined by " / "), link, name and
description as stored (in windows-1252, the data file's code page natively and
in the Wine runs), in the order the format promises.
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

PIECES = [bytes([b]) for b in range(1, 256)] + [
    b"&", b"<", b">", b'"', b"'", b"&amp;", b"&lt;", b"&#65;", b"&copy", b"</A>", b"<DT>", b"<!--", b"-->",
    b"</DL><p>", b"\r\n", b"\n", b"\t", b" ", b"http://", b"\xe4\xf6\xfc",
]


def random_text(rng, longest):
    return b"".join(rng.choice(PIECES) for _ in range(rng.randint(0, longest)))


def counted(text):
    if len(text) < 255:
        return bytes([len(text)]) + text
    return b"\xff" + struct.pack("<H", len(text)) + text  # no text reaches 0xFFFE bytes


def store_bytes(groups, items):
    out = struct.pack("<ii", len(items) - 1, len(groups) - 1)
    out += b"".join(counted(g) for g in groups)
    return out + b"".join(counted(t) for item in items for t in item)


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
    # Paths of folders: within another group, with an empty part, at the top.
    names[1] = names[0] + b" / " + names[1]
    names[3] = names[0] + b" /  / " + names[3] + b" / "
    names[5] = b" / " + names[5]
    names[11] = names[2] + b" / " + names[11]
    listed, unlisted = names[:10], names[10:]
    items = []
    for i in range(ITEMS):
        group = rng.choice(listed) if i % 10 else rng.choice(unlisted)
        if rng.random() < 0.2:
            group = group.swapcase()  # spelled otherwise, still in the folder
        description = random_text(rng, 40).rstrip(b" \t\r\n\x0b\x0c") if i % 3 == 0 else b""
        if i == 5:
            description = b"x" * 300  # a long counted string
        items.append((random_text(rng, 60), random_text(rng, 80), group, description))
    return listed, items


# Bytes windows-1252 leaves undefined read as the same-numbered code point,
# as browsers (the WHATWG encodings) and Windows read them.
codecs.register_error("linkhive_same_number", lambda error: (chr(error.object[error.start]), error.start + 1))


def decode(text):
    return text.decode("windows-1252", "linkhive_same_number")


def expected_groups(listed, items):
    """(group name, [(url, name, description)]) of every group that holds
    bookmarks, in the order of its first bookmark in the file: the group list
    in the group pane's order (letters folded, then the bytes of the store's
    UTF-8, which is code point order; equal names in store order), then the
    other groups by first appearance."""
    def holding(name):
        return [(u, n, d) for (n, u, g, d) in items if folded(g) == folded(name)]

    groups = [(g, holding(g)) for g in sorted(listed, key=lambda g: folded(decode(g).encode("utf-8")))]
    seen = {folded(g) for g in listed}
    for (_, _, g, _) in items:
        if folded(g) not in seen:
            seen.add(folded(g))
            groups.append((g, holding(g)))
    return [(g, links) for (g, links) in groups if links]


class BookmarkReader(HTMLParser):
    """Links by the path of the folders holding them, {path: [[url, name,
    description]]}, as a bookmark import reads them; texts and attributes
    come unescaped (convert_charrefs)."""

    def __init__(self):
        super().__init__()
        self.doctype, self.groups, self.links = None, {}, 0
        self.folders, self.lists = [], []  # the open folders' names; whether each open list is a folder's
        self.heading = None  # a folder's name waiting for its list
        self.into, self.text = None, ""  # the tag the text being read belongs to

    def handle_decl(self, decl):
        self.doctype = decl

    def handle_starttag(self, tag, attrs):
        self.finish_text()
        if tag == "dl":
            self.lists.append(self.heading is not None)
            if self.heading is not None:
                self.folders.append(self.heading)
            self.heading = None
        elif tag == "a":
            self.links += 1
            self.link = [dict(attrs).get("href"), None, ""]
            self.groups.setdefault(" / ".join(self.folders), []).append(self.link)
        if tag in ("h3", "a", "dd"):
            self.into, self.text = tag, ""

    def handle_endtag(self, tag):
        self.finish_text()
        if tag == "dl" and self.lists.pop():
            self.folders.pop()

    def handle_data(self, data):
        self.text += data

    def finish_text(self):
        if self.into == "h3":
            self.heading = self.text
        elif self.into == "a":
            self.link[1] = self.text
        elif self.into == "dd":
            # The text runs to the next tag: the line end and that line's
            # indentation are the file's, not the description's.
            self.link[2] = re.sub(r"\r\n *$", "", self.text)
        self.into = None


def main():
    cli = shlex.split(sys.argv[1])
    listed, items = make_collection(random.Random(15))
    failures = []

    with tempfile.TemporaryDirectory() as work:
        store = os.path.join(work, "big.lkh")
        out = os.path.join(work, "big.htm")
        with open(store, "wb") as f:
            f.write(store_bytes(listed, items))
        run = subprocess.run(cli + ["export-netscape", store, out], capture_output=True)
        if run.returncode == 1 and not run.stdout and not run.stderr and "wine" in sys.argv[1]:
            # Wine now and then fails to start a program at all (as lib.sh's run knows).
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
    reader = BookmarkReader()
    reader.feed(raw.decode("utf-8"))  # strict: every byte of the file is UTF-8
    reader.close()

    def check(name, expected, actual):
        if expected == actual:
            return
        failures.append(name)
        if isinstance(expected, list):  # the first difference
            at = next((i for i, (e, a) in enumerate(zip(expected, actual)) if e != a), min(len(expected), len(actual)))
            name += ": %d expected, %d read; at %d" % (len(expected), len(actual), at)
            expected, actual = expected[at:at + 1], actual[at:at + 1]
        print("FAIL %s\n  expected: %r\n  actual:   %r" % (name, expected, actual))

    check("charset", "UTF-8", charset)
    check("doctype", "DOCTYPE NETSCAPE-Bookmark-file-1", reader.doctype)
    check("every bookmark a link", ITEMS, reader.links)
    expected = expected_groups(listed, items)
    check("groups", [decode(g) for g, _ in expected], list(reader.groups))
    for (group, links), read in zip(expected, reader.groups.values()):
        check("links of group %r" % group, [[decode(u), decode(n), decode(d)] for (u, n, d) in links], read)

    print("netscape parse (%s, %d bookmarks, %d bytes): %s" %
          (charset, reader.links, len(raw), "failed" if failures else "passed"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
