#pragma once
// Where the tests find the source tree (reference data, golden pages) and the batch companion:
// the environment wins, else the paths the build compiled in.
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace qv::test {

inline std::string sourceDir()
{
    const char* root = std::getenv("QUORVEL_SOURCE_DIR");
    return root ? root : QUORVEL_TEST_SOURCE_DIR;
}

inline std::string sourcePath(const std::string& relative) { return sourceDir() + "/" + relative; }

inline std::string cliPath()
{
    const char* program = std::getenv("QUORVEL_CLI");
    return program ? program : QUORVEL_TEST_CLI;
}

// The data lines of a reference file of the source tree: every line but the empty ones and the
// comments (starting with "#").
inline std::vector<std::string> referenceLines(const std::string& relative)
{
    std::vector<std::string> lines;
    std::ifstream file(sourcePath(relative));
    for (std::string line; std::getline(file, line);)
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    return lines;
}

}  // namespace qv::test
