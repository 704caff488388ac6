"""Reads a GPX file with gpxpy, as a consumer of GPX would, and prints each
waypoint as "lat lon name"."""
import sys

import gpxpy

with open(sys.argv[1], encoding="utf-8") as f:
    gpx = gpxpy.parse(f)
for w in gpx.waypoints:
    print(f"{w.latitude!r} {w.longitude!r} {w.name}")
