#!/usr/bin/env bash
# Takes a screenshot of each campaign level at its start under a private X server and
# puts them on one contact sheet, six to a row in level order, each marked with its
# number: doc/campaign.png. A level that has no file yet leaves its place dark.
#   tools/contact-sheet.sh [output.png]
# Needs the release build (tools/build.sh release) and what tools/setup.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-doc/campaign.png}"
game=build/release/kelvane
levels=18
if [[ ! -x "$game" ]]; then
  echo "contact-sheet: $game is missing; build it first with tools/build.sh release" >&2
  exit 1
fi

shots="$(mktemp -d)"
trap 'rm -rf "$shots"' EXIT
for ((n = 1; n <= levels; n++)); do
  [[ -f "resource/Levels/Level$n.xml" ]] || continue
  # A few steps in, so that the level has drawn itself once.
  if ! xvfb-run -a -s "-screen 0 1920x1080x24" "$game" --windowed --level "$n" --frames 5 \
         --screenshot "$shots/start$n.png" >"$shots/run$n.log" 2>&1; then
    echo "contact-sheet: level $n did not run; its log follows" >&2
    cat "$shots/run$n.log" >&2
    exit 1
  fi
done

python3 - "$shots" "$out" "$levels" <<'PY'
# Reads the 8-bit RGB or RGBA screenshots, shrinks each to a quarter of its size and
# lays them out on one sheet; only the standard library (zlib) reads and writes PNG.
import os
import struct
import sys
import zlib

shots, out, levels = sys.argv[1], sys.argv[2], int(sys.argv[3])
SHRINK = 4
COLUMNS = 6
GAP = 8
BACK = (12, 10, 24)
EMPTY = (40, 40, 52)
LABEL = (255, 255, 255)


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + " is not a PNG")
    at, idat, header = 8, b"", None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        at += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError(path + ": only 8-bit RGB or RGBA without interlacing is read")
    step = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * step
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = line[i - step] if i >= step else 0
            up = previous[i]
            corner = previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                guess = left if pa <= pb and pa <= pc else (up if pb <= pc else corner)
                line[i] = (line[i] + guess) & 255
        rows.append(line)
        previous = line
    return width, height, step, rows


def shrink(width, height, step, rows):
    # The mean of each SHRINK x SHRINK block.
    w, h = width // SHRINK, height // SHRINK
    small = []
    for y in range(h):
        band = rows[y * SHRINK:(y + 1) * SHRINK]
        line = bytearray(w * 3)
        for x in range(w):
            for c in range(3):
                total = 0
                for row in band:
                    base = x * SHRINK * step + c
                    total += sum(row[base + k * step] for k in range(SHRINK))
                line[x * 3 + c] = total // (SHRINK * SHRINK)
        small.append(line)
    return w, h, small


# Digits of a 3 x 5 font, drawn large enough to read on the sheet.
DIGITS = ["111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
          "111100111001111", "111100111101111", "111001001001001", "111101111101111", "111101111001111"]


def label(sheet, right, top, number, scale=4):
    # On a dark plate at the tile's top right, clear of the health bar on the left.
    text = str(number)
    plate_w, plate_h = (len(text) * 4 + 1) * scale, 7 * scale
    left = right - plate_w
    for y in range(top, top + plate_h):
        sheet[y][left * 3:(left + plate_w) * 3] = bytes(BACK) * plate_w
    left, top = left + scale, top + scale
    for n, digit in enumerate(text):
        for i, bit in enumerate(DIGITS[int(digit)]):
            if bit != "1":
                continue
            gx, gy = left + (n * 4 + i % 3) * scale, top + (i // 3) * scale
            for y in range(gy, gy + scale):
                for x in range(gx, gx + scale):
                    sheet[y][x * 3:x * 3 + 3] = bytes(LABEL)


tile_w, tile_h = 1280 // SHRINK, 720 // SHRINK
rows_of_tiles = (levels + COLUMNS - 1) // COLUMNS
width = COLUMNS * tile_w + (COLUMNS + 1) * GAP
height = rows_of_tiles * tile_h + (rows_of_tiles + 1) * GAP
sheet = [bytearray(bytes(BACK) * width) for _ in range(height)]
for n in range(1, levels + 1):
    left = GAP + ((n - 1) % COLUMNS) * (tile_w + GAP)
    top = GAP + ((n - 1) // COLUMNS) * (tile_h + GAP)
    path = os.path.join(shots, "start%d.png" % n)
    if os.path.exists(path):
        w, h, tile = shrink(*read_png(path))
        for y in range(min(h, tile_h)):
            sheet[top + y][left * 3:(left + min(w, tile_w)) * 3] = tile[y][:min(w, tile_w) * 3]
    else:
        for y in range(tile_h):
            sheet[top + y][left * 3:(left + tile_w) * 3] = bytes(EMPTY) * tile_w
    label(sheet, left + tile_w, top, n)


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


raw = b"".join(b"\x00" + bytes(line) for line in sheet)
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
os.makedirs(os.path.dirname(out) or ".", exist_ok=True)
with open(out, "wb") as sheet_file:
    sheet_file.write(png)
print("contact-sheet: wrote", out)
PY
