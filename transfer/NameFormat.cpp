#include "transfer/NameFormat.h"

#include "library/Utf16.h"
#include "transfer/PathComponent.h"

namespace {

using Field = NameFormat::Field;

struct FieldName {
    std::string_view name;
    Field field;
};

constexpr FieldName kFieldNames[] = {
    {"title", Field::Title}, {"artist", Field::Artist},
    {"album", Field::Album}, {"albumartist", Field::AlbumArtist},
    {"genre", Field::Genre}, {"composer", Field::Composer},
    {"year", Field::Year},   {"track", Field::Track},
    {"disc", Field::Disc},
};

bool IsNumber(Field field) {
    return field == Field::Year || field == Field::Track || field == Field::Disc;
}

// "track" or "track:02" into the piece.
bool ParseField(std::string_view spec, NameFormat::Piece& piece, std::string& error) {
    const size_t colon = spec.find(':');
    const std::string_view name = spec.substr(0, colon);
    bool known = false;
    for (const FieldName& entry : kFieldNames)
        if (entry.name == name)
            piece.field = entry.field, known = true;
    if (!known) {
        error = "unknown field {" + std::string(spec) + "}";
        return false;
    }
    piece.hasField = true;
    if (colon == std::string_view::npos)
        return true;
    const std::string_view width = spec.substr(colon + 1);
    if (!IsNumber(piece.field) || width.size() != 2 || width[0] != '0' || width[1] < '1' ||
        width[1] > '9') {
        // Appended: GCC 12's -Wrestrict misreads an inlined "{" + std::string.
        error = '{';
        error += spec;
        error += "} needs a number field and a width 01 to 09";
        return false;
    }
    piece.width = width[1] - '0';
    return true;
}

std::string Number(uint32_t value, int width) {
    if (value == 0)
        return {};
    std::string digits = std::to_string(value);
    if (digits.size() < size_t(width))
        digits.insert(0, size_t(width) - digits.size(), '0');
    return digits;
}

const char16_t* Text(const NameFields& fields, Field field) {
    switch (field) {
    case Field::Title:
        return fields.title;
    case Field::Artist:
        return fields.artist;
    case Field::Album:
        return fields.album;
    case Field::AlbumArtist:
        return fields.albumArtist && *fields.albumArtist ? fields.albumArtist : fields.artist;
    case Field::Genre:
        return fields.genre;
    case Field::Composer:
        return fields.composer;
    default:
        return nullptr;
    }
}

uint32_t NumberOf(const NameFields& fields, Field field) {
    return field == Field::Year ? fields.year : field == Field::Track ? fields.track : fields.disc;
}

// A value as it may stand in a name: a "/" in it is a character, never a level.
std::string Value(const NameFormat::Piece& piece, const NameFields& fields) {
    if (IsNumber(piece.field))
        return Number(NumberOf(fields, piece.field), piece.width);
    return SafePathComponent(Utf16View(Text(fields, piece.field)));
}

} // namespace

bool NameFormat::Parse(std::string_view format, NameFormat& out, std::string& error) {
    out.levels.clear();
    if (format.empty())
        return true; // the organize rule names the copies
    std::vector<std::vector<Piece>> levels(1);
    Piece piece;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '/') {
            levels.back().push_back(std::move(piece));
            levels.emplace_back();
            piece = Piece{};
        } else if (c == '{') {
            const size_t close = format.find('}', i);
            if (close == std::string_view::npos) {
                error = "a '{' without its '}'";
                return false;
            }
            if (!ParseField(format.substr(i + 1, close - i - 1), piece, error))
                return false;
            levels.back().push_back(std::move(piece));
            piece = Piece{};
            i = close;
        } else {
            piece.text += c;
        }
    }
    levels.back().push_back(std::move(piece));
    out.levels = std::move(levels);
    return true;
}

// The text before the level's first field stands only with that field's
// value, and the text after its last field only with that one's; the text
// between two fields separates their values and goes with an empty one.
std::string NameFormat::ApplyLevel(const std::vector<Piece>& level,
                                   const NameFields& fields) const {
    std::string name;
    const std::string* separator = nullptr; // the text after the last value written
    bool lastHadValue = true;               // a level of text alone stands as it is
    for (size_t k = 0; k < level.size(); ++k) {
        const Piece& piece = level[k];
        if (!piece.hasField) {
            if (lastHadValue)
                name += piece.text;
            break;
        }
        const std::string value = Value(piece, fields);
        lastHadValue = !value.empty();
        if (!lastHadValue)
            continue;
        if (k == 0)
            name += piece.text;
        else if (separator)
            name += *separator;
        name += value;
        separator = k + 1 < level.size() ? &level[k + 1].text : nullptr;
    }
    return name;
}

FormattedName NameFormat::Apply(const NameFields& fields) const {
    FormattedName result;
    for (size_t i = 0; i < levels.size(); ++i) {
        std::string level = SafePathComponent(FromUtf8(ApplyLevel(levels[i], fields)));
        if (i + 1 == levels.size())
            result.title = std::move(level);
        else if (!level.empty())
            result.folders.push_back(std::move(level));
    }
    return result;
}
