#!/usr/bin/env python3
"""A second, independent reader of GIMP palette files, written from the format's description
(not from the program's reader): UTF-8 text; the first line "GIMP Palette"; then optional
"Name:" and "Columns:" lines, comments starting with '#', and one colour a line, three decimal
values 0..255 separated by whitespace, then the name. It prints the palette's name, then one
line a colour, "R G B<TAB>name", and exits 1 with the reason on standard error when the file is
not a palette it can read.

    gplread.py FILE
"""
import sys


def read(path):
    with open(path, "rb") as f:
        data = f.read()
    text = data.decode("utf-8")  # strict: a byte that is not UTF-8 is an error
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if not lines or lines[0].rstrip("\r") != "GIMP Palette":
        raise ValueError("line 1 is not 'GIMP Palette'")
    name = None
    colours = []
    for number, line in enumerate(lines[1:], start=2):
        line = line.rstrip("\r")
        if line.startswith("Name:"):
            name = line[len("Name:"):].strip()
            continue
        if line.startswith("Columns:"):
            columns = int(line[len("Columns:"):].strip())
            if not 0 <= columns <= 256:
                raise ValueError("line %d: columns %d out of range" % (number, columns))
            continue
        if line.strip() == "" or line.lstrip().startswith("#"):
            continue
        parts = line.split(None, 3)
        if len(parts) < 3:
            raise ValueError("line %d: not a colour: %r" % (number, line))
        rgb = [int(p) for p in parts[:3]]
        if any(not 0 <= v <= 255 for v in rgb):
            raise ValueError("line %d: value out of range" % number)
        colours.append((rgb, parts[3].strip() if len(parts) > 3 else ""))
    return name, colours


def main():
    try:
        name, colours = read(sys.argv[1])
    except (OSError, ValueError, UnicodeDecodeError) as e:
        print("gplread: %s: %s" % (sys.argv[1], e), file=sys.stderr)
        return 1
    print("Name: %s" % name)
    for rgb, colour_name in colours:
        print("%d %d %d\t%s" % (rgb[0], rgb[1], rgb[2], colour_name))
    return 0


if __name__ == "__main__":
    sys.exit(main())
