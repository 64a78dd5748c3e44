#include "base/places.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>

#include "base/utf8_text.h"

namespace qv {

namespace {

#include "places.inc"

struct CanonicalComposition {
    char32_t first;
    char32_t mark;
    char32_t composed;
};
#include "compositions.inc"

// Latin letters with accents and their plain lower-case letter, for U+00C0 .. U+024F and
// U+1E00 .. U+1EFF ('.' keeps the character, '*' is a letter pair of kLetterPairs). Made
// from Unicode's decompositions, with the letters that have none (ø, ł, đ, ...) added by hand.
constexpr char32_t kLatinStart = 0xC0;
constexpr std::string_view kLatinFold =
    "aaaaaa*ceeeeiiiidnooooo.ouuuuy**aaaaaa*ceeeeiiiidnooooo.ouuuuy*yaaaaaaccccccccddddeeeeeeeeee"
    "gggggggghhhhiiiiiiiiii**jjkkkllllllllllnnnnnnnnnoooooo**rrrrrrssssssssttttttuuuuuuuuuuuuwwyyy"
    "zzzzzzsbb.....ccdd......ffg...ikkl..nn.oo..pp......tttuu.vyyzz.............*********aaiioouuu"
    "uuuuuuu.aaaa..ggggkkoooo..j***gg..nnaa....aaaaeeeeiiiioooorrrruuuusstt..hhnd..zzaaeeooooooooy"
    "ylntj..accl.....b..eejj..rryy";
constexpr char32_t kLatinExtraStart = 0x1E00;
constexpr std::string_view kLatinExtraFold =
    "aabbbbbbccddddddddddeeeeeeeeeeffgghhhhhhhhhhiiiikkkkkkllllllllmmmmmmnnnnnnnnoooooooopppprrrr"
    "rrrrssssssssssttttttttuuuuuuuuuuvvvvwwwwwwwwwwxxxxyyzzzzzzhtwyas....aaaaaaaaaaaaaaaaaaaaaaaae"
    "eeeeeeeeeeeeeeeiiiioooooooooooooooooooooooouuuuuuuuuuuuuuyyyyyyyy......";

struct LetterPair {
    char32_t code;
    const char* letters;
};
constexpr LetterPair kLetterPairs[] = {
    {0xC6, "ae"},  {0xDE, "th"},  {0xDF, "ss"},  {0xE6, "ae"},  {0xFE, "th"},  {0x132, "ij"},
    {0x133, "ij"}, {0x152, "oe"}, {0x153, "oe"}, {0x1C4, "dz"}, {0x1C5, "dz"}, {0x1C6, "dz"},
    {0x1C7, "lj"}, {0x1C8, "lj"}, {0x1C9, "lj"}, {0x1CA, "nj"}, {0x1CB, "nj"}, {0x1CC, "nj"},
    {0x1F1, "dz"}, {0x1F2, "dz"}, {0x1F3, "dz"},
};

// A byte that starts no well-formed sequence is kept as this value plus the byte, so that
// folding gives it back unchanged.
constexpr char32_t kStrayByte = 0x110000;

// The character at text[i] and its length in bytes; a byte that starts no well-formed
// sequence counts as one character of its own.
char32_t decodeUtf8(std::string_view text, size_t i, size_t& length)
{
    const auto byte = static_cast<unsigned char>(text[i]);
    const size_t expected = byte < 0xC0 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
    length = 1;
    if (byte < 0x80)
        return byte;
    if (expected == 1 || i + expected > text.size())
        return kStrayByte + byte;
    char32_t code = byte & (0x3F >> (expected - 1));
    for (size_t k = 1; k < expected; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return kStrayByte + byte;
        code = code << 6 | (next & 0x3F);
    }
    length = expected;
    return code;
}

void appendUtf8(char32_t code, std::string& out)
{
    if (code >= kStrayByte) {
        out += static_cast<char>(code - kStrayByte);
    } else if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The character that a character and a following combining mark compose into, or 0.
char32_t composed(char32_t first, char32_t mark)
{
    const auto* end = std::end(kCanonicalCompositions);
    const auto* found = std::lower_bound(std::begin(kCanonicalCompositions), end, CanonicalComposition{first, mark, 0},
                                         [](const CanonicalComposition& a, const CanonicalComposition& b) {
                                             return a.first != b.first ? a.first < b.first : a.mark < b.mark;
                                         });
    return found != end && found->first == first && found->mark == mark ? found->composed : 0;
}

// The characters of a text with blanks at its ends removed, each mark that follows the
// character it composes with joined to it (u and U+0308 read as ü).
std::u32string composedCharacters(std::string_view text)
{
    std::u32string characters;
    for (size_t i = 0, length = 1; i < text.size(); i += length) {
        const char32_t code = decodeUtf8(text, i, length);
        const char32_t joined = characters.empty() ? 0 : composed(characters.back(), code);
        if (joined != 0)
            characters.back() = joined;
        else
            characters += code;
    }
    const size_t first = characters.find_first_not_of(U" \t");
    if (first == std::u32string::npos)
        return std::u32string();
    return characters.substr(first, characters.find_last_not_of(U" \t") - first + 1);
}

// Greek capitals with tonos, Ά to Ώ, and their small letters.
constexpr char32_t kGreekTonosCapitals[][2] = {{0x386, 0x3AC}, {0x388, 0x3AD}, {0x389, 0x3AE}, {0x38A, 0x3AF},
                                               {0x38C, 0x3CC}, {0x38E, 0x3CD}, {0x38F, 0x3CE}};

// Greek and Cyrillic capitals in lower case; other characters unchanged.
char32_t lowerGreekOrCyrillic(char32_t code)
{
    const bool basicCapital = (code >= 0x391 && code <= 0x3A9) || (code >= 0x410 && code <= 0x42F);
    if (basicCapital)
        return code + 0x20;
    for (const auto& [capital, small] : kGreekTonosCapitals)
        if (code == capital)
            return small;
    if (code >= 0x400 && code <= 0x40F)  // Ѐ .. Џ
        return code + 0x50;
    // Ѡ .. ӿ alternate capital and small letter, capitals even (odd from Ӂ to Ӎ).
    const bool pairedCapital = (code >= 0x460 && code <= 0x4BF && code % 2 == 0) ||
                               (code >= 0x4C1 && code <= 0x4CD && code % 2 == 1) ||
                               (code >= 0x4D0 && code <= 0x4FF && code % 2 == 0);
    return pairedCapital ? code + 1 : code;
}

// Appends the folded form of one character: a plain letter, a letter pair, or the character.
void appendFolded(char32_t code, std::string& out)
{
    char letter = '.';
    if (code >= kLatinStart && code < kLatinStart + kLatinFold.size())
        letter = kLatinFold[code - kLatinStart];
    else if (code >= kLatinExtraStart && code < kLatinExtraStart + kLatinExtraFold.size())
        letter = kLatinExtraFold[code - kLatinExtraStart];
    if (letter == '*') {
        for (const LetterPair& pair : kLetterPairs)
            if (pair.code == code)
                out += pair.letters;
    } else if (letter != '.') {
        out += letter;
    } else if (code == 0x2019) {  // the typographic apostrophe of names such as N’Djamena
        out += '\'';
    } else {
        appendUtf8(lowerGreekOrCyrillic(code), out);
    }
}

bool isWordStart(char before)
{
    return before == ' ' || before == '-' || before == '\'' || before == '(' || before == '/' ||
           before == '.';
}

bool isWordEnd(char after) { return isWordStart(after) || after == ',' || after == ')'; }

// How a search key holds the query, from worst to best: at the start of a later word, at its
// start inside a word, as its leading whole words, or as the whole key.
enum class Match { None, LaterWord, Start, Words, Whole };

Match matchKind(std::string_view key, std::string_view query)
{
    if (key.starts_with(query)) {
        if (key.size() == query.size())
            return Match::Whole;
        return isWordEnd(key[query.size()]) ? Match::Words : Match::Start;
    }
    for (size_t at = key.find(query, 1); at != std::string_view::npos; at = key.find(query, at + 1))
        if (isWordStart(key[at - 1]))
            return Match::LaterWord;
    return Match::None;
}

// The order in which findPlaces gives the kinds of match.
int rankOf(Match kind) { return kind >= Match::Words ? 0 : kind == Match::Start ? 1 : 2; }
constexpr int kRanks = 3;

// The next line of a table text, advancing text past it.
std::string_view nextLine(std::string_view& text)
{
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return line;
}

// The fields of one tab-separated line; missing fields stay empty.
template <size_t N>
void splitFields(std::string_view line, std::string_view (&fields)[N])
{
    for (std::string_view& field : fields) {
        const size_t tab = line.find('\t');
        field = line.substr(0, tab);
        line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
    }
}

double numberField(std::string_view field)
{
    double value = 0.0;
    std::from_chars(field.data(), field.data() + field.size(), value);
    return value;
}

// A line number of a field, or npos when the field is empty or no number.
size_t indexField(std::string_view field)
{
    size_t value = std::string_view::npos;
    std::from_chars(field.data(), field.data() + field.size(), value);
    return value;
}

// The lines of a table literal, which starts and ends with a line break.
std::vector<std::string_view> tableLines(std::string_view text)
{
    text.remove_prefix(1);
    std::vector<std::string_view> lines;
    while (!text.empty())
        lines.push_back(nextLine(text));
    return lines;
}

constexpr char kNameSeparator = '|';

// A name's key, and a whole text read as a name, have no commas: a comma of the text separates
// a region or country, and names are spelt with and without one ("Washington, D.C.").
std::string withoutCommas(std::string text)
{
    std::erase(text, ',');
    return text;
}

// Lines of kPlaceRows, kPlaceRegions, kPlaceCountries and kPlaceZones: name, other names,
// region, latitude, longitude, height, zone; country, region name; code, country name; zone
// name, principal city.
void addPlace(std::string_view line, const std::vector<std::pair<std::string_view, std::string_view>>& regions,
              const std::vector<std::string_view>& zones, PlaceTable& table)
{
    std::string_view fields[7];
    splitFields(line, fields);
    const size_t region = indexField(fields[2]);
    const size_t zone = indexField(fields[6]);
    const Place place{fields[0], fields[1],
                      region < regions.size() ? regions[region].first : "",
                      region < regions.size() ? regions[region].second : "",
                      zone < zones.size() ? zones[zone] : "",
                      numberField(fields[3]), numberField(fields[4]), numberField(fields[5])};
    const size_t index = table.places.size();
    table.keys.push_back(withoutCommas(foldedForSearch(place.name)));
    table.keyPlace.push_back(index);
    for (std::string_view others = place.otherNames; !others.empty();) {
        const size_t separator = others.find(kNameSeparator);
        table.keys.push_back(withoutCommas(foldedForSearch(others.substr(0, separator))));
        table.keyPlace.push_back(index);
        others.remove_prefix(separator == std::string_view::npos ? others.size() : separator + 1);
    }
    table.regionKeys.push_back(foldedForSearch(place.region));
    table.countryKeys.push_back(foldedForSearch(place.country));
    table.places.push_back(place);
}

}  // namespace

PlaceTable loadPlaceTable()
{
    std::vector<std::string_view> countries;
    for (std::string_view line : tableLines(kPlaceCountries)) {
        std::string_view fields[2];
        splitFields(line, fields);
        countries.push_back(fields[1]);
    }
    std::vector<std::pair<std::string_view, std::string_view>> regions;  // name, country
    for (std::string_view line : tableLines(kPlaceRegions)) {
        std::string_view fields[2];
        splitFields(line, fields);
        const size_t country = indexField(fields[0]);
        regions.emplace_back(fields[1], country < countries.size() ? countries[country] : "");
    }
    std::vector<std::string_view> zones;
    PlaceTable table;
    for (std::string_view line : tableLines(kPlaceZones)) {
        std::string_view fields[2];
        splitFields(line, fields);
        zones.push_back(fields[0]);
        if (const size_t principal = indexField(fields[1]); principal != std::string_view::npos)
            table.principalCities.emplace_back(fields[0], principal);
    }
    for (std::string_view line : tableLines(kPlaceRows))
        addPlace(line, regions, zones, table);
    return table;
}

namespace {

const PlaceTable& placeTable()
{
    static const PlaceTable table = loadPlaceTable();
    return table;
}

// One way to read a search text: a name, then the starts of words of the place's region or
// country that narrow it ("paris", {"texas"}).
struct Reading {
    std::string name;
    std::vector<std::string_view> qualifiers;
};

std::string_view trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::string_view();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The folded text read whole, and read as a name up to each comma and qualifiers after it.
std::vector<Reading> readingsOf(std::string_view query)
{
    std::vector<Reading> readings{{withoutCommas(std::string(query)), {}}};
    for (size_t comma = query.find(','); comma != std::string_view::npos; comma = query.find(',', comma + 1)) {
        Reading reading{std::string(trimmed(query.substr(0, comma))), {}};
        for (std::string_view rest = query.substr(comma + 1); !rest.empty();) {
            const size_t next = rest.find(',');
            reading.qualifiers.push_back(trimmed(rest.substr(0, next)));
            rest.remove_prefix(next == std::string_view::npos ? rest.size() : next + 1);
        }
        const bool blank = reading.name.empty() ||
                           std::find(reading.qualifiers.begin(), reading.qualifiers.end(), "") !=
                               reading.qualifiers.end();
        if (!blank)
            readings.push_back(std::move(reading));
    }
    return readings;
}

bool inRegionOrCountry(const PlaceTable& table, size_t place, std::string_view qualifier)
{
    return matchKind(table.regionKeys[place], qualifier) != Match::None ||
           matchKind(table.countryKeys[place], qualifier) != Match::None;
}

// The best match of the keys first..last of one place under every reading.
Match bestMatch(const PlaceTable& table, size_t first, size_t last, const std::vector<Reading>& readings)
{
    const size_t place = table.keyPlace[first];
    Match best = Match::None;
    for (const Reading& reading : readings) {
        const bool narrowed = std::all_of(reading.qualifiers.begin(), reading.qualifiers.end(),
                                          [&](std::string_view q) { return inRegionOrCountry(table, place, q); });
        if (!narrowed)
            continue;
        for (size_t key = first; key < last; ++key)
            best = std::max(best, matchKind(table.keys[key], reading.name));
    }
    return best;
}

struct FoundPlace {
    const Place* place;
    Match kind;
};

std::vector<FoundPlace> searchPlaces(std::string_view text, std::size_t maxCount)
{
    if (maxCount == 0 || !placeQueryProblem(text).empty())
        return {};
    const std::string query = foldedForSearch(text);
    const std::vector<Reading> readings = readingsOf(query);
    const PlaceTable& table = placeTable();
    std::vector<FoundPlace> ranked[kRanks];
    for (size_t first = 0, last = 0; first < table.keys.size(); first = last) {
        while (last < table.keys.size() && table.keyPlace[last] == table.keyPlace[first])
            ++last;
        const Match kind = bestMatch(table, first, last, readings);
        std::vector<FoundPlace>& group = ranked[rankOf(kind)];
        if (kind != Match::None && group.size() < maxCount)
            group.push_back({&table.places[table.keyPlace[first]], kind});
        if (ranked[0].size() >= maxCount)
            break;
    }
    std::vector<FoundPlace> found;
    for (const std::vector<FoundPlace>& group : ranked)
        for (size_t i = 0; i < group.size() && found.size() < maxCount; ++i)
            found.push_back(group[i]);
    return found;
}

}  // namespace

std::string foldedForSearch(std::string_view text)
{
    std::string folded;
    folded.reserve(text.size());
    for (const char32_t code : composedCharacters(text)) {
        if (code < 0x80)
            folded += static_cast<char>(code >= 'A' && code <= 'Z' ? code - 'A' + 'a' : code);
        else
            appendFolded(code, folded);
    }
    return folded;
}

std::string placeQueryProblem(std::string_view text)
{
    if (validUtf8(text) != text)
        return "is not valid UTF-8";
    if (composedCharacters(text).size() < kPlaceQueryMinCharacters)
        return "is shorter than " + std::to_string(kPlaceQueryMinCharacters) + " characters";
    return std::string();
}

std::span<const Place> allPlaces() { return placeTable().places; }

std::vector<const Place*> findPlaces(std::string_view text, std::size_t maxCount)
{
    std::vector<const Place*> places;
    for (const FoundPlace& found : searchPlaces(text, maxCount))
        places.push_back(found.place);
    return places;
}

PlaceChoice bestPlace(std::string_view text)
{
    const std::vector<FoundPlace> found = searchPlaces(text, 1);
    if (found.empty())
        return PlaceChoice{};
    return PlaceChoice{found.front().place, found.front().kind == Match::Whole};
}

const Place* principalCityOfZone(std::string_view zoneName)
{
    const PlaceTable& table = placeTable();
    for (const auto& [zone, place] : table.principalCities)
        if (zone == zoneName)
            return &table.places[place];
    return nullptr;
}

std::string placeDisplayName(const Place& place)
{
    std::string text(place.name);
    if (!place.region.empty())
        text.append(", ").append(place.region);
    if (!place.country.empty())
        text.append(", ").append(place.country);
    return text;
}

}  // namespace qv
