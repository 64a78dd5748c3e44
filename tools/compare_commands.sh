#!/usr/bin/env bash
# Prints the quorvel-cli argument lines that tools/compare_outputs.sh runs on both builds, one
# line each. A line is split like a shell word list; {png} stands for a picture file of that run.
# Every command that would read the clock gets an explicit --year, or --date and --time.
set -euo pipefail

years=(-9999 -4712 -2000 -500 0 1 1000 1582 1583 1700 1900 1999 2000 2017 2024 2025 2100 3000 5000 9999)
few_years=(-4712 -500 0 1582 1900 2000 2024 2100 5000 9999)
zones=(0 1 -5 5.5 12.75)
places=(
  ""
  "--lat 51.4779 --lon -0.0015 --height 46 --name Greenwich"
  "--lat -33.9249 --lon 18.4241 --height 25 --name 'Cape Town'"
  "--lat 69.6492 --lon 18.9553 --height 10"
  "--lat -77.8463 --lon 166.6683 --height 24"
  "--lat 52.3027 --lon 13.2412 --dms"
  "--lat -34.3547 --lon -58.2253 --dms --height 25"
)
dates=(-4712-01-01 -2000-06-21 -500-03-15 0001-01-01 1582-10-15 1583-12-31 1900-02-28
       1999-08-11 2000-02-29 2017-08-21 2024-04-08 2024-12-21 2100-03-01 5000-07-04 9999-12-31)
times=(00:00:00 12:00:00 18:17:30)

echo "--help"
for d in 1582-10-04 2024-01-01 9999-12-31; do
  echo "start --date $d --time 13:14:15"
  echo "start --date $d --time 00:00:00 --zone -5 ${places[2]}"
  echo "start --date $d --time 23:59:59 --zone 5.5 ${places[5]} --delta-t 70"
done

# The year pages in every zone.
for y in "${years[@]}"; do
  for z in "${zones[@]}"; do
    for c in phases calendar eclipses holidays save; do
      echo "$c --year $y --zone $z"
    done
    # The calendar export covers the years 2 to 9998; outside once for its refusal.
    if ((y >= 2 && y <= 9998)) || [[ $z == 0 ]]; then echo "ics --year $y --zone $z"; fi
  done
  echo "phases --year $y --delta-t 0"
done

# Day details and sky over dates, times, places and zones.
for d in "${dates[@]}"; do
  for z in 0 -5 12.75; do
    echo "day --date $d --zone $z"
  done
  for p in "${places[@]}"; do
    for t in "${times[@]}"; do
      echo "sky --date $d --time $t $p"
    done
    echo "sky --date $d --time 06:30:00 --zone 5.5 $p"
  done
  echo "ephemeris --date $d --time 06:00:00 --count 40 --every 9.25"
  echo "ephemeris --date $d --time 00:00:00 --count 24 --every 0.0416666667 ${places[3]} --zone 1"
done
echo "ephemeris --date 2024-01-01 --time 00:00:00 --count 400 --every -1"

# Eclipse details: every eclipse of a year at three places, the central line listed, and the
# refusal of the number after the last.
for year_count in -4712:4 -2000:5 -500:5 0:6 1582:6 1999:4 2017:4 2024:4 3000:5 9999:4; do
  y=${year_count%:*} count=${year_count#*:}
  echo "eclipse --year $y --eclipse $((count + 1))"
  for ((n = 1; n <= count; n++)); do
    for p in "" "${places[2]}" "${places[4]}"; do
      echo "eclipse --year $y --eclipse $n --zone 1 $p"
    done
    echo "eclipse --year $y --eclipse $n --step 5 ${places[1]}"
    echo "map --year $y --eclipse $n --points"
  done
done

# Eclipse details inside and beside central paths, where totality or annularity is timed to
# the second (the Sun high, low, setting; hybrid; deep partial views), in two zones.
central_views=(
  "1999 4 --lat 48.78 --lon 9.18 --name Stuttgart"
  "1999 4 --lat 45.1 --lon 24.37"
  "2017 4 --lat 36.10 --lon -86.47 --dms --name Nashville"
  "2017 4 --lat 44.94 --lon -123.03"
  "2021 2 --lat 66.9 --lon -162.6 --name Kotzebue"
  "2021 4 --lat -77.0 --lon -45.0"
  "2023 1 --lat -21.93 --lon 114.13 --name Exmouth"
  "2023 3 --lat 37.6 --lon -112.2"
  "2024 2 --lat 32.78 --lon -96.80 --height 140 --name Dallas"
  "2024 2 --lat 25.2 --lon -104.2"
  "2024 2 --lat 45.5 --lon -73.57 --name Montreal"
  "2024 2 --lat 47.6 --lon -52.7"
  "2024 4 --lat -27.15 --lon -109.43 --name 'Hanga Roa'"
  "2026 1 --lat -75.0 --lon 30.0"
  "2026 3 --lat 64.1 --lon -21.9 --name Reykjavik"
  "2026 3 --lat 41.65 --lon -4.72"
  "2027 3 --lat 25.7 --lon 32.6 --name Luxor"
  "2027 3 --lat 36.72 --lon -4.42"
)
for v in "${central_views[@]}"; do
  read -r y n place <<<"$v"
  echo "eclipse --year $y --eclipse $n $place"
  echo "eclipse --year $y --eclipse $n --zone -5 --step 10 $place"
done

# Map pictures of solar eclipses in every projection, meridian, grid and background.
maps=("2024 2" "2024 4" "2017 4" "1999 4" "3000 4" "-2000 2" "2000 3" "9999 4" "-4712 1" "0 5")
for i in "${!maps[@]}"; do
  read -r y n <<<"${maps[$i]}"
  echo "map --year $y --eclipse $n --out {png}"
  echo "map --year $y --eclipse $n --projection $((i % 4)) --meridian $((i * 40 - 180)) --grid $((i % 3)) --grey $((i % 2)) --out {png}"
  echo "map --year $y --eclipse $n --projection $(((i + 1) % 4)) --meridian 150 --points"
done

# Special eclipses on surfaces above the Earth, as picture and as track.
specials=("2024-04-08 18:17:00" "2017-08-21 18:25:00" "1999-08-11 11:03:00" "2024-10-02 18:45:00"
          "-500-05-29 06:00:00" "9999-05-07 12:00:00")
for i in "${!specials[@]}"; do
  read -r d t <<<"${specials[$i]}"
  echo "special --date $d --time $t"
  echo "special --date $d --time $t --sat-height 400 --points"
  echo "special --date $d --time $t --sat-height 35786 --sat-step 600 --ellipsoid --points"
  echo "special --date $d --time $t --sat-height 0 --ellipsoid --points"
  echo "special --date $d --time $t --sat-height 150000 --points"
  echo "special --date $d --time $t --projection $((i % 4)) --meridian $((i * 60 - 120)) --out {png}"
  echo "special --date $d --time $t --sat-height 1000 --ellipsoid --projection 3 --grid 2 --out {png}"
done

# The year totals and the solar panel: the slowest pages, on fewer years.
for y in "${few_years[@]}"; do
  for p in "${places[@]:0:5}"; do
    echo "totals --year $y $p"
    echo "totals --year $y --cutoff -6 --zone 1 $p"
    echo "panel --year $y --panel 180,35,18,1,12 $p"
  done
  echo "totals --year $y --cutoff 45.25 ${places[5]}"
  echo "panel --year $y --panel 90,0,100,4,9 ${places[6]}"
done

# More years, places, cutoffs and panels for the totals and the panel, whose minutes are judged
# from estimates: far years (coarse rounding), the poles, the equator and a mountain.
more_places=("--lat 48 --lon 11" "--lat 89.9 --lon 0" "--lat -66.6 --lon 120 --height 3000" "--lat 0.5 --lon -70")
for y in -9999 -3000 -1 1000 1858 1950 2023 3000 7000; do
  for p in "${more_places[@]}"; do
    echo "totals --year $y --cutoff 88 $p"
    echo "totals --year $y --cutoff -17.99 $p"
    echo "panel --year $y --panel 135,60,20,2,11 $p"
  done
  echo "totals --year $y --cutoff 100 ${more_places[2]}"
  echo "panel --year $y --panel 300,-10,15,1,12 ${more_places[3]}"
done

# Path files of every eclipse of a few years (a lunar one refuses), and the canon in its three
# formats, with the default TT - UT and a fixed one.
for y in -9999 -500 1582 1999 2017 2020 2024 2026 2100 9999; do
  for n in 1 2 3 4 5; do
    echo "path --year $y --eclipse $n --format geojson"
  done
  echo "path --year $y --eclipse 2 --format kml --zone 1"
done
echo "canon --from 1990 --to 2030"
echo "canon --from -9999 --to -9985 --format csv"
echo "canon --from 9985 --to 9999 --format json"
echo "canon --from 1600 --to 1620 --delta-t 0"

# The planetary phenomena: pages in fixed and named zones, CSV far from the present.
for y in -9999 1900 2024 2026 9999; do
  echo "phenomena --year $y --zone 5.5"
  echo "phenomena --year $y --format csv"
done
echo "phenomena --year 2026 --tz Europe/Vienna"
for d in 1900-06-01 2026-12-07 2100-03-15; do
  echo "planets --date $d --time 20:00:00 --place Vienna"
  echo "planets --date $d --time 03:00:00 --lat -33.9 --lon 18.42 --format csv"
done
echo "planets --date 2026-06-21 --time 12:00:00 --lat 78.2 --lon 15.6 --format csv"

# Keywords and zone names in any case, times without seconds, and the range wording.
echo "sky --date 2026-06-21 --time 12:00 --tz europe/vienna --lat 48.2 --lon 16.37"
echo "path --year 2024 --eclipse 2 --format GeoJSON"
echo "canon --from 2024 --to 2024 --format CSV"
echo "start --eclipse 13"
echo "start --tz utc --time 7:05"

# The place search: exonyms, former and local names, names narrowed by region or country, a
# name the text only begins, and the zones of the places found.
for p in Washington Mexico Wien Roma Kiev Odesa Munich Köln 東京 'Paris, Texas' 'Springfield, Illinois' Lhasa Zhanjiang Monção; do
  echo "places '$p'"
  echo "sky --date 2026-06-21 --time 12:00:00 --place '$p'"
done
echo "places --tz UTC Paris"

# Named zones around their changes: typed times the clocks skip (the sky page heads with the time
# they became), Greenland's summer time after 2037 by its last rule, and noon just after the
# Sun's transit (the rise and set of that day).
for at in "Europe/Vienna 2026-03-29 02:30:00" "Pacific/Apia 2011-12-30 12:00:00" \
          "Pacific/Kwajalein 1993-08-21 12:00:00" "America/Nuuk 2038-03-27 23:30:00" \
          "America/Nuuk 2038-07-01 12:00:00"; do
  read -r zone date time <<<"$at"
  echo "sky --tz $zone --date $date --time $time"
done
echo "planets --tz Europe/Vienna --date 2026-03-29 --time 02:30:00"
echo "phases --year 2038 --tz America/Scoresbysund"
echo "sky --zone 1 --date 2026-03-27 --time 12:00:00 --lat 48.2 --lon 16.37"
echo "sky --zone 10 --date 2026-08-14 --time 12:00:00 --lat -33.87 --lon 151.21"

# The zoomable map views (whole world, the path, a city; detail and names below 30 degrees),
# the pointer panel's text, the special map's view, and the picture pages with the data the
# daylight chart draws.
views=("2024 2 path" "2024 2 32.78,-96.8,3" "2026 3 41,-3,12" "2021 2 90,0,360 --projection 1" "2017 4 0,0,360 --scale 2")
for v in "${views[@]}"; do
  read -r y n view rest <<<"$v"
  echo "map --year $y --eclipse $n --view $view --size 1000x620 ${rest:-} --out {png}"
done
echo "map --year 2024 --eclipse 2 --at 32.78,-96.8"
echo "map --year 2023 --eclipse 3 --zone -6 --at 35.08,-106.65"
echo "special --date 2024-04-08 --time 18:17:00 --view 20,-90,60 --size 900x600 --out {png}"
for p in "--tz Europe/Vienna --place Vienna" "--place Longyearbyen" "--place Sydney"; do
  echo "chart daylight --year 2026 $p --format csv"
  echo "chart daylight --year 2026 $p --size 900x560 --out {png}"
  echo "chart moon --year 2026 --month 3 $p --size 900x680 --out {png}"
  echo "chart eclipse --year 2026 --eclipse 3 $p --size 900x680 --out {png}"
done
echo "chart moon --year 2024 --place Dallas --out {png}"
echo "chart eclipse --year 2024 --eclipse 2 --place Dallas --out {png}"
echo "chart eclipse --year 2025 --eclipse 1 --place Santiago --out {png}"
