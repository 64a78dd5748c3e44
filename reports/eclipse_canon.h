#pragma once
// The canon of eclipses: every eclipse of a range of years, one line each, with the time of
// greatest eclipse (UT, to the minute the eclipse lists show), the kind and the magnitude (for a
// central solar eclipse the Moon's diameter over the Sun's at greatest eclipse), for central
// solar eclipses the point of greatest eclipse and the central duration there, for lunar
// eclipses the umbral magnitude. As text, CSV or JSON.
#include <functional>
#include <string>

#include "base/settings.h"
#include "eclipse/greatest_eclipse.h"

namespace qv {

enum class CanonFormat { Text, Csv, Json };

struct CanonEntry {
    EclipseEvent eclipse;
    GreatestEclipse greatest;
};

// Calls take(entry) for every eclipse of the years fromYear to toYear of UT, in order: each
// eclipse counts in the year of its greatest eclipse (UT), as the eclipse lists of zone 0 show
// it. TT - UT is the rule's for each eclipse's instant. progress(year) follows each year.
// The years are shared out to threads; take and progress are called on the calling thread.
void forEachCanonEntry(int fromYear, int toYear, const DeltaTRule& rule,
                       const std::function<void(const CanonEntry&)>& take, const std::function<void(int)>& progress);

// The line before the first entry (column names; "[" for JSON), the entry's line (first: the
// first entry; JSON objects are joined by a comma and a line break) and what follows the last
// ("]" for JSON, else nothing).
std::string canonHeader(CanonFormat format);
std::string canonLine(const CanonEntry& entry, CanonFormat format, bool first);
std::string canonFooter(CanonFormat format);

}  // namespace qv
