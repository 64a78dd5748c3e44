#pragma once
// The places the place search knows: about 23,000 cities and towns of the world (every place
// of 15,000 or more inhabitants and every capital, from GeoNames), compiled into the program.
// One search serves the places command, --place and the Location dialog: it matches the start
// of a name or of a word in it, ignoring case and accents, on the place's name and its other
// names (former names, names in English and in its country's languages and scripts). A text
// in another normalisation form (a decomposed accent) is read as its composed form.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct Place {
    std::string_view name;        // UTF-8, as GeoNames names the place (in English where it has one)
    std::string_view otherNames;  // further names it is found by, '|' between them; may be empty
    std::string_view region;      // first-level region (state, province); may be empty
    std::string_view country;     // country name in English
    std::string_view zone;        // IANA time-zone name, its present (canonical) name
    double latitudeDeg;           // north positive
    double longitudeDeg;          // east positive
    double heightM;               // above sea level
};

struct PlaceTable {
    std::vector<Place> places;            // most populous first
    std::vector<std::string> keys;        // every name of every place folded, without commas
    std::vector<std::size_t> keyPlace;    // the index in places of each key, ascending
    std::vector<std::string> regionKeys;  // the region of each place folded
    std::vector<std::string> countryKeys; // the country of each place folded
    // The index in places of each zone's principal city (as tzdata names it), by zone name.
    std::vector<std::pair<std::string_view, std::size_t>> principalCities;
};

// The compiled-in table parsed afresh; the searches below parse it once, on their first call.
PlaceTable loadPlaceTable();

// Every place, most populous first.
std::span<const Place> allPlaces();

// Fewest characters a place search takes.
constexpr std::size_t kPlaceQueryMinCharacters = 2;

// Why a text cannot be searched for, for a one-line message after the quoted text ("is not
// valid UTF-8", "is shorter than 2 characters"); empty when it can.
std::string placeQueryProblem(std::string_view text);

// Up to maxCount places a text names, best first: places with a name that is the text or
// begins with it as whole words ("Mexico" in "Mexico City"), then those with a name that
// begins with it, then those with a later word that begins with it; each group most populous
// first. "Name, Region" and "Name, Country" (any number of those after commas, each the start
// of a word of the place's region or country) keep only the places there. A text that
// placeQueryProblem refuses finds nothing.
std::vector<const Place*> findPlaces(std::string_view text, std::size_t maxCount);

// The place a text names (the first that findPlaces gives, nullptr for none), and whether the
// text is one of its names, rather than the start of a longer one.
struct PlaceChoice {
    const Place* place = nullptr;
    bool wholeName = false;
};
PlaceChoice bestPlace(std::string_view text);

// The principal city of a zone of the time-zone database (its present name), nullptr when the
// table has none.
const Place* principalCityOfZone(std::string_view zoneName);

// "Name, Region, Country", or "Name, Country" without a region.
std::string placeDisplayName(const Place& place);

// The text folded for matching: composed as in normalisation form C, Latin letters without
// accents and in lower case (ß as ss, æ as ae, ...), Greek and Cyrillic letters in lower case,
// surrounding blanks removed; other characters kept as they are.
std::string foldedForSearch(std::string_view text);

}  // namespace qv
