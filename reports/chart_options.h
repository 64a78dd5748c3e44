#pragma once
// What a picture of the year is drawn for beyond the settings: the month of a monthly picture
// and the eclipse of an eclipse picture.

namespace qv {

struct ChartOptions {
    int month = 0;          // 1..12; 0: the whole year
    int eclipseNumber = 0;  // 1-based number in the year's eclipse list; 0: none chosen
};

}  // namespace qv
