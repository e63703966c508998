#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

// Writes a JSON array of flat objects, one object per line; each object
// reaches the stream at EndObject. Every string comes out as valid UTF-8:
// control characters are escaped, lone surrogates and invalid bytes become
// U+FFFD.
class JsonArrayWriter {
public:
    explicit JsonArrayWriter(std::ostream& out);
    ~JsonArrayWriter(); // closes the array

    void BeginObject();
    void EndObject();
    void TextField(std::string_view key, const char16_t* text); // null text gives null
    void TextField(std::string_view key, std::string_view utf8);
    void NullField(std::string_view key);
    void NumberField(std::string_view key, int64_t number);
    void BoolField(std::string_view key, bool value);

private:
    void Key(std::string_view key);
    std::ostream& out;
    std::string line; // the object being written
    bool firstObject = true;
    bool firstField = true;
};

// The JSON string literal for `utf8`, quotes included.
std::string JsonQuote(std::string_view utf8);
