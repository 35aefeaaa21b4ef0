#!/usr/bin/env python3
"""Makes the zip players download, from a build of Tarnwick.exe:

  release_zip.py --version V --exe BUILT_EXE --strip STRIP --nm NM --out DIR

DIR/Tarnwick-V.zip holds one folder Tarnwick-V/ with the exe stripped of its symbols,
说明.txt (the README's section for players) and licenses/, the licence texts of the
third-party code linked into the exe. DIR/Tarnwick-V/ is the same tree unpacked.

The same inputs give the same bytes: entries in a fixed order, all dated at
SOURCE_DATE_EPOCH (the commit's time), deflated by zlib at a fixed level. Texts get
Windows line ends and a UTF-8 byte-order mark, for Windows 7's Notepad.
"""
import argparse
import glob
import os
import re
import shutil
import struct
import subprocess
import sys
import time
import zlib

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
GUIDE_HEADING = "## 给玩家的说明"
GUIDE_NAME = "说明.txt"

# One row per library that can be linked into the exe: the name its licence file takes,
# a symbol only that library defines (it is linked when the exe defines the symbol), and
# its licence texts, from its sources under build/third_party or from Debian's package
# of the toolchain. A linked library whose texts aren't found stops the release.
LIBRARIES = [
    ("libjpeg-turbo", "jpeg_CreateDecompress", "build/third_party/libjpeg-turbo-*/LICENSE.md build/third_party/libjpeg-turbo-*/README.ijg"),
    ("libarchive", "archive_read_new", "build/third_party/libarchive-*/COPYING"),
    ("zlib", "inflateInit2_", "build/third_party/zlib-*/LICENSE"),
    ("liblzma", "lzma_code", "build/third_party/xz-*/COPYING"),
    # The mingw-w64 runtime and winpthreads: one copyright file covers both.
    ("mingw-w64", "mainCRTStartup", "/usr/share/doc/mingw-w64-common/copyright"),
    ("gcc-runtime-libstdc++", "__cxa_throw", "/usr/share/doc/gcc-mingw-w64-base/copyright"),
]


def fail(message):
    sys.exit(f"release_zip: {message}")


def windows_text(text):
    """UTF-8 with a byte-order mark and Windows line ends, as Windows 7's Notepad reads it."""
    return b"\xef\xbb\xbf" + text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def players_guide(version):
    """The README's section for players as plain text: its headings and emphasis marks
    dropped, its lines as they are."""
    lines = open(os.path.join(ROOT, "README.md"), encoding="utf-8").read().split("\n")
    if GUIDE_HEADING not in lines:
        fail(f'README.md has no section "{GUIDE_HEADING}"')
    start = lines.index(GUIDE_HEADING) + 1
    end = next((i for i in range(start, len(lines)) if lines[i].startswith("## ")), len(lines))
    body = "\n".join(lines[start:end]).strip("\n").replace("**", "").replace("`", "")
    return windows_text(f"Tarnwick {version}\n\n{body}\n")


def licences(exe, nm):
    symbols = subprocess.run([nm, "--defined-only", exe], check=True, capture_output=True, text=True).stdout
    defined = {re.sub(r"@\d+$", "", line.split()[-1]) for line in symbols.splitlines() if line.strip()}
    texts = []
    for name, symbol, patterns in LIBRARIES:
        if symbol not in defined and "_" + symbol not in defined:  # 32-bit C names start with _
            continue
        files = [f for p in patterns.split() for f in sorted(glob.glob(os.path.join(ROOT, p)))]
        if len(files) < len(patterns.split()):
            fail(f"the exe links {name} ({symbol}), but its licence isn't in {patterns}")
        parts = [open(f, encoding="utf-8").read().strip("\n") for f in files]
        texts.append((f"licenses/{name}.txt", windows_text("\n\n\n".join(parts) + "\n")))
    return texts


def dos_time(epoch):
    t = time.gmtime(max(epoch, 315532800))  # the zip format's dates start in 1980
    return (t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec // 2), ((t.tm_year - 1980) << 9) | (t.tm_mon << 5) | t.tm_mday


def write_zip(path, entries, epoch):
    """A zip of (name, bytes or None for a folder) in the given order. Names are ASCII
    but 说明.txt's: stored in code page 936, which Windows 7's Explorer reads (it ignores
    the zip's UTF-8 flag), with an Info-ZIP Unicode Path field (0x7075) giving the UTF-8
    name to every unzipper that reads it."""
    mtime, mdate = dos_time(epoch)
    out, central = bytearray(), bytearray()
    for name, data in entries:
        stored = name.encode("cp936")
        extra = b""
        if not name.isascii():
            utf8 = name.encode("utf-8")
            extra = struct.pack("<HHBI", 0x7075, 5 + len(utf8), 1, zlib.crc32(stored)) + utf8
        folder = data is None
        data = data or b""
        packer = zlib.compressobj(9, zlib.DEFLATED, -15)
        packed = data if folder else packer.compress(data) + packer.flush()
        method = 0 if folder else 8
        crc = zlib.crc32(data)
        flags = 0 if folder else 2  # deflated at the highest level
        common = struct.pack("<HHHHHIIIHH", 20, flags, method, mtime, mdate, crc, len(packed), len(data), len(stored), len(extra))
        offset = len(out)
        out += b"PK\x03\x04" + common + stored + extra + packed
        attributes = 0x10 if folder else 0x20  # MS-DOS folder, archive
        central += b"PK\x01\x02" + struct.pack("<H", 20) + common + struct.pack("<HHHII", 0, 0, 0, attributes, offset) + stored + extra
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(central), len(out), 0)
    with open(path + ".tmp", "wb") as f:
        f.write(out + central + end)
    os.replace(path + ".tmp", path)


def main():
    arguments = argparse.ArgumentParser()
    for option in ("--version", "--exe", "--strip", "--nm", "--out"):
        arguments.add_argument(option, required=True)
    a = arguments.parse_args()
    epoch = os.environ.get("SOURCE_DATE_EPOCH") or subprocess.run(
        ["git", "-C", ROOT, "log", "-1", "--format=%ct"], check=True, capture_output=True, text=True).stdout.strip()
    os.environ["SOURCE_DATE_EPOCH"] = epoch  # strip dates the exe's header with it
    top = f"Tarnwick-{a.version}"
    tree = os.path.join(a.out, top)
    shutil.rmtree(tree, ignore_errors=True)
    os.makedirs(tree)
    exe = os.path.join(tree, "Tarnwick.exe")
    subprocess.run([a.strip, "--strip-all", "-o", exe, a.exe], check=True)
    files = [("Tarnwick.exe", open(exe, "rb").read()), (GUIDE_NAME, players_guide(a.version))]
    files += [("licenses/", None)] + licences(a.exe, a.nm)
    entries = [(top + "/", None)] + [(f"{top}/{name}", data) for name, data in files]
    for name, data in files[1:]:
        path = os.path.join(tree, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        if data is not None:
            open(path, "wb").write(data)
    write_zip(os.path.join(a.out, top + ".zip"), entries, int(epoch))
    print(f"release_zip: {os.path.join(a.out, top + '.zip')}")


if __name__ == "__main__":
    main()
