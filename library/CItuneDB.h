#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "library/ImageBuffer.h"
#include "library/TableMemory.h"
#include "library/TrackDetails.h"
#include "library/TrackIdIndex.h"
#include "library/TrackRecord.h"

class DatabaseWalker;
class FileScanProgress;
class FileScanner;

// How many rows, or code units, each table of a load has room for.
struct TableRoom {
    uint64_t tracks = 0;
    uint64_t trackStringUnits = 0;
    uint64_t playlists = 0;
    uint64_t playlistNameUnits = 0;
    uint64_t members = 0;
};

// The device library: finds the iPod, reads its iTunesDB (never writes it)
// and keeps the track and playlist tables plus the view of one playlist.
// Runs on the user-interface thread; no load and no view rebuild may run
// while a transfer walks `viewRows`.
class CItuneDB {
public:
    CItuneDB();
    ~CItuneDB();
    CItuneDB(const CItuneDB&) = delete;
    CItuneDB& operator=(const CItuneDB&) = delete;

    // 1: the first removable volume (by mount point) holding
    // iPod_Control/iTunes/iTunesDB or iTunesCDB, in any letter case, or music
    // files under iPod_Control/Music; the path of the file to read
    // (ChooseDatabaseOnVolume, or where iTunesDB would be when there is none)
    // goes to dbPathOut and its mount ID to driveIndex. 0: none; driveIndex is -1
    // and dbPathOut is left alone.
    int FindDevice(std::string& dbPathOut);

    // Reads the database at `path`, which lives at
    // <volume>/iPod_Control/iTunes/iTunesDB (or iTunesCDB, compressed);
    // track locations are joined to that <volume>. 1: tables and the
    // master playlist's view built; 2: no tracks, or no playlists or playlist items (no tables
    // kept); 0: unreadable or malformed. `message` records why.
    int LoadDatabase(const std::string& path);

    // Replaces the view with the tracks of playlist row `index`, each once,
    // in playlist order, all unchecked. 1 on success (possibly empty);
    // 0 leaves the view empty (no tables, bad index, no memory).
    int BuildPlaylistView(int32_t index);

    // Frees the six tables and the view, whose rows point into them; the
    // index and the counters stay.
    void FreeTables();

    // --- read by the windows, the copy worker and the CLI (owned here) ---
    TrackRecord* viewRows = nullptr; // sortable, checkable copies of track rows
    uint32_t viewRowCount = 0;
    PlaylistRecord* playlists = nullptr; // master playlist in row 0 after a load
    uint32_t playlistCount = 0;
    int32_t driveIndex = -1;  // mount ID of the device's volume, -1 for none
    std::string message;      // diagnostic lines ending in "\r\n"; never shown
    bool outOfMemory = false; // the last LoadDatabase returned 0 for want of memory

    // The database file of the last load; its volume's root is
    // VolumeRootOfDatabase() of it.
    const std::string& DatabasePath() const { return dbPath; }

    // The folder of the volume the last load read, from its database or
    // from its music files alike ("/" for the root file system, "" before
    // any load). Nothing may ever be written below it.
    const std::string& DeviceRoot() const { return deviceRoot; }

    // --- the tables' source: the database, or the music files' own tags ---
    // Where the tables held now came from; None when there are none.
    enum class Source { None, Database, Files };
    Source source = Source::None;

    // Builds the tables from the tags of the music files on the volume at
    // `volumeRoot` (see FileScanner), for a device whose database is gone,
    // empty or unreadable. 1: tables and the master view built; 2: no music
    // files (no tables kept); 0: stopped through `progress` (the earlier
    // tables stay) or out of memory. Needs the corvane_file_scan library.
    int LoadFromFiles(const std::string& volumeRoot, FileScanProgress* progress = nullptr);

    // Playing time of a view or table row in milliseconds (offset 40 of the
    // database's mhit, or what the file says); 0 when unknown.
    uint32_t TrackLengthMs(const TrackRecord& row) const;

    // The details of a view or table row (see TrackDetails), with the
    // device's play counts merged; null when the row is not in the tables.
    const TrackDetails* DetailsOf(const TrackRecord& row) const;
    // A TrackDetails string (composer, albumArtist) from the pool; null when
    // the track has none.
    const char16_t* DetailText(uint32_t poolPlace) const;

    // True for the rows after the database's playlists that hold the
    // On-The-Go playlists made on the device since its last sync.
    bool IsOnTheGo(uint32_t playlistRow) const {
        return playlistRow < playlistCount && playlistCount - playlistRow <= onTheGoCount;
    }

private:
    friend class DatabaseWalker;
    friend class FileScanner;

    int MapDatabase();
    void UnmapDatabase();
    int LoadTables();
    void ForgetFilledRows();
    int CountFailed();
    int CountedResult();
    int FillTables();
    int FinishTables();
    int TraverseItuneDBCount();
    int TraverseItuneDB();
    int TraverseItuneDBOnce();
    template <typename Lay> bool LayTables(Lay lay);
    int AllocateTables();
    int ReserveTables();
    void ResetCounts();
    void ResetFillCursors();
    void PutMasterFirst();
    void DropTables(); // forgets the tables and the view, keeping their memory
    void FreeView();
    int32_t RowOf(const TrackRecord& row) const;
    void ReadDeviceSideFiles();
    void ReadOnTheGoFiles(const std::string& folder);
    TableRoom OnTheGoRoom() const;
    void AppendOnTheGo();
    void AppendOnTheGoPlaylist(size_t number, const std::vector<uint32_t>& indexes);

    // The walks' counters and cursors; sizes are in UTF-16 code units.
    uint32_t trackCount = 0;
    uint32_t playlistTotal = 0; // mhyp chunks counted; playlistCount is the table's rows
    uint64_t trackStringUnits = 0;
    // The composer and album artist share the pool but not the test for a
    // database without songs, which looks at the nine-word fields alone.
    uint64_t detailStringUnits = 0;
    uint64_t playlistNameUnits = 0;
    uint64_t totalMembers = 0;
    uint32_t trackFill = 0;
    uint64_t trackStringPos = 0;
    uint32_t playlistFill = 0;
    uint64_t playlistNamePos = 0;
    uint64_t memberPos = 0;
    uint32_t masterIndex = 0;
    uint32_t zeroKindCount = 0;
    uint32_t nonZeroKindCount = 0;

    std::string dbPath;
    std::string deviceRoot;
    std::u16string volumeRoot; // prefix of every location, no trailing "/"

    // The database file for one load: mapped under a read-fault guard, or
    // read whole, or inflated from a compressed one.
    ImageBuffer fileImage;

    // Every table is sized by the counting walk, or reserved at what the
    // image could hold when one walk counts and fills; all of them share one
    // mapping. The view has its own, as it is rebuilt on its own.
    TableMemory tableMemory;
    TableRoom room;
    TableMemory viewMemory;
    TrackRecord* tracks = nullptr;
    char16_t* trackStrings = nullptr;
    char16_t* playlistNames = nullptr;
    int32_t* memberIndices = nullptr;
    TrackIdIndex trackIndexById;
    // Beside `tracks`, row for row, so the nine-word TrackRecord stays as
    // every view and list expects it.
    TrackDetails* trackDetails = nullptr;

    // What the device wrote beside its database since the last sync, read
    // before the tables are laid out so that they have room for it.
    ImageBuffer playCountsFile; // for the length of a load
    bool hasPlayCounts = false;
    std::vector<std::vector<uint32_t>> onTheGoLists; // track indexes, one list a file
    uint32_t onTheGoCount = 0;                       // the last rows of `playlists` that hold them
    std::string deviceSideNotes; // why any of them was not read, for `message` after the walk's
};
