#include <gtest/gtest.h>

#include <algorithm>

#include "cli_args.h"

namespace qv {
namespace {

// The place list in its fixed form, options before and after the text, and the refusals: no
// text, a text too short or not UTF-8, a text no place matches, and a text after a command
// that takes none.
TEST(QuorvelCliPlaces, ListsMatchesOneALineAndRefusesWhatItCannotList)
{
    for (const std::vector<std::string>& words : {std::vector<std::string>{"places", "PARÍS", "--year", "2024"},
                                                  std::vector<std::string>{"places", "--tz", "UTC", "PARÍS"}}) {
        const CliResult paris = runInProcess(words);
        EXPECT_EQ(paris.status, 0);
        EXPECT_EQ(paris.out.substr(0, paris.out.find('\n') + 1),
                  "Paris\tÎle-de-France\tFrance\t48.8534\t2.3488\t42\tEurope/Paris\n");
    }
    const std::string san = runInProcess({"places", "san"}).out;
    EXPECT_EQ(std::count(san.begin(), san.end(), '\n'), 20);
    const struct {
        std::vector<std::string> words;
        const char* message;
    } refusals[] = {
        {{"places"}, "quorvel-cli: places needs a text: places TEXT\n"},
        {{"places", "--tz", "UTC"}, "quorvel-cli: places needs a text: places TEXT\n"},
        {{"places", "Z"}, "quorvel-cli: places: 'Z' is shorter than 2 characters\n"},
        {{"places", "Z\xff"}, "quorvel-cli: places: 'Z\xEF\xBF\xBD' is not valid UTF-8\n"},
        {{"places", "Xqzzy Town"}, "quorvel-cli: no place matches 'Xqzzy Town'\n"},
        {{"places", "Paris", "Texas"}, "quorvel-cli: unexpected argument 'Texas'\n"},
        {{"phases", "Paris"}, "quorvel-cli: unexpected argument 'Paris'\n"},
        {{"start", "--place", "P"}, "quorvel-cli: --place: 'P' is shorter than 2 characters\n"},
    };
    for (const auto& refusal : refusals) {
        const CliResult result = runInProcess(refusal.words);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, refusal.message);
    }
}

// places and --place agree on the best match; --place names on standard error the place it
// took when the text was only the start of its name, and says nothing otherwise.
TEST(QuorvelCliPlaces, PlaceOptionTakesTheFirstPlaceListed)
{
    const struct {
        const char* text;
        const char* note;
    } cases[] = {
        {"Washington", ""},
        {"Mexico", "quorvel-cli: --place: 'Mexico' is taken as Mexico City, Mexico City, Mexico\n"},
        {"Wien", ""},
        {"Kiev", ""},
        {"Paris, Texas", ""},
        {"東京", "quorvel-cli: --place: '東京' is taken as Tokyo, Tokyo, Japan\n"},
    };
    for (const auto& c : cases) {
        const std::string listed = runInProcess({"places", c.text}).out;
        const CliResult start = runInProcess({"start", "--place", c.text, "--date", "2024-01-01", "--time", "00:00:00"});
        EXPECT_EQ(start.status, 0) << c.text;
        EXPECT_EQ(start.err, c.note);
        const std::string name = listed.substr(0, listed.find('\t'));
        EXPECT_NE(start.out.find("\n" + name + " "), std::string::npos) << c.text << ": " << name;
    }
}

}  // namespace
}  // namespace qv
