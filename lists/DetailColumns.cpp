#include "lists/DetailColumns.h"

namespace {

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::optional<DetailColumn> DetailColumnAt(int modelColumn) {
    const int index = modelColumn - kTrackColumnCount;
    if (index < 0 || index >= kDetailColumnCount)
        return std::nullopt;
    return static_cast<DetailColumn>(index);
}

std::string DetailColumnsSetting(const DetailColumnSet& set) {
    std::string setting;
    for (size_t i = 0; i < kDetailColumns.size(); ++i) {
        if (!set.test(i))
            continue;
        if (!setting.empty())
            setting += ',';
        setting += kDetailColumns[i].settingName;
    }
    return setting;
}

DetailColumnSet ParseDetailColumns(std::string_view setting) {
    DetailColumnSet set;
    while (!setting.empty()) {
        const size_t comma = setting.find(',');
        const std::string_view name = TrimBlanks(setting.substr(0, comma));
        for (size_t i = 0; i < kDetailColumns.size(); ++i)
            if (name == kDetailColumns[i].settingName)
                set.set(i);
        setting = comma == std::string_view::npos ? std::string_view() : setting.substr(comma + 1);
    }
    return set;
}
