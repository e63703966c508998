#pragma once

#include "library/TrackRecord.h"

#include <atomic>
#include <cstdint>
#include <string>

class ArtworkLibrary;
class ByteCopier;
class CItuneDB;
class CopyProgressSink;
class NameFormat;
class RunNames;

// Everything one walk of the copy worker reads. The owner (the transfer
// dialog, or the CLI) fills it completely before starting the worker, keeps
// it alive until the worker has returned, and changes nothing in it while
// the worker runs except `cancelRequested`.
struct CopyJob {
    // Absolute output folder, UTF-8, always ending in "/".
    std::string outputFolder;
    // The shown playlist view (CItuneDB::viewRows), walked in its current
    // order; borrowed. Rows are read under g_trackTableLock.
    TrackRecord* rows = nullptr;
    uint32_t rowCount = 0;
    // Artist and album sub-folders, or every file straight into outputFolder.
    bool keepOrganized = false;
    // Names the copies (folders and title) instead of keepOrganized's rule
    // when set and not empty; borrowed.
    const NameFormat* nameFormat = nullptr;
    // Where nameFormat finds the rows' details; borrowed, may be null.
    const CItuneDB* library = nullptr;
    // Replace an existing file, or look for a free numbered name.
    bool overwriteExisting = true;
    // A row whose file is already in the folder, byte for byte, under its
    // plain or a numbered name, is counted as there and not copied again.
    bool skipIdentical = false;
    // Writes cover.jpg into each folder of copies whose rows have a cover:
    // the artwork database's, or for rows read from the files, their own.
    bool writeCovers = false;
    // Fills the tags each copy lacks, its rating and play count from the
    // library (and its front cover) before the copy takes its name.
    bool writeTags = false;
    // The device's covers for writeCovers and writeTags; borrowed, may be null.
    const ArtworkLibrary* artwork = nullptr;
    // Set by the owner's thread to stop before the next row.
    std::atomic<bool> cancelRequested{false};
    // Set by the owner's thread to stop at once: the file being copied is
    // abandoned (its temporary file removed) and the walk ends as cancelled.
    std::atomic<bool> abortRequested{false};
    // Receives WM_COPY_PROGRESS; borrowed, must outlive the walk.
    CopyProgressSink* progress = nullptr;
    // Borrowed; null means KernelByteCopier(). Tests put fakes here.
    ByteCopier* byteCopier = nullptr;
    // What the walk learns of the names it writes; borrowed, for an owner
    // that writes more files (playlists) by the same rules after the walk.
    // Null: the walk keeps its own.
    RunNames* names = nullptr;
};
