#!/usr/bin/env python3
"""Checks of the theme generator, run by CTest: the same input gives the same bytes as
the build made, --scale scales every picture, and a description that
does not cover the ids header (or names an id the header lacks) is refused."""
import argparse
import filecmp
import json
import os
import subprocess
import sys
import tempfile
import unittest

ARGS = None


def run_generator(out, description=None, ids=None, scale=None):
    cmd = [sys.executable, ARGS.generator, "--description", description or ARGS.description,
           "--ids", ids or ARGS.ids, "--out", out]
    if scale is not None:
        cmd += ["--scale", str(scale)]
    return subprocess.run(cmd, capture_output=True, text=True, env=dict(os.environ, PYTHONDONTWRITEBYTECODE="1"))


def files_of(folder):
    found = []
    for root, _, names in os.walk(folder):
        found += [os.path.relpath(os.path.join(root, n), folder) for n in names]
    return sorted(found)


def picture_sizes(folder):
    sizes = {}
    with open(os.path.join(folder, "theme_manifest.txt")) as f:
        for line in f:
            words = line.split()
            if words and words[0] == "PICTURE":
                sizes[words[1]] = (int(words[4]), int(words[5]))
    return sizes


class GeneratorTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.addCleanup(self.tmp.cleanup)

    def folder(self, name):
        return os.path.join(self.tmp.name, name)

    def test_same_input_gives_the_same_bytes_as_the_build(self):
        result = run_generator(self.folder("again"))
        self.assertEqual(result.returncode, 0, result.stderr)
        again = files_of(self.folder("again"))
        self.assertGreater(len(again), 100)
        self.assertEqual(again, files_of(ARGS.built))
        _, mismatch, errors = filecmp.cmpfiles(self.folder("again"), ARGS.built, again, shallow=False)
        self.assertEqual(mismatch + errors, [])

    def test_scale_multiplies_every_picture(self):
        result = run_generator(self.folder("half"), scale=0.5)
        self.assertEqual(result.returncode, 0, result.stderr)
        one, half = picture_sizes(ARGS.built), picture_sizes(self.folder("half"))
        self.assertEqual(one.keys(), half.keys())
        for name, (w, h) in one.items():
            self.assertEqual(half[name], (max(1, round(w * 0.5)), max(1, round(h * 0.5))), name)

    def test_uncovered_or_unknown_ids_are_refused(self):
        with open(ARGS.description) as f:
            description = json.load(f)
        with open(ARGS.ids) as f:
            header = f.read()
        unknown = json.loads(json.dumps(description))
        unknown["pictures"].append({"kind": "icon", "glyph": "check", "name": "IDB_NOT_IN_HEADER", "size": [8, 8]})
        undescribed_header = header.replace("#endif", "#define IDB_NOT_DESCRIBED 9999\n#endif")
        cases = {"unknown": (unknown, header), "undescribed": (description, undescribed_header)}
        for name, (desc, ids_text) in cases.items():
            desc_path, ids_path = self.folder(name + ".json"), self.folder(name + ".h")
            with open(desc_path, "w") as f:
                json.dump(desc, f)
            with open(ids_path, "w") as f:
                f.write(ids_text)
            out = self.folder(name)
            result = run_generator(out, desc_path, ids_path)
            self.assertEqual(result.returncode, 1, name)
            self.assertIn("NOT_", result.stderr, name)
            self.assertFalse(os.path.exists(os.path.join(out, "theme_manifest.txt")), name)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    for option in ("--generator", "--description", "--ids", "--built"):
        parser.add_argument(option, required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
