#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a name format can name of one track; text is null where absent,
// numbers 0 where unknown.
struct NameFields {
    const char16_t* title = nullptr;
    const char16_t* artist = nullptr;
    const char16_t* album = nullptr;
    const char16_t* albumArtist = nullptr;
    const char16_t* genre = nullptr;
    const char16_t* composer = nullptr;
    uint32_t year = 0;
    uint32_t track = 0;
    uint32_t disc = 0;
};

// A track's name relative to the output folder: folders to go through,
// outermost first, and the file's title without its extension. Every part
// is a safe path component (see SafePathComponent); the title may be empty.
struct FormattedName {
    std::vector<std::string> folders;
    std::string title;
};

// A user's rule for copy names, such as "{albumartist}/{album}/{disc}-{track:02} {title}".
// Fields: {title} {artist} {album} {albumartist} (the album artist, or the
// artist when there is none) {genre} {composer} {year} {track} {disc}; a
// number takes a width, {track:02}, padded with zeros. "/" makes folders;
// the rest is text. A field with no value takes the text that separates it
// from the next field with it, and a level left empty makes no folder, so
// "{track:02} {title}" of a track without a number is "Title".
class NameFormat {
public:
    // False, with a line for the user in `error` and `out` left empty, for
    // an unknown field, a width on a text field or beyond 9, or an unclosed
    // brace.
    static bool Parse(std::string_view format, NameFormat& out, std::string& error);

    bool Empty() const { return levels.empty(); } // parsed from ""
    FormattedName Apply(const NameFields& fields) const;

    enum class Field { Title, Artist, Album, AlbumArtist, Genre, Composer, Year, Track, Disc };
    struct Piece {
        std::string text; // literal text before the field (or the level's tail)
        bool hasField = false;
        Field field = Field::Title;
        int width = 0; // zero padding of a number
    };

private:
    std::string ApplyLevel(const std::vector<Piece>& level, const NameFields& fields) const;
    std::vector<std::vector<Piece>> levels; // one per "/"-separated level
};
