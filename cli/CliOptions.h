#pragma once

#include <map>
#include <string>
#include <vector>

// "--name value", "--name=value" and "--flag" options; nothing positional.
struct OptionSpec {
    std::string name; // without the leading "--"
    bool takesValue = false;
};

struct ParsedOptions {
    std::map<std::string, std::string> values; // flags map to ""
    bool Has(const std::string& name) const { return values.count(name) != 0; }
    const std::string& Get(const std::string& name) const { return values.at(name); }
};

// "--help" is always accepted. On failure `error` says why, in one line.
bool ParseOptions(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
                  ParsedOptions& parsed, std::string& error);

// A whole non-negative decimal number that fits in int32_t.
bool ParseIndex(const std::string& text, int32_t& value);
