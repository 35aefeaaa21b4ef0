#!/usr/bin/env python3
"""Makes the archives the archive tests read, in the folder given: zips by Python's
zipfile, 7z archives by p7zip (their methods checked, so a 7z that chose other ones fails
the build), and libarchive's own rar samples, uudecoded from its test folder.

make_test_archives.py LIBARCHIVE_TEST_FOLDER OUTPUT_FOLDER
"""
import binascii
import pathlib
import shutil
import subprocess
import sys
import zipfile

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

with zipfile.ZipFile(out / "stored-deflate.zip", "w") as z:
    z.writestr("pack/", b"")
    for name, data in files.items():
        z.writestr(name, data, zipfile.ZIP_STORED if name.endswith(".map") else zipfile.ZIP_DEFLATED)


def seven_zip(archive, methods, expected):
    subprocess.run(["7z", "a", "-t7z", "-bd", "-y", *methods, str(out / archive), "pack"],
                   cwd=staging, check=True, stdout=subprocess.DEVNULL)
    listing = subprocess.run(["7z", "l", "-slt", str(out / archive)], check=True,
                             capture_output=True, text=True).stdout
    for line in expected:
        if line not in listing:
            sys.exit(f"{archive}: p7zip wrote no '{line}'")


seven_zip("lzma2-bcj-solid.7z", ["-m0=BCJ", "-m1=LZMA2", "-mx=5", "-ms=on"],
          ["Method = BCJ LZMA2", "Solid = +", "Blocks = 1"])
seven_zip("lzma.7z", ["-m0=LZMA", "-ms=off"], ["Method = LZMA:", "Solid = -"])

# The solid 7z with one byte of its packed stream changed: the first file can't decode.
damaged = bytearray((out / "lzma2-bcj-solid.7z").read_bytes())
damaged[32 + 40] ^= 0x55
(out / "damaged.7z").write_bytes(damaged)

for sample, name in [("test_read_format_rar_compress_normal.rar.uu", "rar4.rar"),
                     ("test_read_format_rar5_multiple_files_solid.rar.uu", "rar5-solid.rar")]:
    lines = (samples / sample).read_text().splitlines()
    begin = next(i for i, line in enumerate(lines) if line.startswith("begin "))
    data = b"".join(binascii.a2b_uu(line) for line in lines[begin + 1:] if line != "end")
    (out / name).write_bytes(data)

shutil.rmtree(staging)
