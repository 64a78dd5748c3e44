#include <cstdio>

#include "cli/commands.h"

int main(int argc, char** argv) { return qv::runCli(argc, argv, stdout, stderr); }
