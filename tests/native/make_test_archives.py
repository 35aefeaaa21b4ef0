#!/usr/bin/env python3
# Makes the archives the archive test reads, in OUTPUT_FOLDER: a zip by Python's zipfile,
# 7z archives by p7zip (their methods checked: a 7z that chose other ones fails the
# build), a damaged 7z, and libarchive's own rar samples, uudecoded.
#   make_test_archives.py LIBARCHIVE_TEST_FOLDER OUTPUT_FOLDER
import binascii, pathlib, shutil, subprocess, sys, zipfile

samples, out = map(pathlib.Path, sys.argv[1:3])
shutil.rmtree(out, ignore_errors=True)
# A map, and a program whose x86 calls are what the BCJ filter rewrites.
files = {"pack/maps/a.map": b"[Basic]\r\nName=A\r\n" + bytes(i * 7 % 251 for i in range(30000)),
         "pack/tool.exe": b"".join(b"\x55\x89\xe5\xe8%s\xc3" % (i * 37).to_bytes(4, "little") for i in range(3000))}
(out / "staging" / "pack" / "maps").mkdir(parents=True)
with zipfile.ZipFile(out / "stored-deflate.zip", "w") as z:
    for name, data in files.items():
        (out / "staging" / name).write_bytes(data)
        z.writestr(name, data, zipfile.ZIP_STORED if name.endswith(".map") else zipfile.ZIP_DEFLATED)
for archive, methods, wanted in [("lzma2-bcj-solid.7z", "-m0=BCJ -m1=LZMA2 -ms=on", "Method = BCJ LZMA2|Solid = +"),
                                 ("lzma.7z", "-m0=LZMA -ms=off", "Method = LZMA:|Solid = -")]:
    subprocess.run(["7z", "a", "-bd", *methods.split(), out / archive, "pack"], cwd=out / "staging",
                   check=True, stdout=subprocess.DEVNULL)
    listing = subprocess.run(["7z", "l", "-slt", out / archive], capture_output=True, text=True).stdout
    if not all(line in listing for line in wanted.split("|")):
        sys.exit(f"{archive}: p7zip did not write {wanted}")
damaged = bytearray((out / "lzma2-bcj-solid.7z").read_bytes())
damaged[72] ^= 0x55  # in the packed stream: the first file can't decode
(out / "damaged.7z").write_bytes(damaged)
for sample, name in [("rar_compress_normal", "rar4.rar"), ("rar5_multiple_files_solid", "rar5-solid.rar")]:
    lines = (samples / f"test_read_format_{sample}.rar.uu").read_text().splitlines()
    (out / name).write_bytes(b"".join(binascii.a2b_uu(line) for line in lines[1:] if line != "end"))
shutil.rmtree(out / "staging")
