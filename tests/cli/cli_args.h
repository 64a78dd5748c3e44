#pragma once
// Builds an argv for the batch companion's functions from a list of words.
#include <string>
#include <vector>

namespace qv {

struct CliArgs {
    explicit CliArgs(std::vector<std::string> list) : words(std::move(list))
    {
        pointers.push_back(program.data());
        for (std::string& word : words)
            pointers.push_back(word.data());
        pointers.push_back(nullptr);
    }
    int argc() const { return static_cast<int>(pointers.size()) - 1; }
    char** argv() { return pointers.data(); }

    std::string program = "quorvel-cli";
    std::vector<std::string> words;
    std::vector<char*> pointers;
};

}  // namespace qv
