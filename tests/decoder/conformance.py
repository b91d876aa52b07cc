#!/usr/bin/env python3
"""The decoder against real files: every BGL file of the corpus (real files beside the XML
source they were compiled from) is decoded by morvane, and what comes out is compared with its
source:
  elements   per tag, the root left out: min(source, decoded) summed over the tags;
  positions  every source element with lat and lon matched, by tag, to a decoded one within
             2e-6 degrees (each decoded element matched once);
  attributes the other attributes of each element so matched: numbers equal to 1e-3 relative
             once the unit suffixes F (feet), N (nautical miles) and M are turned into metres,
             texts exactly; the editor's grouping attributes aside, since they never reach the
             compiled file.
The expected figures per file are a committed table that only ratchets upward: a figure below
it fails the run, a figure above it is reported so it can be committed with the change.

  conformance.py MORVANE CORPUS EXPECTED [--update] [--only NAME] [--verbose]
Exit 0 when no figure dropped (also when CORPUS is missing: it says so), 1 otherwise."""
import bisect
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

TOLERANCE = 2e-6
EDITOR_ATTRIBUTES = {"groupIndex", "parentGroupID", "groupID", "groupGenerated"}
UNITS = {"F": 0.3048, "N": 1852.0, "M": 1.0}


def pairs(corpus):
    """(name, bgl, xml) for every BGL file beside an XML file of the same stem, or the only one."""
    found = []
    for folder in sorted(os.listdir(corpus)):
        path = os.path.join(corpus, folder)
        if not os.path.isdir(path):
            continue
        files = sorted(os.listdir(path))
        bgls = [f for f in files if f.lower().endswith(".bgl")]
        xmls = [f for f in files if f.lower().endswith(".xml")]
        for bgl in bgls:
            stem = bgl[:-4]
            xml = stem + ".xml" if stem + ".xml" in xmls else (xmls[0] if len(bgls) == 1 and len(xmls) == 1 else None)
            if xml:
                found.append((folder + "/" + stem, os.path.join(path, bgl), os.path.join(path, xml)))
    return found


def number(text):
    """The value of a number text in metres where it carries a unit suffix, or None."""
    text = text.strip()
    scale = 1.0
    if text and text[-1] in UNITS:
        scale = UNITS[text[-1]]
        text = text[:-1]
    try:
        return float(text) * scale
    except ValueError:
        return None


def degrees(text):
    try:
        return float(text)
    except (TypeError, ValueError):
        return None


def same(source, decoded):
    if decoded is None:
        return False
    if source == decoded:
        return True
    a, b = number(source), number(decoded)
    if a is None or b is None:
        return False
    return abs(a - b) <= 1e-3 * max(abs(a), abs(b)) or (abs(a) < 1e-6 and abs(b) < 1e-6)


def elements(path):
    root = ET.parse(path).getroot()
    return [e for e in root.iter() if e is not root]


def compare(source_path, decoded_path, verbose):
    source, decoded = elements(source_path), elements(decoded_path)
    tags = {}
    for e in source:
        tags.setdefault(e.tag, [0, 0])[0] += 1
    for e in decoded:
        tags.setdefault(e.tag, [0, 0])[1] += 1
    given = sum(min(s, d) for s, d in tags.values())
    # Decoded positions per tag, sorted by latitude, each usable once.
    index = {}
    for e in decoded:
        lat, lon = degrees(e.get("lat")), degrees(e.get("lon"))
        if lat is not None and lon is not None:
            index.setdefault(e.tag, []).append((lat, lon, e))
    for tag in index:
        index[tag].sort(key=lambda t: t[0])
    used = set()
    positions = matched = equal = compared = 0
    misses = {}
    for e in source:
        lat, lon = degrees(e.get("lat")), degrees(e.get("lon"))
        if lat is None or lon is None:
            continue
        positions += 1
        candidates = index.get(e.tag, [])
        keys = [c[0] for c in candidates]
        match = None
        for i in range(bisect.bisect_left(keys, lat - TOLERANCE), bisect.bisect_right(keys, lat + TOLERANCE)):
            c = candidates[i]
            if id(c[2]) not in used and abs(c[1] - lon) <= TOLERANCE:
                match = c[2]
                break
        if match is None:
            misses[e.tag] = misses.get(e.tag, 0) + 1
            continue
        used.add(id(match))
        matched += 1
        for name, value in e.attrib.items():
            if name in ("lat", "lon") or name in EDITOR_ATTRIBUTES:
                continue
            compared += 1
            if same(value, match.get(name)):
                equal += 1
            elif verbose:
                print("    %s %s: source %r, decoded %r" % (e.tag, name, value, match.get(name)))
    if verbose:
        for tag, (s, d) in sorted(tags.items()):
            if s != d:
                print("    %s: %d in the source, %d decoded" % (tag, s, d))
        for tag, count in sorted(misses.items()):
            print("    %s: %d positions not matched" % (tag, count))
    return [given, len(source), matched, positions, equal, compared]


def read_expected(path):
    expected = {}
    if os.path.exists(path):
        for line in open(path):
            line = line.strip()
            if line and not line.startswith("#"):
                name, *figures = line.split()
                expected[name] = [int(f) for f in figures]
    return expected


def write_expected(path, figures):
    with open(path, "w") as out:
        out.write("# Conformance figures per corpus file, as tests/decoder/conformance.py prints them:\n"
                  "# elements given back, elements in the source, positions matched, positions,\n"
                  "# attributes equal, attributes compared. They only rise: a drop fails the suite.\n")
        for name in sorted(figures):
            out.write("%s %s\n" % (name, " ".join(str(f) for f in figures[name])))


def main(argv):
    if len(argv) < 4:
        print(__doc__)
        return 2
    morvane, corpus, expected_path = argv[1:4]
    update, verbose = "--update" in argv, "--verbose" in argv
    only = argv[argv.index("--only") + 1] if "--only" in argv else None
    if not os.path.isdir(corpus):
        print("conformance: no corpus at %s: the real files were not compared" % corpus)
        return 0
    expected = read_expected(expected_path)
    figures, failed = {}, 0
    with tempfile.TemporaryDirectory() as work:
        for name, bgl, xml in pairs(corpus):
            if only and only not in name:
                continue
            out = os.path.join(work, "decoded.xml")
            run = subprocess.run([morvane, "-t", bgl, out], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                 stdin=subprocess.DEVNULL)
            if run.returncode != 0:
                print("conformance: FAIL %s: morvane exit code %d: %s" % (name, run.returncode,
                                                                          run.stderr.decode(errors="replace").strip()))
                failed += 1
                continue
            got = compare(xml, out, verbose)
            figures[name] = got
            print("conformance: %-28s elements %5d/%-5d positions %5d/%-5d attributes %5d/%-5d"
                  % (name, got[0], got[1], got[2], got[3], got[4], got[5]))
            want = expected.get(name)
            if want and (got[0] < want[0] or got[2] < want[2] or got[4] < want[4]):
                print("conformance: FAIL %s dropped below %s" % (name, " ".join(map(str, want))))
                failed += 1
            elif want != got and not update:
                print("conformance: %s differs from the committed figures %s: commit the new ones "
                      "(conformance.py ... --update)" % (name, " ".join(map(str, want or []))))
    if update and not only:
        write_expected(expected_path, figures)
    elif update:
        expected.update(figures)
        write_expected(expected_path, expected)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
