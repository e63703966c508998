#include "transfer/PathComponent.h"

#include "library/DirectionalControls.h"
#include "library/Utf16.h"

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool IsRefusedAscii(unsigned char c) {
    if (c < 0x20 || c == 0x7F)
        return true;
    switch (c) {
    case '/':
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return true;
    default:
        return false;
    }
}

// C1 control characters U+0080..U+009F are encoded as C2 80..C2 9F.
bool IsC1Control(std::string_view utf8, size_t i) {
    return static_cast<unsigned char>(utf8[i]) == 0xC2 && i + 1 < utf8.size() &&
           static_cast<unsigned char>(utf8[i + 1]) <= 0x9F &&
           static_cast<unsigned char>(utf8[i + 1]) >= 0x80;
}

std::string ReplaceRefusedCharacters(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const size_t directional = DirectionalControlAt(utf8, i).bytes;
        if (IsRefusedAscii(static_cast<unsigned char>(utf8[i]))) {
            out += '_';
        } else if (IsC1Control(utf8, i)) {
            out += '_';
            ++i;
        } else if (directional != 0) {
            i += directional - 1; // dropped: a name must read as it is spelled
        } else {
            out += utf8[i];
        }
    }
    return out;
}

// "(N)". Built by appending: GCC 12's -Wrestrict misreads an inlined
// "literal" + std::string as an overlapping copy.
std::string CounterSuffix(int counter) {
    std::string suffix = "(";
    suffix += std::to_string(counter);
    suffix += ')';
    return suffix;
}

} // namespace

std::string CutUtf8(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes)
        return std::string(text);
    size_t end = maxBytes;
    while (end > 0 && IsContinuationByte(text[end]))
        --end;
    return std::string(text.substr(0, end));
}

void TrimTrailingDotsAndBlanks(std::string& text) {
    while (!text.empty() && (text.back() == '.' || text.back() == ' '))
        text.pop_back();
}

std::string SafePathComponent(std::u16string_view name, size_t maxBytes) {
    std::string safe = ReplaceRefusedCharacters(ToUtf8(name));
    TrimTrailingDotsAndBlanks(safe);
    safe = CutUtf8(safe, maxBytes);
    TrimTrailingDotsAndBlanks(safe);
    return safe;
}

std::string SourceExtension(std::string_view sourcePath) {
    const size_t slash = sourcePath.rfind('/');
    const std::string_view fileName =
        slash == std::string_view::npos ? sourcePath : sourcePath.substr(slash + 1);
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || fileName.size() - dot > kMaxExtensionBytes)
        return {};
    std::string ext = ReplaceRefusedCharacters(fileName.substr(dot));
    TrimTrailingDotsAndBlanks(ext);
    return ext.size() > 1 ? ext : std::string();
}

std::string CandidateFileName(const std::string& title, int counter, const std::string& ext) {
    const std::string suffix = counter < 0 ? std::string() : CounterSuffix(counter);
    std::string base = CutUtf8(title, kMaxComponentBytes - suffix.size() - ext.size());
    // The cut can leave trailing dots or blanks, or nothing but dots.
    TrimTrailingDotsAndBlanks(base);
    if (base.empty())
        base = kUnknownTitle;
    return base + suffix + ext;
}

std::string FoldedName(std::string path) {
    for (char& c : path)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return path;
}
