#include "base/places.h"

#include <charconv>
#include <cstdint>

namespace qv {

namespace {

#include "places.inc"

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

// The character at text[i] and its length in bytes; a byte that starts no well-formed
// sequence counts as one character of its own.
char32_t decodeUtf8(std::string_view text, size_t i, size_t& length)
{
    const auto byte = static_cast<unsigned char>(text[i]);
    const size_t expected = byte < 0xC0 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
    length = 1;
    if (expected == 1 || i + expected > text.size())
        return byte;
    char32_t code = byte & (0x3F >> (expected - 1));
    for (size_t k = 1; k < expected; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return byte;
        code = code << 6 | (next & 0x3F);
    }
    length = expected;
    return code;
}

// Appends the folded form of one character: a plain letter, a letter pair, or the character.
void appendFolded(char32_t code, std::string_view original, std::string& out)
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
        out += original;
    }
}

bool isWordStart(char before)
{
    return before == ' ' || before == '-' || before == '\'' || before == '(' || before == '/' ||
           before == '.';
}

// How a search key holds the query: at its start, at the start of a later word, or not at all.
enum class Match { None, Start, WordStart };

Match matchKind(std::string_view key, std::string_view query)
{
    if (key.starts_with(query))
        return Match::Start;
    for (size_t at = key.find(query, 1); at != std::string_view::npos; at = key.find(query, at + 1))
        if (isWordStart(key[at - 1]))
            return Match::WordStart;
    return Match::None;
}

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

size_t indexField(std::string_view field)
{
    size_t value = 0;
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

// Lines of kPlaceRows, kPlaceRegions and kPlaceCountries: name, ASCII name, region, latitude,
// longitude, height, zone; country, region name; code, country name.
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
    const std::vector<std::string_view> zones = tableLines(kPlaceZones);
    PlaceTable table;
    for (std::string_view line : tableLines(kPlaceRows)) {
        std::string_view fields[7];
        splitFields(line, fields);
        const size_t region = indexField(fields[2]);
        const size_t zone = indexField(fields[6]);
        Place place{fields[0], fields[1].empty() ? fields[0] : fields[1],
                    region < regions.size() ? regions[region].first : "",
                    region < regions.size() ? regions[region].second : "",
                    zone < zones.size() ? zones[zone] : "",
                    numberField(fields[3]), numberField(fields[4]), numberField(fields[5])};
        table.nameKeys.push_back(foldedForSearch(place.name));
        std::string asciiKey = fields[1].empty() ? std::string() : foldedForSearch(place.asciiName);
        table.asciiKeys.push_back(asciiKey == table.nameKeys.back() ? std::string() : std::move(asciiKey));
        table.places.push_back(place);
    }
    return table;
}

namespace {

const PlaceTable& placeTable()
{
    static const PlaceTable table = loadPlaceTable();
    return table;
}

}  // namespace

std::string foldedForSearch(std::string_view text)
{
    std::string folded;
    folded.reserve(text.size());
    for (size_t i = 0, length = 1; i < text.size(); i += length) {
        const char32_t code = decodeUtf8(text, i, length);
        if (code < 0x80)
            folded += static_cast<char>(code >= 'A' && code <= 'Z' ? code - 'A' + 'a' : code);
        else
            appendFolded(code, text.substr(i, length), folded);
    }
    const size_t first = folded.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return folded.substr(first, folded.find_last_not_of(" \t") - first + 1);
}

std::span<const Place> allPlaces() { return placeTable().places; }

std::vector<const Place*> findPlaces(std::string_view text, std::size_t maxCount)
{
    const std::string query = foldedForSearch(text);
    std::vector<const Place*> found;
    if (query.empty() || maxCount == 0)
        return found;
    const PlaceTable& table = placeTable();
    std::vector<const Place*> wordMatches;
    for (size_t i = 0; i < table.places.size() && found.size() < maxCount; ++i) {
        Match kind = matchKind(table.nameKeys[i], query);
        if (kind != Match::Start && !table.asciiKeys[i].empty()) {
            const Match asciiKind = matchKind(table.asciiKeys[i], query);
            if (asciiKind == Match::Start || kind == Match::None)
                kind = asciiKind;
        }
        if (kind == Match::Start)
            found.push_back(&table.places[i]);
        else if (kind == Match::WordStart && wordMatches.size() < maxCount)
            wordMatches.push_back(&table.places[i]);
    }
    for (size_t i = 0; i < wordMatches.size() && found.size() < maxCount; ++i)
        found.push_back(wordMatches[i]);
    return found;
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
