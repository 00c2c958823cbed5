#!/usr/bin/env python3
"""Theme generator: draws every picture of a theme description and writes the
resource-script fragment and the manifest that go with them.

Python 3 with the standard library only (zlib and struct write the PNG, BMP and ICO
files). The same description and ids always give the same bytes.

    gen_theme.py --description dark.theme.json --ids theme_ids.h --out <folder> [--scale 1.0]

Writes into <folder>:
    pictures/<NAME>.png|bmp|ico|avi  one file per picture, named by its id macro;
    theme_pictures.rc            the pictures, colours (STRINGTABLE) and fonts, for an
                                 .rc script that includes theme_ids.h first;
    theme_manifest.txt           one line per resource (kind, name, id, type, size,
                                 alpha, file) and the pixel probes of the description,
                                 read by the theme module's tests.
Every IDB_/IDI_/IDR_, IDS_COLOR_ and IDF_ id of the header must be described, and every
described name must be in the header; otherwise nothing is written and the exit
status is 1.

Limits: pictures are built from a handful of anti-aliased shapes (no text, no files
read in), so symbols stay simple; the contact-field and media icons are told apart by
shape and tint only, since the library names them by index, not by meaning; --scale
scales sizes and geometry uniformly, with no hinting for small sizes.
"""
import argparse
import json
import os
import re
import sys

sys.dont_write_bytecode = True  # keep the source tree clean when the build runs us

import avi  # noqa: E402
import pictures  # noqa: E402
import writers  # noqa: E402


class ThemeError(Exception):
    pass


class Theme:
    def __init__(self, description):
        self.description = description
        self.palette = description["palette"]

    def color(self, name):
        """RGBA tuple of a palette name or "#rrggbb" text."""
        text = self.palette.get(name, name)
        if not re.fullmatch(r"#[0-9a-fA-F]{6}", text or ""):
            raise ThemeError("unknown colour '%s'" % name)
        return (int(text[1:3], 16), int(text[3:5], 16), int(text[5:7], 16), 255)

    def look(self, section, state):
        try:
            return self.description[section][state]
        except KeyError:
            raise ThemeError("no state '%s' in '%s'" % (state, section))


def read_ids(path):
    ids = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"\s*#define\s+(ID[A-Z0-9_]+)\s+(\d+)\b", line)
            if m:
                ids[m.group(1)] = int(m.group(2))
    return ids


def expand(description):
    """(name, group, state, index) for every picture of the description."""
    for group in description["pictures"]:
        names = group.get("names") or [group["name"]]
        states = group.get("states") or [None] * len(names)
        if len(states) != len(names):
            raise ThemeError("states and names differ in length near %s" % names[0])
        for index, (name, state) in enumerate(zip(names, states)):
            yield name, group, state, index


def check_coverage(ids, described):
    """Every described name has an id, every picture/colour/font id is described."""
    missing = sorted(n for n in described if n not in ids)
    if missing:
        raise ThemeError("not in the ids header: " + ", ".join(missing))
    wanted = [n for n in ids if n.startswith(("IDB_", "IDI_", "IDR_", "IDS_COLOR_", "IDF_"))]
    undescribed = sorted(n for n in wanted if n not in described)
    if undescribed:
        raise ThemeError("ids without a description: " + ", ".join(undescribed))


def has_transparency(canvas):
    return any(a < 255 for _, _, _, a in canvas.pixels)


def render(theme, description, ids, scale):
    """Files to write and manifest lines, as (files: {relpath: bytes}, rc lines, manifest lines)."""
    files, rc, manifest = {}, [], []
    for name, group, state, index in expand(description):
        if group["kind"] == "window_icon":
            images = pictures.window_icon_sizes(theme, group, scale)
            rel = "pictures/%s.ico" % name
            files[rel] = writers.ico([(c.width, c.height, c.rgba_bytes()) for c in images])
            rc.append('%s ICON "%s"' % (name, rel))
            sizes = " ".join("%dx%d" % (c.width, c.height) for c in images)
            manifest.append("ICON %s %d %s %s" % (name, ids[name], sizes, rel))
            continue
        if group["kind"] == "animation":
            frames = pictures.animation_frames(theme, group, state, scale)
            rel = "pictures/%s.avi" % name
            w, h = frames[0].width, frames[0].height
            files[rel] = avi.avi(w, h, [c.flattened((0, 0, 0)) for c in frames], group["fps"])
            rc.append('%s AVI "%s"' % (name, rel))
            manifest.append("ANIMATION %s %d %d %d %d %s" % (name, ids[name], w, h, len(frames), rel))
            continue
        painter = pictures.PAINTERS.get(group["kind"])
        if painter is None:
            raise ThemeError("unknown picture kind '%s'" % group["kind"])
        canvas = painter(theme, group, state, index, scale)
        if group.get("format", "png") == "bmp":
            rel, rtype, alpha = "pictures/%s.bmp" % name, "BITMAP", 0
            files[rel] = writers.bmp_rgb(canvas.width, canvas.height, canvas.flattened((0, 0, 0)))
        else:
            # Only pictures with transparent pixels carry alpha, so opaque ones load without
            # a mask and draw with a plain copy.
            rel, rtype, alpha = "pictures/%s.png" % name, "PNG", int(has_transparency(canvas))
            if alpha:
                files[rel] = writers.png_rgba(canvas.width, canvas.height, canvas.rgba_bytes())
            else:
                files[rel] = writers.png_rgb(canvas.width, canvas.height, canvas.flattened((0, 0, 0)))
        rc.append('%s %s "%s"' % (name, rtype, rel))
        manifest.append("PICTURE %s %d %s %d %d %d %s" % (name, ids[name], rtype, canvas.width,
                                                          canvas.height, alpha, rel))
    return files, rc, manifest


def colour_lines(description, ids):
    rc = ["STRINGTABLE", "BEGIN"]
    manifest = []
    for name, colour in description["colors"].items():
        r, g, b = colour["rgb"]
        rc.append('  %s "%d,%d,%d"' % (name, r, g, b))
        manifest.append("COLOR %s %d %d %d %d" % (name, ids[name], r, g, b))
    rc.append("END")
    return rc, manifest


def font_lines(description, ids):
    rc = ['%s TTF "%s"' % (name, f) for name, f in description["fonts"].items()]
    manifest = ["FONT %s %d %s" % (name, ids[name], f) for name, f in description["fonts"].items()]
    return rc, manifest


def probe_lines(theme, description, scale):
    """Expected pixels taken from the description itself, not from the drawing."""
    groups = {name: (group, state) for name, group, state, _ in expand(description)}
    lines = []
    for probe in description.get("probes", []):
        group, state = groups[probe["name"]]
        w, h = (max(1, round(v * scale)) for v in group["size"])
        x, y = (0, 0) if probe["at"] == "corner" else (w // 2, h // 2)
        expect = probe["expect"]
        if expect == "transparent":
            rgba = (0, 0, 0, 0)
        elif expect == "gradient_middle":
            look = theme.look("button_states", state)
            top, bottom = theme.color(look["top"]), theme.color(look["bottom"])
            rgba = tuple((t + b) // 2 for t, b in zip(top, bottom))
        elif expect == "mark":
            rgba = theme.color(theme.look("mark_states", state.partition("_")[2])["mark"])
        else:
            raise ThemeError("unknown probe expectation '%s'" % expect)
        lines.append("PROBE %s %d %d %d %d %d %d" % ((probe["name"], x, y) + rgba))
    return lines


def write(out, files, rc, manifest):
    os.makedirs(os.path.join(out, "pictures"), exist_ok=True)
    for rel, data in files.items():
        with open(os.path.join(out, rel), "wb") as f:
            f.write(data)
    header = ["// Generated by tools/theme/gen_theme.py from the theme description; do not edit."]
    with open(os.path.join(out, "theme_pictures.rc"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(header + rc) + "\n")
    with open(os.path.join(out, "theme_manifest.txt"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(manifest) + "\n")


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--description", required=True)
    parser.add_argument("--ids", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--scale", type=float, default=1.0)
    args = parser.parse_args(argv)
    try:
        with open(args.description, encoding="utf-8") as f:
            description = json.load(f)
        ids = read_ids(args.ids)
        theme = Theme(description)
        described = [n for n, _, _, _ in expand(description)]
        described += list(description["colors"]) + list(description["fonts"])
        if len(set(described)) != len(described):
            raise ThemeError("a name is described twice")
        check_coverage(ids, described)
        files, rc, manifest = render(theme, description, ids, args.scale)
        colour_rc, colour_manifest = colour_lines(description, ids)
        font_rc, font_manifest = font_lines(description, ids)
        manifest += colour_manifest + font_manifest + probe_lines(theme, description, args.scale)
        write(args.out, files, rc + font_rc + colour_rc, manifest)
    except (ThemeError, KeyError, ValueError, OSError) as error:
        print("gen_theme: %s" % error, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
