#pragma once
// The canon of eclipses: every eclipse of a range of years, one line each, with the time of
// greatest eclipse (UT, to the minute the eclipse lists show), the kind and the magnitude, for
// central solar eclipses the point of greatest eclipse and the central duration there, for
// lunar eclipses the umbral magnitude. As text, CSV or JSON.
#include <functional>
#include <optional>
#include <string>

#include "base/settings.h"
#include "eclipse/greatest_eclipse.h"

namespace qv {

enum class CanonFormat { Text, Csv, Json };

struct CanonEntry {
    EclipseEvent eclipse;
    GreatestEclipse greatest;
};

// Calls take(entry) for every eclipse of the years fromYear to toYear, in order, as the eclipse
// lists of those years in the settings' zone give them; TT - UT is the given one, else the
// rule's for each eclipse's instant. progress(year) follows each year.
void forEachCanonEntry(const SettingsRecord& settings, int fromYear, int toYear, std::optional<double> deltaTSeconds,
                       const std::function<void(const CanonEntry&)>& take, const std::function<void(int)>& progress);

// The line before the first entry (column names; "[" for JSON), the entry's line (first: the
// first entry; JSON objects are joined by a comma and a line break) and what follows the last
// ("]" for JSON, else nothing).
std::string canonHeader(CanonFormat format);
std::string canonLine(const CanonEntry& entry, CanonFormat format, bool first);
std::string canonFooter(CanonFormat format);

}  // namespace qv
