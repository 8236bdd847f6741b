#!/usr/bin/env bash
# Builds the hostile skin set from a working skin: each folder is the working skin with one
# thing made hostile (a picture's header or data, a number in skin.ini, a link loop).
#   make.sh BASE_SKIN_DIR OUT_SKINS_DIR
# Prints one line per skin made: NAME and what the program does with it ("refuse": it says why
# and does not wear it; "wear": it loads, its numbers brought into bounds, its pictures read as
# far as they go).
set -eu
BASE=$1
OUT=$2
mkdir -p "$OUT"

# Little-endian integers as raw bytes (two's complement for negative values).
le16() { local v=$(($1 & 0xFFFF)); printf "$(printf '\\x%02x\\x%02x' $((v & 255)) $((v >> 8)))"; }
le32() {
    local v=$(($1 & 0xFFFFFFFF))
    printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $(((v >> 8) & 255)) \
        $(((v >> 16) & 255)) $(((v >> 24) & 255)))"
}
# bmp_header WIDTH HEIGHT BITS COMPRESSION COLOURS DATASIZE: file and picture headers
# (40 bytes), the pixel data right after the palette of COLOURS entries.
bmp_header() {
    local offset=$((54 + 4 * $5))
    printf 'BM'; le32 $((offset + $6)); le32 0; le32 $offset
    le32 40; le32 "$1"; le32 "$2"; le16 1; le16 "$3"; le32 "$4"; le32 "$6"
    le32 2835; le32 2835; le32 "$5"; le32 0
}
# grey_palette N: N entries, all one dark grey (never the transparent key colour).
grey_palette() { local i; for ((i = 0; i < $1; i++)); do printf '\x40\x40\x40\x00'; done; }
# repeat BYTES COUNT: the escaped byte string COUNT times.
repeat() { local i; for ((i = 0; i < $2; i++)); do printf "$1"; done; }

# skin NAME: a fresh copy of the working skin; prints its folder.
skin() {
    rm -rf "${OUT:?}/$1"
    cp -r "$BASE" "$OUT/$1"
    echo "$OUT/$1"
}
# set_key FILE SECTION KEY VALUE: replaces the key's value in the section.
set_key() {
    awk -v s="[$2]" -v k="$3" -v v="$4" '
        { line = $0; cr = sub(/\r$/, "", line) ? "\r" : "" }
        line ~ /^\[/ { cur = line }
        cur == s && index(line, k "=") == 1 { print k "=" v cr; next }
        { print }' "$1" >"$1.new" && mv "$1.new" "$1"
}
made() { echo "$1 $2"; }

# --- pictures -------------------------------------------------------------------------------
d=$(skin huge-header)   # 30000 x 30000 at 32 bits announced, no pixels follow
bmp_header 30000 30000 32 0 0 $((30000 * 30000 * 4)) >"$d/backgrd.bmp"
made huge-header refuse

d=$(skin huge-rle)      # 5000 x 5000 in RLE8: a few bytes that say "a huge, empty picture"
{ bmp_header 5000 5000 8 1 2 2; grey_palette 2; printf '\x00\x01'; } >"$d/backgrd.bmp"
made huge-rle refuse

d=$(skin truncated-header)   # the file ends inside the picture header
bmp_header 176 120 24 0 0 $((176 * 3 * 120)) | head -c 30 >"$d/backgrd.bmp"
made truncated-header refuse

d=$(skin truncated-data)     # a whole header, then a tenth of the pixels
{ bmp_header 176 120 24 0 0 $((176 * 3 * 120)); head -c $((176 * 3 * 12)) /dev/zero; } >"$d/backgrd.bmp"
made truncated-data wear     # read as far as it goes, the rest black

d=$(skin zero-size)
{ bmp_header 0 0 24 0 0 0; } >"$d/backgrd.bmp"
made zero-size refuse

d=$(skin negative-width)
{ bmp_header -176 120 24 0 0 $((176 * 3 * 120)); head -c $((176 * 3 * 120)) /dev/zero; } >"$d/backgrd.bmp"
made negative-width refuse

d=$(skin most-negative-height)   # -2^31: its magnitude does not fit in 32 bits
{ bmp_header 176 -2147483648 24 0 0 0; head -c 4096 /dev/zero; } >"$d/backgrd.bmp"
made most-negative-height refuse

d=$(skin negative-height-rle)    # RLE pictures cannot be stored top-down
{ bmp_header 16 -16 8 1 2 2; grey_palette 2; printf '\x00\x01'; } >"$d/backgrd.bmp"
made negative-height-rle refuse

d=$(skin rle-past-end)   # 16 x 16 RLE8: runs longer than a row, a jump far below the
{                        # picture, an absolute run longer than the file
    bmp_header 16 16 8 1 2 64; grey_palette 2
    repeat '\xff\x01' 20; printf '\x00\x02\xff\xff'; printf '\x00\xff\x01\x01'
} >"$d/backgrd.bmp"
made rle-past-end refuse

d=$(skin rle4-past-end)  # the same in RLE4, on a button strip
{
    bmp_header 16 16 4 2 2 64; grey_palette 2
    repeat '\xff\x11' 20; printf '\x00\x02\xff\xff'; printf '\x00\xff\x11\x11'
} >"$d/close.bmp"
made rle4-past-end wear      # the runs are cut at the picture's edge

d=$(skin palette-overflow)   # 8 bits with 2^32-1 palette entries announced
{ bmp_header 16 16 8 0 0 256; repeat '\x00' 256; } >"$d/backgrd.bmp"
printf "$(printf '\\xff\\xff\\xff\\xff')" | dd of="$d/backgrd.bmp" bs=1 seek=46 conv=notrunc status=none
made palette-overflow refuse

d=$(skin offset-past-end)    # the pixels are said to start 2 GiB into a small file
{ bmp_header 16 16 24 0 0 768; head -c 768 /dev/zero; } >"$d/backgrd.bmp"
printf "$(printf '\\xff\\xff\\xff\\x7f')" | dd of="$d/backgrd.bmp" bs=1 seek=10 conv=notrunc status=none
made offset-past-end refuse

d=$(skin checkerboard)       # near the largest a skin may be, every other pixel transparent:
{                            # the most complicated outline there can be
    bmp_header 1400 1400 8 0 2 $((1400 * 1400)); printf '\xff\x00\xff\x00\x40\x40\x40\x00'
    rows=$(printf '\\x00\\x01%.0s' $(seq 700))$(printf '\\x01\\x00%.0s' $(seq 700))
    for ((y = 0; y < 700; y++)); do printf "$rows"; done
} >"$d/backgrd.bmp"
made checkerboard wear

d=$(skin fifo-picture)       # the background is a named pipe nobody writes to
rm -f "$d/backgrd.bmp"
mkfifo "$d/backgrd.bmp"
made fifo-picture refuse

# --- numbers in skin.ini --------------------------------------------------------------------
d=$(skin extreme-places)     # every place and size far outside any window; still usable
for s in Color1 Color2 Color3 Color4; do
    set_key "$d/skin.ini" $s Left 2147483647
    set_key "$d/skin.ini" $s Top -2147483648
    set_key "$d/skin.ini" $s Width 99999999999
    set_key "$d/skin.ini" $s Height -5
done
for s in SubRed AddRed SubGreen AddGreen SubBlue AddBlue SubRGB AddRGB Minimize; do
    set_key "$d/skin.ini" $s Left -2147483648
    set_key "$d/skin.ini" $s Top 99999999999
done
set_key "$d/skin.ini" FontColor RedFontTop 2147483647
set_key "$d/skin.ini" FontColor RgbBFontLeft -99999999999
set_key "$d/skin.ini" AutoFlex FlexWidth -5
set_key "$d/skin.ini" AutoFlex FlexHeight 99999999999
made extreme-places wear

d=$(skin unreachable-close)  # the close button far off the window: it could never be closed
set_key "$d/skin.ini" Close Left 2147483647
made unreachable-close refuse

d=$(skin huge-ini)           # 15 MB of comments before the keys
{ yes '; padding padding padding padding padding padding padding padding' | head -c 15000000
  cat "$BASE/skin.ini"; } >"$d/skin.ini"
made huge-ini refuse

# --- links ------------------------------------------------------------------------------------
d=$(skin ini-link-loop)      # skin.ini -> loop.ini -> skin.ini
rm -f "$d/skin.ini"
ln -s loop.ini "$d/skin.ini"
ln -s skin.ini "$d/loop.ini"
made ini-link-loop refuse

rm -rf "${OUT:?}/folder-link-loop"   # the skin folder itself is a link to itself
ln -s folder-link-loop "$OUT/folder-link-loop"
made folder-link-loop refuse
