#pragma once

#include <cstddef>
#include <cstdint>

// Where the reader finds its fields inside each iTunesDB chunk (bytes from
// the chunk's start, little-endian 32-bit unless noted). Everything else in
// a chunk is stepped over by its lengths.
namespace chunk {

constexpr size_t kHeaderLength = 4;
constexpr size_t kTotalLength = 8; // child count in mhlt and mhlp

constexpr size_t kRootDataSetCount = 20; // mhbd
constexpr size_t kRootFixed = 24;

constexpr size_t kDataSetKind = 12; // mhsd
constexpr size_t kDataSetFixed = 16;
constexpr uint32_t kTrackListKind = 1;
constexpr uint32_t kPlaylistListKind = 2;
// Podcast-grouped copy of the playlist list; read only when a file has no
// kind 2 within its root's count, as iPod shuffle databases do.
constexpr uint32_t kPodcastPlaylistListKind = 3;

constexpr size_t kListFixed = 12; // mhlt, mhlp

constexpr size_t kTrackObjectCount = 12; // mhit
constexpr size_t kTrackId = 16;
constexpr size_t kTrackFileSize = 36;
constexpr size_t kTrackFixed = 40;
constexpr size_t kTrackLengthMs = 40; // inside the kind word's reach, checked with it
constexpr size_t kTrackKindFlag = 208;

// mhit fields kept beside the track table. Each counts only where it lies
// inside the chunk's header length: older databases end their headers
// sooner, and a field beyond the header is absent, not zero.
constexpr size_t kTrackCompilation = 30; // 8 bits
constexpr size_t kTrackRating = 31;      // 8 bits
constexpr size_t kTrackNumber = 44;
constexpr size_t kTrackCount = 48;
constexpr size_t kTrackYear = 52;
constexpr size_t kTrackPlayCount = 80;
constexpr size_t kTrackLastPlayed = 88;
constexpr size_t kTrackDiscNumber = 92;
constexpr size_t kTrackDiscCount = 96;
constexpr size_t kTrackDateAdded = 104;
constexpr size_t kTrackDbid = 112; // 64 bits
constexpr size_t kTrackSkipCount = 156;
constexpr size_t kTrackLastSkipped = 160;
constexpr size_t kTrackArtworkLink = 352;
// Headers shorter than this hold something else at kTrackArtworkLink.
constexpr size_t kTrackArtworkLinkHeader = 0x184;

constexpr size_t kObjectType = 12; // mhod
constexpr size_t kObjectFixed = 16;
constexpr size_t kStringByteLength = 28;
constexpr size_t kStringStart = 40;

constexpr size_t kPlaylistObjectCount = 12; // mhyp
constexpr size_t kPlaylistItemCount = 16;
constexpr size_t kPlaylistMasterByte = 20;
constexpr size_t kPlaylistFixed = 21;

constexpr size_t kItemTrackId = 24; // mhip
constexpr size_t kItemFixed = 28;

// mhod types read from tracks; type 1 is also a playlist's name.
constexpr uint32_t kTitle = 1;
constexpr uint32_t kLocation = 2;
constexpr uint32_t kAlbum = 3;
constexpr uint32_t kArtist = 4;
constexpr uint32_t kGenre = 5;
constexpr uint32_t kComposer = 12;
constexpr uint32_t kAlbumArtist = 22;

} // namespace chunk
