#include "support/SampleDevice.h"

#include <filesystem>
#include <optional>

#include "library/Utf16.h"

namespace {

using Text = std::optional<std::u16string>;

dbwriter::Track MakeTrack(uint32_t id, Text title, Text artist, Text album, Text genre,
                          const char16_t* file) {
    dbwriter::Track track;
    track.id = id;
    // Large enough that the list shows sizes people recognise (0.18 MB and up),
    // small enough that every test can write a fresh device.
    track.fileSize = 150000 + 37000 * (id - 100);
    track.lengthMs = track.fileSize / 16; // as long as 128 kbit/s MPEG audio of that size
    track.title = std::move(title);
    track.artist = std::move(artist);
    track.album = std::move(album);
    track.genre = std::move(genre);
    track.location = std::u16string(u":iPod_Control:Music:") + file;
    return track;
}

} // namespace

dbwriter::Database SampleDeviceDatabase() {
    const Text none;
    dbwriter::Database db;
    db.tracks = {
        MakeTrack(101, u"Blue in Green", u"Miles Davis", u"Kind of Blue", u"Jazz", u"F00:MDBG.mp3"),
        MakeTrack(102, u"So What", u"Miles Davis", u"Kind of Blue", u"Jazz", u"F00:SOWH.mp3"),
        MakeTrack(103, u"Für Elise", u"Ludwig van Beethoven", u"Klavierstücke", u"Classical",
                  u"F01:FURE.mp3"),
        MakeTrack(104, u"夜に駆ける", u"YOASOBI", u"THE BOOK", u"J-Pop", u"F01:YORU.m4a"),
        MakeTrack(105, none, u"Unknown Busker", u"Street Tapes", u"Folk", u"F02:NOTI.mp3"),
        MakeTrack(106, u"Intro", none, u"Demo Reel", u"Rock", u"F02:INTR.mp3"),
        MakeTrack(107, u"Intro", u"The Hollow Pines", none, u"Rock", u"F03:INT2.mp3"),
        MakeTrack(108, u"Ça plane pour moi", u"Plastic Bertrand", u"An 1", u"Punk",
                  u"F03:CAPL.mp3"),
        MakeTrack(109, u"Smile \U0001F600", u"Emoji Band", u"Faces", u"Pop", u"F04:SMIL.mp3"),
        MakeTrack(110, u"Voice Memo 1", none, none, none, u"F04:MEMO.wav"),
        MakeTrack(111, u"Ελληνικά", u"Κώστας", u"Θάλασσα", u"World", u"F05:GREK.mp3"),
        MakeTrack(112, u"Last Track", u"Nobody", u"Ending", u"Ambient", u"F05:LAST.mp3"),
    };
    std::vector<uint32_t> all;
    for (const auto& track : db.tracks)
        all.push_back(track.id);
    db.playlists = {
        {false, u"Road Trip", {102, 108, 109, 102, 104}},
        {false, u"Late Night", {101, 999, 111, 112}},
        {true, u"Sample iPod", all},
        {false, u"Favourites", {103, 106, 107}},
    };
    return db;
}

bool WriteSampleDevice(const std::string& root) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path base(root);
    fs::create_directories(base / "iPod_Control" / "iTunes", error);
    if (error)
        return false;
    const dbwriter::Database db = SampleDeviceDatabase();
    if (!dbwriter::WriteFile((base / "iPod_Control/iTunes/iTunesDB").string(),
                             dbwriter::Write(db).bytes))
        return false;
    for (const auto& track : db.tracks) {
        std::string relative = ToUtf8(*track.location);
        for (char& c : relative)
            c = c == ':' ? '/' : c;
        const fs::path file = base / relative.substr(1);
        fs::create_directories(file.parent_path(), error);
        // Recognisable content: an ID3 tag marker, then the track id.
        std::vector<uint8_t> bytes(track.fileSize, 0);
        bytes[0] = 'I', bytes[1] = 'D', bytes[2] = '3', bytes[3] = uint8_t(track.id);
        if (error || !dbwriter::WriteFile(file.string(), bytes))
            return false;
    }
    return true;
}

bool CompressSampleDatabase(const std::string& root) {
    const std::string folder = root + "/iPod_Control/iTunes/";
    return dbwriter::WriteFile(folder + "iTunesCDB",
                               dbwriter::Compress(dbwriter::Write(SampleDeviceDatabase()).bytes)) &&
           dbwriter::WriteFile(folder + "iTunesDB", {});
}

bool WriteCompressedSampleDevice(const std::string& root) {
    return WriteSampleDevice(root) && CompressSampleDatabase(root);
}
