#include <gtest/gtest.h>

#include <algorithm>

#include "cli_args.h"

namespace qv {
namespace {

// The place list in its fixed form, options after the text, and the refusals: no text, a text
// no place matches, and a text after a command that takes none.
TEST(QuorvelCliPlaces, ListsMatchesOneALineAndRefusesWhatItCannotList)
{
    const CliResult paris = runInProcess({"places", "PARÍS", "--year", "2024"});
    EXPECT_EQ(paris.status, 0);
    EXPECT_EQ(paris.out.substr(0, paris.out.find('\n') + 1),
              "Paris\tÎle-de-France\tFrance\t48.8534\t2.3488\t42\tEurope/Paris\n");
    const std::string san = runInProcess({"places", "san"}).out;
    EXPECT_EQ(std::count(san.begin(), san.end(), '\n'), 20);
    const struct {
        std::vector<std::string> words;
        const char* message;
    } refusals[] = {
        {{"places"}, "quorvel-cli: places needs a text: places TEXT\n"},
        {{"places", "Xqzzy Town"}, "quorvel-cli: no place matches 'Xqzzy Town'\n"},
        {{"phases", "Paris"}, "quorvel-cli: unexpected argument 'Paris'\n"},
    };
    for (const auto& refusal : refusals) {
        const CliResult result = runInProcess(refusal.words);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, refusal.message);
    }
}

}  // namespace
}  // namespace qv
