#pragma once

#include <string>
#include <string_view>

// Turning untrusted device text into one safe path component.

// Longest file or folder name the common file systems take, in bytes.
inline constexpr size_t kMaxComponentBytes = 255;

// The longest tail of a source file name still taken as its extension.
inline constexpr size_t kMaxExtensionBytes = 32;

// `text` cut to at most maxBytes bytes without splitting a UTF-8 sequence.
std::string CutUtf8(std::string_view text, size_t maxBytes);

// Removes trailing dots and blanks, which Windows-shared and FAT volumes
// drop or refuse.
void TrimTrailingDotsAndBlanks(std::string& text);

// `name` as UTF-8 with "/", NUL, control characters and \ : * ? " < > |
// replaced by "_", directional controls (see DirectionalControls.h)
// dropped, trailing dots and blanks trimmed, cut to maxBytes. Empty
// when nothing usable is left (so ".", ".." and "" all count as absent); the
// result can never climb out of the folder it is joined to.
std::string SafePathComponent(std::u16string_view name, size_t maxBytes = kMaxComponentBytes);

// The extension of the file named by `sourcePath`: the tail of its last
// component from the last "." on (".mp3"), made safe. Empty when the file
// name has no dot, when the dot sits in a folder name, or when the tail is
// longer than kMaxExtensionBytes.
std::string SourceExtension(std::string_view sourcePath);

// Names used when the database gives none that can be used.
inline constexpr const char* kUnknownArtist = "Unknown Artist";
inline constexpr const char* kUnknownAlbum = "Unknown Album";
inline constexpr const char* kUnknownTitle = "Unknown Title";

// File name for `title` (a SafePathComponent result; empty gives
// kUnknownTitle, never a hidden name made of the extension alone) with the
// counter of the free-name search ("%s(%d)%s"; counter < 0 gives the plain
// name) and `ext`. The title is cut so that the whole name fits
// kMaxComponentBytes.
std::string CandidateFileName(const std::string& title, int counter, const std::string& ext);

// `path` with its ASCII capitals made small: the names that FAT and the
// volumes shared from Windows take for one.
std::string FoldedName(std::string path);
