#!/usr/bin/env python3
"""Reads the 32-bit programs' headers and resources, which no machine here can
run, and holds them against the 64-bit build's: the machine each names, the
same subsystem, byte-equal resources (manifest, version, menus, accelerators,
strings, dialogs), each program's manifest as written and the project's version.

compare_pe.py --version 2.1 --manifest res/linkhive.manifest --manifest res/linkhive-cli.manifest WIN64_DIR WIN32_DIR
Exit status 0 when all agree, 1 on a difference, 77 (skipped) without the 32-bit build.
"""
import argparse
import os
import struct
import sys

MACHINE_I386 = 0x14C
MACHINE_AMD64 = 0x8664
SUBSYSTEM_GUI = 2
SUBSYSTEM_CONSOLE = 3
RT_MENU, RT_DIALOG, RT_STRING, RT_ACCELERATOR, RT_VERSION, RT_MANIFEST = 4, 5, 6, 9, 16, 24
RESOURCE_NAMES = {RT_MENU: "menu", RT_DIALOG: "dialog", RT_STRING: "string table",
                  RT_ACCELERATOR: "accelerators", RT_VERSION: "version", RT_MANIFEST: "manifest"}

# Each program: its file, its subsystem, the resource types it must hold and
# the name of the manifest it carries.
PROGRAMS = [
    ("linkhive.exe", SUBSYSTEM_GUI, [RT_MENU, RT_DIALOG, RT_STRING, RT_ACCELERATOR, RT_VERSION, RT_MANIFEST],
     "linkhive.manifest"),
    ("linkhive-cli.exe", SUBSYSTEM_CONSOLE, [RT_VERSION, RT_MANIFEST], "linkhive-cli.manifest"),
]


class PeImage:
    """The few parts of a PE file the comparison needs; ValueError when damaged."""

    def __init__(self, data):
        self.data = data
        pe = self.unpack("<I", 0x3C)[0]
        if data[:2] != b"MZ" or data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        self.machine, sections, self.timestamp, _, _, optional_size, _ = self.unpack("<HHIIIHH", pe + 4)
        optional = pe + 24
        self.magic = self.unpack("<H", optional)[0]
        self.subsystem = self.unpack("<H", optional + 68)[0]
        directories = optional + (96 if self.magic == 0x10B else 112)
        self.resource_rva, self.resource_size = self.unpack("<II", directories + 2 * 8)
        self.sections = [self.unpack("<IIII", optional + optional_size + 40 * i + 8) for i in range(sections)]

    def unpack(self, layout, offset):
        if offset < 0 or offset + struct.calcsize(layout) > len(self.data):
            raise ValueError("truncated at %#x" % offset)
        return struct.unpack_from(layout, self.data, offset)

    def offset_of(self, rva):
        for virtual_size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        raise ValueError("address %#x in no section" % rva)

    def resources(self):
        """{(type, name, language): bytes}; names as numbers or strings."""
        found = {}
        if self.resource_rva == 0:
            return found
        base = self.offset_of(self.resource_rva)

        def walk(directory, path):
            if len(path) > 3:
                raise ValueError("resource tree too deep")
            named, numbered = self.unpack("<HH", base + directory + 12)
            for i in range(named + numbered):
                name, target = self.unpack("<II", base + directory + 16 + 8 * i)
                if name & 0x80000000:
                    length = self.unpack("<H", base + (name & 0x7FFFFFFF))[0]
                    start = base + (name & 0x7FFFFFFF) + 2
                    name = self.data[start:start + 2 * length].decode("utf-16-le")
                if target & 0x80000000:
                    walk(target & 0x7FFFFFFF, path + (name,))
                else:
                    rva, size = self.unpack("<II", base + target)
                    start = self.offset_of(rva)
                    if len(path) != 2 or start + size > len(self.data):
                        raise ValueError("damaged resource entry")
                    found[path + (name,)] = self.data[start:start + size]

        walk(0, ())
        return found


def version_numbers(version):
    """The four numbers of a VS_FIXEDFILEINFO's file version."""
    fixed = version.find(struct.pack("<I", 0xFEEF04BD))
    if fixed < 0:
        return None
    most, least = struct.unpack_from("<II", version, fixed + 8)
    return (most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF)


def compare(name, subsystem, required, manifest, wide, narrow, args):
    """The differences between one program's two builds, as lines."""
    problems = []
    if wide.machine != MACHINE_AMD64 or wide.magic != 0x20B:
        problems.append("64-bit build: machine %#x, optional header %#x" % (wide.machine, wide.magic))
    if narrow.machine != MACHINE_I386 or narrow.magic != 0x10B:
        problems.append("32-bit build: machine %#x, optional header %#x" % (narrow.machine, narrow.magic))
    for build, image in (("64-bit", wide), ("32-bit", narrow)):
        if image.subsystem != subsystem:
            problems.append("%s build: subsystem %d, not %d" % (build, image.subsystem, subsystem))
        if image.timestamp != 0:
            problems.append("%s build: link time %#x in the header" % (build, image.timestamp))
    wide_resources, narrow_resources = wide.resources(), narrow.resources()
    for key in sorted(set(wide_resources) | set(narrow_resources), key=repr):
        if wide_resources.get(key) != narrow_resources.get(key):
            problems.append("resource %r differs" % (key,))
    for kind in required:
        if not any(key[0] == kind for key in wide_resources):
            problems.append("no %s resource" % RESOURCE_NAMES[kind])
    versions = [data for key, data in wide_resources.items() if key[0] == RT_VERSION]
    expected = tuple(int(part) for part in (args.version.split(".") + ["0", "0", "0"])[:4])
    if versions and version_numbers(versions[0]) != expected:
        problems.append("file version %s, not %s" % (version_numbers(versions[0]), expected))
    if versions and (args.version + "\0").encode("utf-16-le") not in versions[0]:
        problems.append("no version text %s" % args.version)
    if RT_MANIFEST in required:
        given = [path for path in args.manifest if os.path.basename(path) == manifest]
        if not given:
            problems.append("no --manifest ending in %s" % manifest)
        for path in given:
            with open(path, "rb") as written:
                if wide_resources.get((RT_MANIFEST, 1, 0x409)) != written.read():
                    problems.append("manifest 1 is not %s" % path)
    return ["%s: %s" % (name, problem) for problem in problems]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--version", required=True)
    parser.add_argument("--manifest", required=True, action="append", help="once for each program's manifest")
    parser.add_argument("win64")
    parser.add_argument("win32")
    args = parser.parse_args()
    problems = []
    for name, subsystem, required, manifest in PROGRAMS:
        narrow_path = os.path.join(args.win32, name)
        if not os.path.exists(narrow_path):
            print("compare_pe: skipped, no 32-bit build at %s (scripts/build.sh win32)" % narrow_path)
            return 77
        try:
            with open(os.path.join(args.win64, name), "rb") as wide, open(narrow_path, "rb") as narrow:
                problems += compare(name, subsystem, required, manifest, PeImage(wide.read()), PeImage(narrow.read()),
                                    args)
        except ValueError as error:
            problems.append("%s: %s" % (name, error))
    for problem in problems:
        print(problem)
    print("compare_pe: %d programs, %d differences" % (len(PROGRAMS), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
