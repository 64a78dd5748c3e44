#pragma once
// Builds an argv for the batch companion's functions from a list of words, and runs the
// companion in-process for its exit status and printed texts.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"

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

// Everything written to a temporary stream, from its start.
inline std::string streamText(std::FILE* file)
{
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;)
        text.push_back(static_cast<char>(c));
    return text;
}

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

inline CliResult runInProcess(std::vector<std::string> words)
{
    CliArgs args(std::move(words));
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    CliResult result{runCli(args.argc(), args.argv(), out, err), streamText(out), streamText(err)};
    std::fclose(out);
    std::fclose(err);
    return result;
}

}  // namespace qv
