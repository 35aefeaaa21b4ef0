#!/usr/bin/env python3
"""Makes the archives the import tests read, in the folder given: zips by Python's
zipfile, 7z archives by p7zip (their methods checked, so a 7z that chose other ones fails
the build), and libarchive's own rar samples, uudecoded from its test folder.

make_test_archives.py LIBARCHIVE_TEST_FOLDER OUTPUT_FOLDER
"""
import binascii
import pathlib
import shutil
import struct
import subprocess
import sys
import zipfile
import zlib

samples, out = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
shutil.rmtree(out, ignore_errors=True)
staging = out / "staging"

# A pack as players get it: text, a map, and a program whose x86 calls the BCJ filter
# rewrites (its bytes decode right only when the filter runs backwards right).
files = {
    "pack/readme.txt": b"".join(b"line %03d of the readme\r\n" % i for i in range(400)),
    "pack/maps/a.map": b"[Basic]\r\nName=A\r\n" + bytes(i * 7 % 251 for i in range(30000)),
    "pack/tool.exe": b"".join(b"\x55\x89\xe5\xe8" + (i * 37).to_bytes(4, "little") + b"\xc3"
                              for i in range(3000)),
}
for name, data in files.items():
    (staging / name).parent.mkdir(parents=True, exist_ok=True)
    (staging / name).write_bytes(data)


def seven_zip(archive, options, expected=(), folder="pack"):
    """p7zip's archive of a folder of the staging folder, with the listing lines `expected`."""
    subprocess.run(["7z", "a", "-bd", "-y", *options, str(out / archive), folder], cwd=staging, check=True,
                   stdout=subprocess.DEVNULL)
    listing = expected and subprocess.run(["7z", "l", "-slt", str(out / archive)], check=True,
                                          capture_output=True, text=True).stdout
    for line in expected:
        if line not in listing:
            sys.exit(f"{archive}: p7zip wrote no '{line}'")


seven_zip("lzma2-bcj-solid.7z", ["-t7z", "-m0=BCJ", "-m1=LZMA2", "-mx=5", "-ms=on"],
          ["Method = BCJ LZMA2", "Solid = +", "Blocks = 1"])
seven_zip("lzma.7z", ["-t7z", "-m0=LZMA", "-ms=off"], ["Method = LZMA:", "Solid = -"])

for sample, name in [("test_read_format_rar_compress_normal.rar.uu", "rar4.rar"),
                     ("test_read_format_rar5_multiple_files_solid.rar.uu", "rar5-solid.rar"),
                     ("test_read_format_rar_unicode.rar.uu", "unicode.rar"),
                     ("test_rar_multivolume_single_file.part1.rar.uu", "volume.part1.rar")]:
    lines = (samples / sample).read_text().splitlines()
    begin = next(i for i, line in enumerate(lines) if line.startswith("begin "))
    data = b"".join(binascii.a2b_uu(line) for line in lines[begin + 1:] if line != "end")
    (out / name).write_bytes(data)


# The import's archives: hostile ones, and names as players' archives hold them.
class Named(zipfile.ZipInfo):
    """An entry whose name bytes and flags are set by hand: left alone, zipfile marks any
    name beyond ASCII as UTF-8."""
    def __init__(self, raw, flags=0, extra=b"", mode=0):
        super().__init__(raw.decode("latin-1"))
        self.raw, self.flags, self.extra, self.external_attr = raw, flags, extra, mode << 16
        self.create_system = 3 if mode else 0

    def _encodeFilenameFlags(self):
        return self.raw, self.flag_bits | self.flags


def unicode_path(raw, name, crc=None):
    text = name.encode()
    return struct.pack("<HHBI", 0x7075, 5 + len(text), 1, zlib.crc32(raw) if crc is None else crc) + text


def zip_of(archive, *entries):
    """Entries: a name (in GBK, as Chinese Windows writes it) or a Named, and its bytes."""
    with zipfile.ZipFile(out / archive, "w") as z:
        for entry, data in entries:
            z.writestr(entry if isinstance(entry, Named) else Named(entry.encode("gbk")), data, zipfile.ZIP_DEFLATED)
    return out / archive


def patched(path, old, new, count=2):
    data = path.read_bytes()
    if data.count(old) != count:
        sys.exit(f"{path.name}: {old} found {data.count(old)} times")
    path.write_bytes(data.replace(old, new))


zip_of("dotdot.zip", ("P/a.map", b"a"), ("../evil.map", b"x"))
zip_of("device.zip", ("P/a.map", b"a"), ("P/aux.map", b"x"))
zip_of("case.zip", ("P/Map.map", b"a"), ("P/MAP.map", b"x"))
zip_of("link.zip", ("P/a.map", b"a"), (Named(b"P/b.map", mode=0o120777), b"../../x"))
zip_of("many.zip", *[(f"P/{i}.map", b"x") for i in range(4)])
zip_of("folders.zip", ("P/", b""), ("P/Q/", b""))
zip_of("long.zip", ("P/" + "d" * 200 + "/" + "f" * 60 + ".map", b"x"))
zip_of("gbk.zip", ("尤里的陰謀v1.0/地图.map", b"a"), ("尤里的陰謀v1.0/预览.jpg", b"b"))
zip_of("backslash.zip", ("淺灘\\地图.map", b"a"))  # "\" between folders; 淺 is DC 5C in GBK
zip_of("utf8.zip", (Named("尤里/地图.map".encode(), flags=0x800), b"a"))
raw = "Pâck/mäp.map".encode("cp437")
zip_of("upath.zip", (Named(raw, extra=unicode_path(raw, "中文包/地图.map")), b"a"))
raw = "旧名/a.map".encode("gbk")
zip_of("upath-crc.zip", (Named(raw, extra=unicode_path(raw, "新名/a.map", crc=1)), b"a"))
zip_of("X.zip", ("X/X/a.map", b"a"), ("X/X/s/b.jpg", b"b"))
zip_of("cofin.zip", ("COFIN.TXT/a.map", b"a"))
zip_of("collection.zip", ("top/A/a.map", b"a"), ("top/B/b.map", b"b"), ("top/r.txt", b"r"))
zip_of("thai.zip", ("P/a.map", b"a"), (Named("P/ก.txt".encode(), flags=0x800), b"t"))
zip_of("no maps.zip", ("readme.txt", b"r"), ("s/p.jpg", b"p"))
(out / "text.zip").write_bytes(b"no archive, only text\r\n" * 10)
# Sizes that lie: 1 MB of zeros claiming to be 10 bytes.
patched(zip_of("lying.zip", ("P/zeros.map", bytes(1 << 20))), struct.pack("<I", 1 << 20), struct.pack("<I", 10))
# A method nothing reads (19, IBM LZ77), and a stored file whose bytes fail their CRC.
with zipfile.ZipFile(out / "unknown.zip", "w", zipfile.ZIP_STORED) as z:
    z.writestr("P/a.map", b"method")
data = bytearray((out / "unknown.zip").read_bytes())
for method in (8, data.find(b"PK\x01\x02") + 10):  # in the local header and the central directory
    data[method] = 19
(out / "unknown.zip").write_bytes(data)
with zipfile.ZipFile(out / "crc.zip", "w", zipfile.ZIP_STORED) as z:
    z.writestr("P/a.map", b"checked bytes")
patched(out / "crc.zip", b"checked bytes", b"checked bytez", count=1)
(out / "cut.7z").write_bytes((out / "lzma.7z").read_bytes()[:-100])
(out / "cut.zip").write_bytes((out / "gbk.zip").read_bytes()[:-30])
seven_zip("encrypted.zip", ["-tzip", "-pSECRET"])
seven_zip("encrypted.7z", ["-pSECRET", "-mhe=on"])


def rar4_header(kind, flags, fields=b""):
    body = struct.pack("<BHH", kind, flags, 7 + len(fields)) + fields
    return struct.pack("<H", zlib.crc32(body) & 0xFFFF) + body


def rar4_file(name, data, unicode=None):
    """A stored file named in GBK, or (with `unicode`) also in RAR's Unicode form, each
    character given whole: high byte 0, a flag byte per four of them saying "two bytes"."""
    if unicode:
        units = unicode.encode("utf-16-le")
        name += b"\0\0" + b"".join(b"\xaa" + units[i:i + 8] for i in range(0, len(units), 8))
    fields = struct.pack("<IIBIIBBHI", len(data), len(data), 2, zlib.crc32(data), 0, 20, 0x30, len(name), 0x20)
    return rar4_header(0x74, 0x8000 | (0x200 if unicode else 0), fields + name) + data


(out / "names.rar").write_bytes(b"Rar!\x1a\x07\x00" + rar4_header(0x73, 0, bytes(6)) +
                                rar4_file("地图包/旧.map".encode("gbk"), b"a") +
                                rar4_file(b"?/?.map", b"b", unicode="地图包/新.map") + rar4_header(0x7B, 0x4000))
(staging / "包/子").mkdir(parents=True)
(staging / "包/地图.map").write_bytes(b"a")
(staging / "包/子/图.jpg").write_bytes(b"b")
seven_zip("cn.7z", [], folder="包")
# LZMA asking for a dictionary of 4 GB: its header left unpacked so the size can be set,
# its checksums made again.
seven_zip("dictionary.7z", ["-mhc=off", "-m0=LZMA"], folder="包")
data = bytearray((out / "dictionary.7z").read_bytes())
lzma = data.find(b"\x03\x01\x01\x05\x5d")  # the coder's ID and its properties: the dictionary's size follows
data[lzma + 5:lzma + 9] = b"\xff" * 4
next_offset, next_size = struct.unpack_from("<QQ", data, 12)
struct.pack_into("<I", data, 28, zlib.crc32(data[32 + next_offset:32 + next_offset + next_size]))
struct.pack_into("<I", data, 8, zlib.crc32(data[12:32]))
(out / "dictionary.7z").write_bytes(data)

shutil.rmtree(staging)
