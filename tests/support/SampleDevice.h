#pragma once

#include <string>

#include "support/ArtworkDbWriter.h"
#include "support/ItunesDbWriter.h"

// A dozen tracks that exercise what real libraries hold: missing artist,
// album or title, non-Latin and astral-plane names, a duplicate title; three
// playlists (one repeats a track, one names a missing track) and a master
// playlist that is not first in the file.
dbwriter::Database SampleDeviceDatabase();

// Covers for four albums (Kind of Blue, Klavierstücke, THE BOOK, Faces) as
// a classic keeps them, at 320×320 and 128×128, each track's image named
// by its dbid; the two tracks of Kind of Blue share one picture's bytes.
artwriter::Artwork SampleDeviceArtwork();

// Writes SampleDeviceArtwork() into the device at `root`.
bool WriteSampleArtwork(const std::string& root);

// Writes a folder that looks like a mounted iPod: the database at
// iPod_Control/iTunes/iTunesDB and each track's file under
// iPod_Control/Music/Fnn/, sized as the database says. False on any failure.
bool WriteSampleDevice(const std::string& root);

// The same device as a newer iPod keeps it: the database compressed in
// iPod_Control/iTunes/iTunesCDB, beside an empty iTunesDB.
bool WriteCompressedSampleDevice(const std::string& root);

// Turns the sample device written at `root` into that newer form.
bool CompressSampleDatabase(const std::string& root);
