#!/usr/bin/python3
"""Check the sample Zirkano 2.0 instrument in samples/instrument/.

Reads the real files and reports every fault found; exits 1 if there is any,
0 otherwise.  It does not import the generator: the expectations below are
written out on their own, so a fault in the generator shows up here.

Unless --no-regen is given it also runs tools/make_sample_instrument.py into a
temporary folder and compares the result byte for byte with the sample, which
catches a stale sample (generator changed, sample not rerun) and output that
is not deterministic.

Usage:
  /usr/bin/python3 tools/check_sample_instrument.py [--root DIR] [--no-regen]
"""

import argparse
import filecmp
import math
import os
import re
import struct
import subprocess
import sys
import tempfile

LANG_FILES = ["Deutsch", "Englisch", "Franzoesisch", "Niederlaendisch",
              "Polnisch", "Spanisch", "Italienisch", "Rumaenisch"]
# Each language's name for itself; slot 47+i of language i must hold it.
AUTONYMS = ["Deutsch", "English", "Français", "Nederlands",
            "Polski", "Español", "Italiano", "Româna"]

# Slots the program reads, with the exact German and English texts.
EXPECT_DE_EN = {
    22: ("Einstellungen", "Settings"),
    28: ("Pilotendaten", "Pilot data"),
    32: ("Sinkton", "Sink tone"),
    33: ("Steigton", "Climb tone"),
    34: ("Zeitoffset", "Time offset"),
    35: ("Trackintervall", "Track interval"),
    36: ("Lautstärke", "Volume"),
    37: ("Kontrast", "Contrast"),
    38: ("Einheiten", "Units"),
    39: ("Koordinaten", "Coordinates"),
    40: ("Sprache", "Language"),
    41: ("Integrationszeit", "Integration time"),
    42: ("Metrisch", "Metric"),
    43: ("Imperial", "Imperial"),
    47: ("Deutsch", "German"),
    48: ("Englisch", "English"),
    49: ("Französisch", "French"),
    50: ("Niederländisch", "Dutch"),
    51: ("Polnisch", "Polish"),
    52: ("Spanisch", "Spanish"),
    53: ("Italienisch", "Italian"),
    54: ("Rumänisch", "Romanian"),
    57: ("Luftraumwarnung", "Airspace warning"),
}
USED_SLOTS = [22, 28] + list(range(32, 55)) + [57]
COORD_FORMAT_SLOTS = {44: "DD.dddd", 45: "DD MM.mmm", 46: "DD MM SS"}

SETUP_KEYS = [  # key, value pattern
    ("Sinkton", r"-\d+\.\d"),
    ("Steigton", r"-?\d+\.\d"),
    ("Timeoffset", r"-?\d+"),
    ("Trackinterval", r"\d+"),
    ("Lautstaerke", r"\d+"),
    ("Feld1", r"\d+"),
    ("Feld2", r"\d+"),
    ("Sprache", r"[0-7]"),
    ("Contrast", r"\d+"),
    ("POffset", r"-?\d+\.\d\d"),
    ("TOffset", r"-?\d+"),
    ("AirspaceWarnDistance", r"\d+"),
    ("Unit", r"[01]"),
    ("CoordinateFormat", r"[0-2]"),
    ("Integralzeit", r"\d+"),
]

IGC_NAME = re.compile(r"^(\d{4})-(\d\d)-(\d\d)-ZIR-\d{4}-(\d\d)\.(igc|IGC)$")
B_REC = re.compile(r"^B(\d\d)(\d\d)(\d\d)(\d\d)(\d{5})([NS])(\d{3})(\d{5})([EW])"
                   r"([AV])(\d{5}|-\d{4})(\d{5}|-\d{4})$")
REC = struct.Struct(">ffh31s7sB3x")


class Checker:
    def __init__(self, root):
        self.root = root
        self.faults = []
        self.notes = []

    def fault(self, msg):
        self.faults.append(msg)

    def path(self, rel):
        return os.path.join(self.root, *rel.split("/"))

    def read(self, rel):
        try:
            with open(self.path(rel), "rb") as f:
                return f.read()
        except OSError as e:
            self.fault("%s: cannot read (%s)" % (rel, e.strerror))
            return None

    def exact_name(self, rel):
        """True if rel exists with exactly this letter case."""
        parent, name = os.path.split(self.path(rel))
        try:
            return name in os.listdir(parent)
        except OSError:
            return False

    def crlf_lines(self, rel, data):
        """Split CR LF text; faults on bare CR/LF or a missing final CR LF."""
        if b"\n" in data.replace(b"\r\n", b"") or b"\r" in data.replace(b"\r\n", b""):
            self.fault("%s: line end other than CR LF" % rel)
        if not data.endswith(b"\r\n"):
            self.fault("%s: last line does not end with CR LF" % rel)
        return data.split(b"\r\n")[:-1] if data.endswith(b"\r\n") else data.split(b"\r\n")

    # ---------------------------------------------------------------- SETUP
    def check_setupdata(self):
        rel = "SETUP/setupdata.txt"
        if not self.exact_name(rel):
            self.fault("%s: missing (exact letter case)" % rel)
            return
        data = self.read(rel)
        if not data.endswith(b"*"):
            self.fault("%s: last byte is %r, not '*'" % (rel, data[-1:]))
            return
        body = data[:-1]
        lines = self.crlf_lines(rel, body)
        if len(lines) != len(SETUP_KEYS):
            self.fault("%s: %d lines, expected %d" % (rel, len(lines), len(SETUP_KEYS)))
        for i, (key, pat) in enumerate(SETUP_KEYS):
            if i >= len(lines):
                break
            line = lines[i].decode("ascii", "replace")
            m = re.fullmatch(r"([A-Za-z0-9]+):(.*);", line)
            if not m:
                self.fault("%s line %d: %r is not Key:value;" % (rel, i + 1, line))
            elif m.group(1) != key:
                self.fault("%s line %d: key %r, expected %r" % (rel, i + 1, m.group(1), key))
            elif not re.fullmatch(pat, m.group(2)):
                self.fault("%s line %d: %s value %r does not match %s"
                           % (rel, i + 1, key, m.group(2), pat))

    def check_languages(self):
        texts = {}
        for li, lang in enumerate(LANG_FILES):
            rel = "SETUP/%s.txt" % lang
            if not self.exact_name(rel):
                self.fault("%s: missing (exact letter case)" % rel)
                continue
            data = self.read(rel)
            if data.startswith(b"\xef\xbb\xbf"):
                self.fault("%s: UTF-8 BOM" % rel)
            raw = self.crlf_lines(rel, data)
            try:
                lines = [l.decode("cp1252") for l in raw]
            except UnicodeDecodeError as e:
                self.fault("%s: not Windows-1252 (%s)" % (rel, e))
                continue
            # non-ASCII text that is valid UTF-8 was written as UTF-8, not 1252
            try:
                data.decode("utf-8")
                if any(b > 127 for b in data):
                    self.fault("%s: UTF-8 text, not Windows-1252" % rel)
            except UnicodeDecodeError:
                pass
            if len(lines) < 60:
                self.fault("%s: %d lines, need at least 60" % (rel, len(lines)))
            for n, l in enumerate(lines):
                where = "%s slot %d (line %d)" % (rel, n, n + 1)
                if not l:
                    self.fault("%s: empty" % where)
                if l != l.strip():
                    self.fault("%s: leading/trailing blank in %r" % (where, l))
                if len(l) > 20:
                    self.fault("%s: %r is %d characters, max 20" % (where, l, len(l)))
                if any(ord(c) < 32 for c in l):
                    self.fault("%s: control character in %r" % (where, l))
                if re.search(r"\w\?\w", l):
                    self.fault("%s: %r looks like a failed encoding ('?')" % (where, l))
            texts[lang] = lines
            if len(lines) <= 57:
                continue
            for s in USED_SLOTS:
                if not lines[s]:
                    self.fault("%s: slot %d empty" % (rel, s))
            names = lines[47:55]
            if len(set(names)) != 8:
                self.fault("%s: slots 47..54 language names not distinct: %r" % (rel, names))
            if lines[47 + li] != AUTONYMS[li]:
                self.fault("%s: slot %d is %r, expected own name %r"
                           % (rel, 47 + li, lines[47 + li], AUTONYMS[li]))
            for s, fmt in COORD_FORMAT_SLOTS.items():
                if lines[s] != fmt:
                    self.notes.append("%s: slot %d localised as %r" % (rel, s, lines[s]))
            if len({lines[42], lines[43]}) != 2 or len(set(lines[44:47])) != 3:
                self.fault("%s: unit or coordinate format names not distinct" % rel)
        for col, lang in enumerate(("Deutsch", "Englisch")):
            lines = texts.get(lang)
            if not lines or len(lines) < 60:
                continue
            for s, pair in EXPECT_DE_EN.items():
                if lines[s] != pair[col]:
                    self.fault("SETUP/%s.txt slot %d: %r, expected %r"
                               % (lang, s, lines[s], pair[col]))
        langs = [l for l in LANG_FILES if l in texts]
        for i, a in enumerate(langs):
            for b in langs[i + 1:]:
                n = min(len(texts[a]), len(texts[b]))
                same = sum(1 for k in range(n) if texts[a][k] == texts[b][k])
                if same > n // 2:
                    self.fault("SETUP/%s.txt and %s.txt share %d of %d lines: not translated"
                               % (a, b, same, n))
        return texts

    def check_igcheader(self):
        rel = "SETUP/igcheader.txt"
        if not self.exact_name(rel):
            self.fault("%s: missing (exact letter case)" % rel)
            return None
        data = self.read(rel)
        if data.startswith(b"\xef\xbb\xbf"):
            self.fault("%s: BOM" % rel)
        if b"\r" in data:
            self.fault("%s: contains CR (must be LF only)" % rel)
        if not data.endswith(b"\n") or data.endswith(b"\n\n"):
            self.fault("%s: must end with exactly one LF" % rel)
        lines = data.rstrip(b"\n").split(b"\n")
        if len(lines) != 4:
            self.fault("%s: %d lines, expected 4" % (rel, len(lines)))
            return None
        lines = [l.decode("cp1252", "replace") for l in lines]
        pats = [(r"ID(.{4})", "ID + 4 characters"),
                (r"HOPLTPILOT: (\S.{0,21})", "HOPLTPILOT: + 1..22 characters"),
                (r"HOGTYGLIDERTYPE: (\S.{0,21})", "HOGTYGLIDERTYPE: + 1..22 characters"),
                (r"HOCCLCOMPETITION CLASS: (\S.*)", "HOCCLCOMPETITION CLASS: + text")]
        vals = []
        for i, (pat, what) in enumerate(pats):
            m = re.fullmatch(pat, lines[i])
            if not m:
                self.fault("%s line %d: %r is not %s" % (rel, i + 1, lines[i], what))
                vals.append(None)
            else:
                vals.append(m.group(1))
        return vals

    # -------------------------------------------------------------- FLIGHTS
    def check_flights(self, header):
        top = self.path("FLIGHTS")
        if not os.path.isdir(top):
            self.fault("FLIGHTS: missing")
            return []
        found = []
        for dirpath, dirnames, filenames in os.walk(top):
            dirnames.sort()
            rel_dir = os.path.relpath(dirpath, self.root).replace(os.sep, "/")
            for fn in sorted(filenames):
                found.append((rel_dir, fn))
        if not 5 <= len(found) <= 10:
            self.fault("FLIGHTS: %d flight files, expected 5..10" % len(found))
        if not any(fn.endswith(".IGC") for _, fn in found):
            self.fault("FLIGHTS: no file with upper-case .IGC ending")
        if not any(fn.endswith(".igc") for _, fn in found):
            self.fault("FLIGHTS: no file with lower-case .igc ending")
        launches = []
        for rel_dir, fn in found:
            rel = rel_dir + "/" + fn
            m = IGC_NAME.match(fn)
            if not m:
                self.fault("%s: name not YYYY-MM-DD-ZIR-NNNN-NN.igc" % rel)
                continue
            y, mo, d, num = m.group(1), m.group(2), m.group(3), m.group(4)
            if rel_dir != "FLIGHTS/%s/%s" % (y, mo):
                self.fault("%s: not in folder FLIGHTS/%s/%s" % (rel, y, mo))
            data = self.read(rel)
            if data is None:
                continue
            if len(data) >= 20000:
                self.fault("%s: %d bytes, keep below 20 KB" % (rel, len(data)))
            lines = [l.decode("ascii", "replace") for l in self.crlf_lines(rel, data)]
            launch = self.check_igc(rel, lines, (d, mo, y[2:], num), header)
            if launch:
                launches.append((rel, launch))
        return launches

    def check_igc(self, rel, lines, date, header):
        if not lines or not re.fullmatch(r"A[A-Z0-9]{3}\S*( .*)?", lines[0]):
            self.fault("%s: first line is not an A record" % rel)
        h = {}
        for l in lines:
            if l.startswith("H"):
                h[l[2:5]] = l
        dte = h.get("DTE", "")
        m = re.fullmatch(r"H[FO]DTE(?:DATE:)?(\d\d)(\d\d)(\d\d)(?:,(\d\d))?", dte)
        if not m:
            self.fault("%s: no valid HFDTE record" % rel)
        elif m.groups()[:3] != date[:3] or (m.group(4) and m.group(4) != date[3]):
            self.fault("%s: HFDTE %r does not match the file name" % (rel, dte))
        for key, want in (("PLT", None), ("GTY", None), ("DTM", "WGS-1984"), ("FTY", None)):
            line = h.get(key)
            if not line:
                self.fault("%s: no H?%s record" % (rel, key))
            elif want and not line.endswith(want):
                self.fault("%s: %r should end with %s" % (rel, line, want))
        if header and header[1] and h.get("PLT") and not h["PLT"].endswith(":" + header[1]):
            self.fault("%s: pilot %r differs from igcheader %r" % (rel, h["PLT"], header[1]))
        if header and header[2] and h.get("GTY") and not h["GTY"].endswith(":" + header[2]):
            self.fault("%s: glider %r differs from igcheader %r" % (rel, h["GTY"], header[2]))
        first_b = next((i for i, l in enumerate(lines) if l.startswith("B")), None)
        if first_b is not None and any(l.startswith("H") for l in lines[first_b:]):
            self.fault("%s: H record after B records" % rel)
        fixes = []
        for l in lines:
            if not l.startswith("B"):
                continue
            m = B_REC.match(l)
            if not m:
                self.fault("%s: bad B record %r" % (rel, l))
                continue
            g = m.groups()
            hh, mi, ss = int(g[0]), int(g[1]), int(g[2])
            if hh > 23 or mi > 59 or ss > 59 or int(g[4]) >= 60000 or int(g[7]) >= 60000:
                self.fault("%s: out of range field in %r" % (rel, l))
                continue
            lat = (int(g[3]) + int(g[4]) / 60000.0) * (1 if g[5] == "N" else -1)
            lon = (int(g[6]) + int(g[7]) / 60000.0) * (1 if g[8] == "E" else -1)
            fixes.append((hh * 3600 + mi * 60 + ss, lat, lon, int(g[10]), int(g[11])))
        if not fixes:
            return None     # switched on and off before a GPS fix: a header alone
        if len(fixes) < 150:
            self.fault("%s: only %d B records, expected a few hundred" % (rel, len(fixes)))
            return None
        for a, b in zip(fixes, fixes[1:]):
            dt = (b[0] - a[0]) % 86400     # over midnight UTC
            if not 0 < dt <= 60:
                self.fault("%s: time step %d s at %d" % (rel, dt, b[0]))
                break
            dx = (b[2] - a[2]) * 111320 * math.cos(math.radians(a[1]))
            dy = (b[1] - a[1]) * 111320
            if math.hypot(dx, dy) / dt > 30:
                self.fault("%s: jump of %.0f m in %d s at %d" % (rel, math.hypot(dx, dy), dt, b[0]))
                break
            if abs(b[4] - a[4]) / dt > 10:
                self.fault("%s: altitude jump %d m in %d s at %d" % (rel, b[4] - a[4], dt, b[0]))
                break
        galt = [f[4] for f in fixes]
        if max(galt) - galt[0] < 100:
            self.fault("%s: never climbs 100 m above launch" % rel)
        if galt[-1] >= galt[0] - 100:
            self.fault("%s: does not land below the launch" % rel)
        if any(abs(f[3] - f[4]) > 300 for f in fixes):
            self.fault("%s: pressure and GNSS altitude differ by more than 300 m" % rel)
        return fixes[0]

    # ------------------------------------------------------------ WAYPOINTS
    def check_waypoints(self, launches):
        rel = "WAYPOINTS/waypoints.skt"
        if not self.exact_name(rel):
            self.fault("%s: missing (exact letter case)" % rel)
            return {}
        data = self.read(rel)
        if not data or len(data) % 52:
            self.fault("%s: length %d is not a non-zero multiple of 52" % (rel, len(data or b"")))
            return {}
        kinds = {}
        name_lens, full_desc, neg_pos, neg_alt = set(), False, False, False
        points = []
        for i in range(0, len(data), 52):
            n = i // 52
            lon, lat, alt, desc, name, kind, = REC.unpack(data[i:i + 52])
            kinds[kind] = kinds.get(kind, 0) + 1
            if data[i + 49:i + 52] != b"\0\0\0":
                self.fault("%s record %d: reserved bytes not zero" % (rel, n))
            for field, what in ((desc, "description"), (name, "name")):
                if b"\0" in field and field[field.index(b"\0"):].strip(b"\0"):
                    self.fault("%s record %d: %s has bytes after its NUL" % (rel, n, what))
                try:
                    field.split(b"\0")[0].decode("cp1252")
                except UnicodeDecodeError:
                    self.fault("%s record %d: %s not Windows-1252" % (rel, n, what))
            if data[i:i + 52] == b"\0" * 52 and kind == 0:
                continue  # blank slot
            if not (math.isfinite(lat) and math.isfinite(lon)
                    and abs(lat) <= math.pi / 2 and abs(lon) <= math.pi):
                self.fault("%s record %d: lat/lon %r/%r not radians" % (rel, n, lat, lon))
                continue
            if kind != 0 and lat == 0 and lon == 0:
                self.fault("%s record %d: kind %d at 0/0" % (rel, n, kind))
            name_lens.add(len(name.split(b"\0")[0]))
            full_desc |= b"\0" not in desc
            neg_pos |= lat < 0 or lon < 0
            neg_alt |= alt < 0
            if kind != 0 and not -500 <= alt <= 9000:
                self.fault("%s record %d: altitude %d implausible" % (rel, n, alt))
            if kind != 0:
                points.append((math.degrees(lat), math.degrees(lon), kind))
        for k in (0, 1, 2, 3, 4, 5, 7):
            if k not in kinds:
                self.fault("%s: no record of kind %d" % (rel, k))
        if kinds.get(1, 0) < 15:
            self.fault("%s: only %d waypoints (kind 1)" % (rel, kinds.get(1, 0)))
        for L in (0, 6, 7):
            if L not in name_lens:
                self.fault("%s: no name of %d characters" % (rel, L))
        if not full_desc:
            self.fault("%s: no description filling all 31 bytes" % rel)
        if not neg_pos:
            self.fault("%s: no southern or western record" % rel)
        if not neg_alt:
            self.fault("%s: no record below altitude 0" % rel)
        alps = [p for p in points if p[2] == 1 and 46 <= p[0] <= 48.5 and 9.5 <= p[1] <= 13.5]
        if len(alps) < 10:
            self.fault("%s: only %d waypoints in the Alps area; byte order or units wrong?"
                       % (rel, len(alps)))
        # every flight starts at a stored waypoint (ties store and flights)
        for frel, (_, lat, lon, _, _) in launches:
            near = [p for p in points if p[2] == 1 and
                    math.hypot((p[0] - lat) * 111320,
                               (p[1] - lon) * 111320 * math.cos(math.radians(lat))) < 300]
            if not near:
                self.fault("%s: launch not within 300 m of any waypoint" % frel)
        return kinds

    # ---------------------------------------------------------- empty dirs
    def check_emptydirs(self):
        data = self.read(".emptydirs")
        if data is None:
            return
        listed = [l for l in data.decode("ascii", "replace").split("\n") if l]
        if not listed:
            self.fault(".emptydirs: lists no folder")
        if not any(l.startswith("FLIGHTS/") for l in listed):
            self.fault(".emptydirs: no empty FLIGHTS month folder listed")
        for l in listed:
            p = self.path(l)
            # Git keeps no empty folders: in a fresh clone a listed folder
            # is missing, and whoever copies the sample makes it.
            if os.path.exists(p) and not os.path.isdir(p):
                self.fault(".emptydirs: %s is not a folder" % l)
            elif os.path.isdir(p) and os.listdir(p):
                self.fault(".emptydirs: %s is not empty" % l)
        for dirpath, dirnames, filenames in os.walk(self.root):
            if not dirnames and not filenames:
                rel = os.path.relpath(dirpath, self.root).replace(os.sep, "/")
                if rel not in listed:
                    self.fault("empty folder %s not listed in .emptydirs" % rel)

    def check_regen(self, generator):
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "instrument")
            r = subprocess.run([sys.executable, generator, "--out", out],
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE)
            if r.returncode:
                self.fault("generator failed: %s" % r.stderr.decode(errors="replace").strip())
                return
            self.compare_trees(out, self.root, "")

    def compare_trees(self, a, b, rel):
        cmp = filecmp.dircmp(a, b)
        for n in cmp.left_only:
            made = os.path.join(a, n)
            if os.path.isdir(made) and not os.listdir(made):
                continue    # an empty folder, which a clone does not have
            self.fault("regenerated %s%s missing from the sample" % (rel, n))
        for n in cmp.right_only:
            self.fault("sample has %s%s which the generator does not make" % (rel, n))
        _, mismatch, errors = filecmp.cmpfiles(a, b, cmp.common_files, shallow=False)
        for n in mismatch + errors:
            self.fault("sample %s%s differs from a fresh run of the generator" % (rel, n))
        for d in cmp.common_dirs:
            self.compare_trees(os.path.join(a, d), os.path.join(b, d), rel + d + "/")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--root", default=os.path.join(os.path.dirname(here), "samples", "instrument"))
    ap.add_argument("--no-regen", action="store_true",
                    help="do not compare with a fresh run of the generator")
    args = ap.parse_args()
    c = Checker(args.root)
    if not os.path.isdir(args.root):
        print("FAULT: %s is not a folder" % args.root)
        return 1
    c.check_setupdata()
    c.check_languages()
    header = c.check_igcheader()
    launches = c.check_flights(header)
    kinds = c.check_waypoints(launches)
    c.check_emptydirs()
    if not args.no_regen:
        c.check_regen(os.path.join(here, "make_sample_instrument.py"))
    for n in c.notes:
        print("note:", n)
    for f in c.faults:
        print("FAULT:", f)
    if c.faults:
        print("%d fault(s) in %s" % (len(c.faults), args.root))
        return 1
    print("OK: %s (%d flights, waypoint kinds %s)" % (
        args.root, len(launches), ", ".join("%d:%d" % kv for kv in sorted(kinds.items()))))
    return 0


if __name__ == "__main__":
    sys.exit(main())
