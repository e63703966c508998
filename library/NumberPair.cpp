#include "library/NumberPair.h"

#include <charconv>

namespace {

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

uint32_t Decimal(std::string_view text) {
    text = TrimBlanks(text);
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

} // namespace

NumberPair ParseNumberPair(std::string_view text) {
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return {Decimal(text), 0};
    return {Decimal(text.substr(0, slash)), Decimal(text.substr(slash + 1))};
}
