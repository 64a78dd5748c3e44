#!/usr/bin/python3
"""Reference rise, transit and set times of the planets from PyEphem, for the planets cross-check.

    /usr/bin/python3 tools/ephem_planet_events.py > tests/astro/data/ephem_planet_events.txt

For 12 places at latitudes 55 S to 60 N and instants over 1950-2050, each planet's first
rising, upper transit and setting within a day of the instant: PyEphem's next_rising,
next_transit and next_setting of the planet's centre across -0:34 with no refraction
(pressure 0), as the program takes them. Lines: MJD of UT of the instant, latitude and
longitude in degrees, planet, then the three events as MJDs of UT (- for none within a day).
"""
import ephem

MJD_OFFSET = 15019.5  # ephem.Date counts days from 1899-12-31 12h; MJD from 1858-11-17 0h
PLACES = [(48.2, 16.37), (-33.9, 18.42), (40.7, -74.0), (35.7, 139.7), (-55.0, -68.0), (60.0, 25.0),
          (0.0, -78.5), (19.4, -99.1), (-37.8, 145.0), (51.5, 0.0), (28.6, 77.2), (64.1, -21.9)]
PLANETS = [("Mercury", ephem.Mercury), ("Venus", ephem.Venus), ("Mars", ephem.Mars), ("Jupiter", ephem.Jupiter),
           ("Saturn", ephem.Saturn), ("Uranus", ephem.Uranus), ("Neptune", ephem.Neptune)]


def main():
    print("# mjd_ut lat_deg lon_deg planet rise transit set; PyEphem %s; tools/ephem_planet_events.py" % ephem.__version__)
    for i, (lat, lon) in enumerate(PLACES):
        start = ephem.Date("1950/1/1") + i * 3049.37 + 0.37
        observer = ephem.Observer()
        observer.lat, observer.lon = str(lat), str(lon)
        observer.pressure = 0
        observer.horizon = "-0:34"
        observer.date = start
        for name, make in PLANETS:
            body = make()
            events = []
            for find in (lambda b: observer.next_rising(b, use_center=True), observer.next_transit,
                         lambda b: observer.next_setting(b, use_center=True)):
                try:
                    t = float(find(body))
                    events.append("%.6f" % (t + MJD_OFFSET) if t - float(start) < 1.0 else "-")
                except (ephem.AlwaysUpError, ephem.NeverUpError):
                    events.append("-")
            print("%.6f %.2f %.2f %s %s" % (float(start) + MJD_OFFSET, lat, lon, name, " ".join(events)))


if __name__ == "__main__":
    main()
