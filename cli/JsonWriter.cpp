#include "cli/JsonWriter.h"

#include <cstdio>
#include <ostream>

#include "library/Utf16.h"

std::string JsonQuote(std::string_view utf8) {
    // Round-tripping through UTF-16 replaces every invalid sequence.
    const std::string clean = ToUtf8(FromUtf8(utf8));
    std::string out = "\"";
    for (const char c : clean) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

JsonArrayWriter::JsonArrayWriter(std::ostream& out) : out(out) {
    out << "[";
}

JsonArrayWriter::~JsonArrayWriter() {
    out << (firstObject ? "]\n" : "\n]\n");
}

void JsonArrayWriter::BeginObject() {
    out << (firstObject ? "\n  {" : ",\n  {");
    firstObject = false;
    firstField = true;
}

void JsonArrayWriter::EndObject() {
    out << "}";
}

void JsonArrayWriter::Key(std::string_view key) {
    out << (firstField ? "" : ", ") << JsonQuote(key) << ": ";
    firstField = false;
}

void JsonArrayWriter::TextField(std::string_view key, const char16_t* text) {
    if (!text)
        return NullField(key);
    Key(key);
    out << JsonQuote(ToUtf8(Utf16View(text)));
}

void JsonArrayWriter::TextField(std::string_view key, std::string_view utf8) {
    Key(key);
    out << JsonQuote(utf8);
}

void JsonArrayWriter::NullField(std::string_view key) {
    Key(key);
    out << "null";
}

void JsonArrayWriter::NumberField(std::string_view key, int64_t number) {
    Key(key);
    out << number;
}

void JsonArrayWriter::BoolField(std::string_view key, bool value) {
    Key(key);
    out << (value ? "true" : "false");
}
