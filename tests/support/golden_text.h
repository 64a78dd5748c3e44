#pragma once
// Comparing texts with a readable line diff, comparing a text with a golden file of
// tests/golden/ (the text written to <name>.actual in the working directory on a difference,
// for review), the page as the batch companion prints it, and running the batch companion
// for its printed text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/page_buffer.h"
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

// Success when the texts are equal, else a failure listing the differing lines, numbered.
inline ::testing::AssertionResult sameText(const std::string& expected, const std::string& actual)
{
    if (expected == actual)
        return ::testing::AssertionSuccess();
    const std::vector<std::string> want = visibleLines(expected);
    const std::vector<std::string> got = visibleLines(actual);
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "\n";
    bool anyLine = false;
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const std::string w = i < want.size() ? want[i] : "<missing>";
        const std::string g = i < got.size() ? got[i] : "<missing>";
        if (w != g) {
            anyLine = true;
            failure << "line " << i + 1 << "\n  expected: [" << w << "]\n  actual:   [" << g << "]\n";
        }
    }
    if (!anyLine)
        failure << "the texts differ in their line ends\n";
    return failure;
}

inline ::testing::AssertionResult matchesGolden(const std::string& goldenName, const std::string& actual)
{
    const std::string expected = readTextFile(test::sourcePath("tests/golden/" + goldenName));
    ::testing::AssertionResult result = sameText(expected, actual);
    if (!result) {
        std::ofstream(goldenName + ".actual", std::ios::binary) << actual;
        result << goldenName << " differs (text written to " << goldenName << ".actual)";
    }
    return result;
}

// The page as the batch companion prints it: each line's text, then "\n".
inline std::string pageText(const PageBuffer& page)
{
    std::string text;
    for (const PageLine& line : page.lines)
        text.append(line.text).append("\n");
    return text;
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
