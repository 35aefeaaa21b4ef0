#!/usr/bin/env python3
"""Writes a map file as the game's map editor saves one, for the demo and the tests.

  map_writer.py OUT --name TEXT [--name-form utf8|ansi|hex] [--players N]
                [--preview RGBFILE WIDTH HEIGHT | --hidden-preview] [--filler KB]

The preview is raw R, G, B bytes (e.g. ImageMagick's rgb: output) packed as the game
reads it: 8192-byte chunks, each LZO1X-compressed on its own behind a 2-byte compressed
and a 2-byte uncompressed size, the whole base64-encoded into [PreviewPack] lines.
"--name-form ansi" writes the name in code page 936, as a Chinese system saves it;
"hex" as the game itself writes names: UTF-16 code units in hexadecimal.
"""
import argparse
import base64
import struct


def lzo1x_compress(data):
    """An LZO1X block of `data`: literal runs and matches found through a table of the
    last place each 4-byte sequence was seen (at most 16 KB back)."""
    out = bytearray()
    last_seen = {}
    s_bits_at = None  # where the last match keeps the count of literals after it
    n = len(data)

    def put_length(instruction, length, bits):
        # Length in the instruction's own bits, or zero bytes of 255 each after it.
        if length <= (1 << bits) - 1:
            out.append(instruction | length)
            return
        out.append(instruction)
        rest = length - ((1 << bits) - 1)
        while rest > 255:
            out.append(0)
            rest -= 255
        out.append(rest)

    def put_literals(start, end):
        count = end - start
        if count == 0:
            return
        if not out and count <= 238:
            out.append(17 + count)
        elif out and count <= 3 and s_bits_at is not None:
            out[s_bits_at] |= count
        else:
            put_length(0, count - 3, 4)
        out.extend(data[start:end])

    literal_start = 0
    i = 0
    while i + 4 <= n:
        key = data[i:i + 4]
        candidate = last_seen.get(key)
        last_seen[key] = i
        if candidate is None or i - candidate > 16384:
            i += 1
            continue
        length = 4
        while i + length < n and data[candidate + length] == data[i + length]:
            length += 1
        put_literals(literal_start, i)
        put_length(32, length - 2, 5)
        word = (i - candidate - 1) << 2
        out.extend((word & 0xFF, word >> 8))
        s_bits_at = len(out) - 2
        for k in range(i + 1, min(i + length, n - 3)):
            last_seen[data[k:k + 4]] = k
        i += length
        literal_start = i
    put_literals(literal_start, n)
    out.extend(b"\x11\x00\x00")
    return bytes(out)


def pack_preview(rgb):
    packed = bytearray()
    for start in range(0, len(rgb), 8192):
        chunk = rgb[start:start + 8192]
        block = lzo1x_compress(chunk)
        packed += struct.pack("<HH", len(block), len(chunk)) + block
    return base64.b64encode(bytes(packed)).decode("ascii")


def numbered_lines(text, width=70):
    return [f"{k + 1}={text[i:i + width]}" for k, i in enumerate(range(0, len(text), width))]


def name_bytes(name, form):
    if form == "utf8":
        return name.encode("utf-8")
    if form == "ansi":
        return name.encode("gbk")
    units = name.encode("utf-16-le")
    return "".join(f"{units[i] | units[i + 1] << 8:04x}," for i in range(0, len(units), 2)).encode("ascii")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--name", required=True)
    parser.add_argument("--name-form", choices=("utf8", "ansi", "hex"), default="utf8")
    parser.add_argument("--players", type=int, default=4)
    parser.add_argument("--preview", nargs=3, metavar=("RGBFILE", "WIDTH", "HEIGHT"))
    parser.add_argument("--hidden-preview", action="store_true")
    parser.add_argument("--filler", type=int, default=8, metavar="KB")
    args = parser.parse_args()

    lines = [b"; map saved for the Tarnwick demo", b""]
    if args.preview:
        path, width, height = args.preview[0], int(args.preview[1]), int(args.preview[2])
        rgb = open(path, "rb").read()
        if len(rgb) != width * height * 3:
            raise SystemExit(f"map_writer: {path} holds {len(rgb)} bytes, not {width}x{height}x3")
        lines += [b"[Preview]", f"Size=0,0,{width},{height}".encode(), b"", b"[PreviewPack]"]
        lines += [line.encode() for line in numbered_lines(pack_preview(rgb))]
    elif args.hidden_preview:
        # What editors write to keep a map's preview to themselves: two lines that
        # decode to nothing.
        lines += [b"[Preview]", b"Size=0,0,106,61", b"", b"[PreviewPack]",
                  b"2=BIACAQAAAAAAAAAAAAA", b"1=yAsAIAXQ5H6u4AAAAA"]
    lines += [b"", b"[Header]", f"NumberStartingPoints={args.players}".encode(), b"",
              b"[Basic]", b"Name=" + name_bytes(args.name, args.name_form), b"Author=Tarnwick demo",
              f"MaxPlayer={args.players}".encode(), b"", b"[Map]", b"Size=0,0,100,100", b"Theater=TEMPERATE", b"",
              b"[IsoMapPack5]"]
    # Stands for the map's cells: a map is mostly such packed lines.
    filler = base64.b64encode(bytes((k * 37 + k // 7) & 0xFF for k in range(args.filler * 768))).decode()
    lines += [line.encode() for line in numbered_lines(filler)]
    open(args.out, "wb").write(b"\r\n".join(lines) + b"\r\n")


if __name__ == "__main__":
    main()
