#include "base/places.h"
#include "base/utf8_text.h"
#include "cli/commands.h"

namespace qv {

namespace {

constexpr size_t kPlacesListed = 20;

}  // namespace

int runPlacesCommand(CliContext& context)
{
    if (context.text.empty()) {
        std::fputs("quorvel-cli: places needs a text: places TEXT\n", context.err);
        return kCliExitUsage;
    }
    const std::string problem = placeQueryProblem(context.text);
    if (!problem.empty()) {
        std::fprintf(context.err, "quorvel-cli: places: %s %s\n", quotedValue(context.text).c_str(), problem.c_str());
        return kCliExitUsage;
    }
    const std::vector<const Place*> found = findPlaces(context.text, kPlacesListed);
    if (found.empty()) {
        std::fprintf(context.err, "quorvel-cli: no place matches %s\n", quotedValue(context.text).c_str());
        return kCliExitUsage;
    }
    for (const Place* place : found) {
        std::fprintf(context.out, "%.*s\t%.*s\t%.*s\t%.4f\t%.4f\t%.0f\t%.*s\n",
                     static_cast<int>(place->name.size()), place->name.data(),
                     static_cast<int>(place->region.size()), place->region.data(),
                     static_cast<int>(place->country.size()), place->country.data(), place->latitudeDeg,
                     place->longitudeDeg, place->heightM, static_cast<int>(place->zone.size()),
                     place->zone.data());
    }
    return kCliExitOk;
}

}  // namespace qv
