#pragma once
// Month names of the Hebrew, Islamic and Indian calendars and the names of the Chinese
// sexagenary year cycle, indexed as the calendar conversions return them. Names only: no
// computation to check.
#include <cstddef>

namespace qv {

// Indexed by the Hebrew month code: 0..11 Tishri..Elul (5 = Adar), 12 Adar I, 13 Adar II.
inline constexpr const char* hebrewMonthNames[14] = {
    "Tishri", "Heshvan", "Kislev", "Tevet", "Shevat", "Adar",   "Nisan",
    "Iyar",   "Sivan",   "Tammuz", "Av",    "Elul",   "Adar I", "Adar II",
};

// Islamic months 1..12 at index month - 1.
inline constexpr const char* islamicMonthNames[12] = {
    "Muharram", "Safar",   "Rabi'a I", "Rabi'a II", "Jumada I",      "Jumada II",
    "Rajab",    "Sha'ban", "Ramadan",  "Shawwal",   "Dhu al-Q'adah", "Dhu al-Hijjah",
};

// Indian national calendar months 1..12 at index month - 1.
inline constexpr const char* indianMonthNames[12] = {
    "Caitra", "Vaisakha", "Jyaistha", "Asadha",     "Stavana", "Bhadra",
    "Asvina", "Kartika",  "Agrahayana", "Pausa", "Magha",   "Phalguna",
};

// The ten celestial stems of the Chinese year cycle.
inline constexpr const char* celestialStems[10] = {
    "jia", "yi", "bing", "ding", "wu", "ji", "geng", "xin", "ren", "gui",
};

// The twelve terrestrial branches, each with the opening parenthesis of its animal.
inline constexpr const char* terrestrialBranches[12] = {
    "zi (rat",   "chou (ox",    "yin (tiger", "mao (hare",   "chen (dragon", "si (snake",
    "wu (horse", "wei (sheep",  "shen (monkey", "you (fowl", "xu (dog",      "hai (pig",
};

// Sexagenary name of a Chinese year, e.g. "jia-zi (rat)" for 1984, into buffer (NUL-terminated,
// cut to size - 1 characters).
void chineseYearName(int year, char* buffer, std::size_t size);

}  // namespace qv
