#pragma once

#include <string>
#include <vector>

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built corvane-cli with `args`, CORVANE_VOLUMES set to `volumes`
// (unset when empty), and collects its output.
CliRun RunCli(const std::vector<std::string>& args, const std::string& volumes);
