#pragma once
// A date of any calendar as day, month (1-12) and year.

namespace qv {

struct DayMonthYear {
    int day;
    int month;
    int year;
};

}  // namespace qv
