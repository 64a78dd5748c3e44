#pragma once
// Reading the reference tables under tests/ (lines of blank-separated fields, "#"
// comments).
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "test_environment.h"

namespace qv::testing {

using qv::test::sourcePath;

// Every non-comment line of a data file, split into fields; empty when the file is missing.
inline std::vector<std::vector<std::string>> readTable(const std::string& name)
{
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(sourcePath("tests/" + name));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::vector<std::string> row;
        for (std::string field; fields >> field;)
            row.push_back(field);
        rows.push_back(row);
    }
    return rows;
}

// MJD at 0h of the civil day whose noon is the Julian day number jdn.
inline double mjdOfDayNumber(long long jdn) { return static_cast<double>(jdn - 2400001); }

inline std::vector<int> toInts(const std::vector<std::string>& fields, std::size_t first = 0)
{
    std::vector<int> values;
    for (std::size_t i = first; i < fields.size(); ++i)
        values.push_back(std::stoi(fields[i]));
    return values;
}

}  // namespace qv::testing
