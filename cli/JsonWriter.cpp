#include "cli/JsonWriter.h"

#include <charconv>
#include <ostream>

#include "library/Utf16.h"

namespace {

// The escape for one byte of a JSON string, or null when it stands as it is.
const char* EscapeOf(char c, char (&control)[7]) {
    switch (c) {
    case '"':
        return "\\\"";
    case '\\':
        return "\\\\";
    case '\n':
        return "\\n";
    case '\r':
        return "\\r";
    case '\t':
        return "\\t";
    default:
        if (static_cast<unsigned char>(c) >= 0x20)
            return nullptr;
        static const char kHex[] = "0123456789abcdef";
        control[4] = kHex[(c >> 4) & 0xF];
        control[5] = kHex[c & 0xF];
        return control;
    }
}

// Quotes text that is already valid UTF-8, copying it a run at a time.
void AppendQuoted(std::string& out, std::string_view utf8) {
    out += '"';
    char control[7] = "\\u00";
    size_t runStart = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (const char* escape = EscapeOf(utf8[i], control)) {
            out.append(utf8, runStart, i - runStart);
            out += escape;
            runStart = i + 1;
        }
    }
    out.append(utf8, runStart);
    out += '"';
}

} // namespace

std::string JsonQuote(std::string_view utf8) {
    // Round-tripping through UTF-16 replaces every invalid sequence.
    std::string out;
    AppendQuoted(out, ToUtf8(FromUtf8(utf8)));
    return out;
}

JsonArrayWriter::JsonArrayWriter(std::ostream& out) : out(out) {
    out << "[";
}

JsonArrayWriter::~JsonArrayWriter() {
    out << (firstObject ? "]\n" : "\n]\n");
}

// An object is gathered in `line` and written whole: listings run to tens
// of thousands of objects, and the stream's cost is per write.
void JsonArrayWriter::BeginObject() {
    line = firstObject ? "\n  {" : ",\n  {";
    firstObject = false;
    firstField = true;
}

void JsonArrayWriter::EndObject() {
    line += '}';
    out << line;
}

void JsonArrayWriter::Key(std::string_view key) {
    if (!firstField)
        line += ", ";
    AppendQuoted(line, key);
    line += ": ";
    firstField = false;
}

void JsonArrayWriter::TextField(std::string_view key, const char16_t* text) {
    if (!text)
        return NullField(key);
    Key(key);
    AppendQuoted(line, ToUtf8(Utf16View(text))); // valid UTF-8 by construction
}

void JsonArrayWriter::TextField(std::string_view key, std::string_view utf8) {
    Key(key);
    line += JsonQuote(utf8);
}

void JsonArrayWriter::NullField(std::string_view key) {
    Key(key);
    line += "null";
}

void JsonArrayWriter::NumberField(std::string_view key, int64_t number) {
    Key(key);
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, number);
    line.append(digits, written.ptr);
}

void JsonArrayWriter::BoolField(std::string_view key, bool value) {
    Key(key);
    line += value ? "true" : "false";
}
