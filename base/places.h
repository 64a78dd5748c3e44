#pragma once
// The places the place search knows: about 23,000 cities and towns of the world (every place
// of 15,000 or more inhabitants and every capital, from GeoNames), compiled into the program.
// A search matches the start of a name or of a word in it, ignoring case and accents, on the
// place's own name and its ASCII spelling; the most populous places come first.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct Place {
    std::string_view name;       // UTF-8, as the place calls itself in Latin letters
    std::string_view asciiName;  // the name in ASCII letters (equal to name when it is ASCII)
    std::string_view region;     // first-level region (state, province); may be empty
    std::string_view country;    // country name in English
    std::string_view zone;       // IANA time-zone name
    double latitudeDeg;          // north positive
    double longitudeDeg;         // east positive
    double heightM;              // above sea level
};

struct PlaceTable {
    std::vector<Place> places;           // most populous first
    std::vector<std::string> nameKeys;   // the names folded for matching
    std::vector<std::string> asciiKeys;  // the ASCII names folded, empty where equal to nameKeys
};

// The compiled-in table parsed afresh; the searches below parse it once, on their first call.
PlaceTable loadPlaceTable();

// Every place, most populous first.
std::span<const Place> allPlaces();

// Up to maxCount places whose name or ASCII name begins with text, then those with a word
// (after a blank, hyphen, apostrophe or parenthesis) that begins with it, each group most
// populous first. Case and accents of Latin letters are ignored; blank text finds nothing.
std::vector<const Place*> findPlaces(std::string_view text, std::size_t maxCount);

// "Name, Region, Country", or "Name, Country" without a region.
std::string placeDisplayName(const Place& place);

// The text folded for matching: Latin letters without accents and in lower case (ß as ss,
// æ as ae, ...), surrounding blanks removed; other characters kept as they are.
std::string foldedForSearch(std::string_view text);

}  // namespace qv
