#pragma once
// Comparing a text with a golden file of tests/golden/ (a readable line diff on failure, the
// text written to <name>.actual in the working directory for review), and running the batch
// companion for its printed text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "test_environment.h"

namespace qv::testing {

inline std::string readTextFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Each line with its tabs shown as \t.
inline std::vector<std::string> visibleLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::string shown;
        for (char c : line)
            shown += c == '\t' ? std::string("\\t") : std::string(1, c);
        lines.push_back(shown);
    }
    return lines;
}

inline ::testing::AssertionResult matchesGolden(const std::string& goldenName, const std::string& actual)
{
    const std::string expected = readTextFile(test::sourcePath("tests/golden/" + goldenName));
    if (expected == actual)
        return ::testing::AssertionSuccess();
    std::ofstream(goldenName + ".actual", std::ios::binary) << actual;
    const std::vector<std::string> want = visibleLines(expected);
    const std::vector<std::string> got = visibleLines(actual);
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << goldenName << " differs (text written to " << goldenName << ".actual)\n";
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const std::string w = i < want.size() ? want[i] : "<missing>";
        const std::string g = i < got.size() ? got[i] : "<missing>";
        if (w != g)
            failure << "line " << i + 1 << "\n  expected: [" << w << "]\n  actual:   [" << g << "]\n";
    }
    return failure;
}

// Standard output of quorvel-cli with the arguments; exitStatus receives pclose's status.
inline std::string runCli(const std::string& arguments, int& exitStatus)
{
    const std::string command = test::cliPath() + " " + arguments;
    std::FILE* pipe = popen(command.c_str(), "r");
    std::string printed;
    if (pipe == nullptr) {
        exitStatus = -1;
        return printed;
    }
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        printed.append(buffer, n);
    exitStatus = pclose(pipe);
    return printed;
}

}  // namespace qv::testing
