#include "cli/CliOptions.h"

#include <algorithm>
#include <cstdint>

bool ParseOptions(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
                  ParsedOptions& parsed, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0 || arg.size() == 2) {
            error = "unexpected argument '" + arg + "'";
            return false;
        }
        const size_t equals = arg.find('=');
        const std::string name =
            arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        if (name == "help") {
            parsed.values["help"];
            continue;
        }
        const auto spec = std::find_if(specs.begin(), specs.end(),
                                       [&](const OptionSpec& s) { return s.name == name; });
        if (spec == specs.end()) {
            error = "unknown option '--" + name + "'";
            return false;
        }
        if (!spec->takesValue) {
            if (equals != std::string::npos) {
                error = "option '--" + name + "' takes no value";
                return false;
            }
            parsed.values[name];
        } else if (equals != std::string::npos) {
            parsed.values[name] = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            parsed.values[name] = args[++i];
        } else {
            error = "option '--" + name + "' needs a value";
            return false;
        }
    }
    return true;
}

bool ParseIndex(const std::string& text, int32_t& value) {
    if (text.empty() || text.size() > 10)
        return false;
    int64_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    if (number > INT32_MAX)
        return false;
    value = int32_t(number);
    return true;
}
