#pragma once
// Where the tests find the source tree (reference data, golden pages) and the batch companion:
// the environment wins, else the paths the build compiled in.
#include <cstdlib>
#include <string>

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

}  // namespace qv::test
