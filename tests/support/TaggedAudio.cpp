#include "support/TaggedAudio.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <vector>

#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tpropertymap.h>

#include "library/Utf16.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put32BE(Bytes& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}
void Put16BE(Bytes& out, uint16_t v) {
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}
void Put32LE(Bytes& out, uint32_t v) {
    for (int shift = 0; shift <= 24; shift += 8)
        out.push_back(uint8_t(v >> shift));
}
void Put16LE(Bytes& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void PutTag(Bytes& out, std::string_view tag) {
    out.insert(out.end(), tag.begin(), tag.end());
}

// MPEG-1 layer III, 128 kbit/s, 44.1 kHz, mono: 417-byte frames of 1152
// samples, about 38 frames a second.
Bytes MpegFrames(uint32_t seconds, uint32_t padTo) {
    constexpr size_t kFrame = 417;
    const size_t frames = std::max<size_t>(seconds * 44100 / 1152, (padTo + kFrame - 1) / kFrame);
    Bytes out;
    out.reserve(frames * kFrame);
    for (size_t i = 0; i < frames; ++i) {
        const uint8_t header[] = {0xFF, 0xFB, 0x90, 0xC4};
        out.insert(out.end(), header, header + 4);
        out.resize(out.size() + kFrame - 4, 0);
    }
    return out;
}

Bytes Atom(std::string_view type, const Bytes& body) {
    Bytes out;
    Put32BE(out, uint32_t(8 + body.size()));
    PutTag(out, type);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// ftyp, a movie header saying how long it plays, and the media data.
Bytes Mp4Movie(uint32_t seconds, uint32_t padTo) {
    Bytes ftyp;
    PutTag(ftyp, "M4A ");
    Put32BE(ftyp, 0);
    PutTag(ftyp, "M4A mp42isom");
    Bytes mvhd(4, 0); // version 0, no flags
    Put32BE(mvhd, 0); // created
    Put32BE(mvhd, 0); // modified
    Put32BE(mvhd, 1000);
    Put32BE(mvhd, seconds * 1000);
    mvhd.resize(100, 0);
    Bytes out = Atom("ftyp", ftyp);
    const Bytes moov = Atom("moov", Atom("mvhd", mvhd));
    out.insert(out.end(), moov.begin(), moov.end());
    const Bytes mdat = Atom("mdat", Bytes(std::max<size_t>(padTo, 16), 0));
    out.insert(out.end(), mdat.begin(), mdat.end());
    return out;
}

// 8 kHz, 8-bit mono PCM.
Bytes WaveFile(uint32_t seconds, uint32_t padTo) {
    const uint32_t samples = std::max(seconds * 8000, padTo);
    Bytes out;
    PutTag(out, "RIFF");
    Put32LE(out, 4 + 8 + 16 + 8 + samples + (samples & 1));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32LE(out, 16);
    Put16LE(out, 1); // PCM
    Put16LE(out, 1);
    Put32LE(out, 8000);
    Put32LE(out, 8000);
    Put16LE(out, 1);
    Put16LE(out, 8);
    PutTag(out, "data");
    Put32LE(out, samples);
    out.resize(out.size() + samples + (samples & 1), 0x80);
    return out;
}

// An IFF chunk: its id, then its body's length, big-endian, padded to even.
Bytes IffChunk(std::string_view id, const Bytes& body) {
    Bytes out;
    PutTag(out, id);
    Put32BE(out, uint32_t(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() & 1)
        out.push_back(0);
    return out;
}

// 8 kHz, 8-bit mono; the rate as an 80-bit extended float.
Bytes AiffFile(uint32_t seconds, uint32_t padTo) {
    const uint32_t samples = std::max(seconds * 8000, padTo);
    Bytes comm;
    Put16BE(comm, 1);
    Put32BE(comm, samples);
    Put16BE(comm, 8);
    const uint8_t rate8000[10] = {0x40, 0x0B, 0xFA, 0, 0, 0, 0, 0, 0, 0};
    comm.insert(comm.end(), rate8000, rate8000 + 10);
    Bytes ssnd(8, 0);
    ssnd.resize(8 + samples, 0);
    Bytes body;
    PutTag(body, "AIFF");
    const Bytes commChunk = IffChunk("COMM", comm), ssndChunk = IffChunk("SSND", ssnd);
    body.insert(body.end(), commChunk.begin(), commChunk.end());
    body.insert(body.end(), ssndChunk.begin(), ssndChunk.end());
    return IffChunk("FORM", body);
}

// A FLAC stream of 8 kHz, 8-bit mono: its STREAMINFO block, which says how
// many samples it holds, then zeros standing in for the frames.
Bytes FlacStream(uint32_t seconds, uint32_t padTo) {
    const uint64_t samples = uint64_t(seconds) * 8000;
    Bytes out;
    PutTag(out, "fLaC");
    Put32BE(out, 0x80000000u | 34); // the last metadata block, STREAMINFO, 34 bytes
    Put16BE(out, 4096);             // smallest and largest block, in samples
    Put16BE(out, 4096);
    out.insert(out.end(), 6, 0); // frame sizes unknown
    // 20 bits of sample rate, 3 of channels - 1, 5 of bits per sample - 1,
    // then 36 of the sample count.
    const uint64_t packed = (uint64_t(8000) << 44) | (uint64_t(7) << 36) | samples;
    for (int shift = 56; shift >= 0; shift -= 8)
        out.push_back(uint8_t(packed >> shift));
    out.insert(out.end(), 16, 0); // no MD5 of the audio
    out.resize(out.size() + std::max<size_t>(padTo, 16), 0);
    return out;
}

// One Ogg page holding whole packets; readers take the checksum as given.
Bytes OggPage(uint8_t flags, uint64_t granule, uint32_t sequence,
              const std::vector<Bytes>& packets) {
    Bytes lacing, body;
    for (const Bytes& packet : packets) {
        lacing.insert(lacing.end(), packet.size() / 255, 255);
        lacing.push_back(uint8_t(packet.size() % 255));
        body.insert(body.end(), packet.begin(), packet.end());
    }
    Bytes out;
    PutTag(out, "OggS");
    out.push_back(0); // version
    out.push_back(flags);
    Put32LE(out, uint32_t(granule));
    Put32LE(out, uint32_t(granule >> 32));
    Put32LE(out, 1); // stream serial number
    Put32LE(out, sequence);
    Put32LE(out, 0);
    out.push_back(uint8_t(lacing.size()));
    out.insert(out.end(), lacing.begin(), lacing.end());
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes VorbisHeader(uint8_t type) {
    return {type, 'v', 'o', 'r', 'b', 'i', 's'};
}

// An Ogg Vorbis stream of 8 kHz mono: its identification, an empty comment
// and a stand-in setup header, then one page of stand-in audio whose
// granule position says how many samples it holds.
Bytes OggVorbis(uint32_t seconds, uint32_t padTo) {
    Bytes identification = VorbisHeader(1);
    Put32LE(identification, 0); // version
    identification.push_back(1);
    Put32LE(identification, 8000);
    identification.insert(identification.end(), 12, 0); // no bit rates given
    identification.push_back(0xB8);                     // blocks of 256 and 2048 samples
    identification.push_back(1);
    Bytes comment = VorbisHeader(3);
    Put32LE(comment, 0); // no vendor
    Put32LE(comment, 0); // no comments
    comment.push_back(1);
    Bytes out = OggPage(0x02, 0, 0, {identification});
    const Bytes headers = OggPage(0, 0, 1, {comment, VorbisHeader(5)});
    out.insert(out.end(), headers.begin(), headers.end());
    // Pages of one packet each, as many as padTo asks for, then the last,
    // which ends the stream.
    constexpr size_t kPacket = 255 * 200;
    const uint32_t full = uint32_t((padTo + kPacket - 1) / kPacket);
    for (uint32_t page = 0; page <= full; ++page) {
        const bool last = page == full;
        const Bytes audio = OggPage(last ? 0x04 : 0, last ? uint64_t(seconds) * 8000 : 0, page + 2,
                                    {Bytes(last ? 16 : kPacket, 0)});
        out.insert(out.end(), audio.begin(), audio.end());
    }
    return out;
}

std::string LowerExtension(const std::string& path) {
    const size_t dot = path.rfind('.');
    std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
    for (char& c : ext)
        c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    return ext;
}

bool Container(const std::string& path, uint32_t seconds, uint32_t padTo, Bytes& out) {
    const std::string ext = LowerExtension(path);
    if (ext == "mp3" || ext == "aac")
        out = MpegFrames(seconds, padTo);
    else if (ext == "m4a" || ext == "m4b" || ext == "m4p")
        out = Mp4Movie(seconds, padTo);
    else if (ext == "wav")
        out = WaveFile(seconds, padTo);
    else if (ext == "aif" || ext == "aiff")
        out = AiffFile(seconds, padTo);
    else if (ext == "flac")
        out = FlacStream(seconds, padTo);
    else if (ext == "ogg")
        out = OggVorbis(seconds, padTo);
    else
        return false;
    return true;
}

TagLib::String TagText(const std::optional<std::u16string>& text) {
    return text ? TagLib::String(ToUtf8(*text), TagLib::String::UTF8) : TagLib::String();
}

} // namespace

bool WriteUntaggedAudio(const std::string& path, uint32_t seconds, uint32_t padTo) {
    Bytes bytes;
    if (!Container(path, seconds, padTo, bytes))
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out.flush());
}

bool WriteTaggedAudio(const std::string& path, const AudioTags& tags, uint32_t seconds,
                      uint32_t padTo) {
    if (!WriteUntaggedAudio(path, seconds, padTo))
        return false;
    TagLib::FileRef file(path.c_str(), false);
    if (file.isNull() || !file.tag())
        return false;
    file.tag()->setTitle(TagText(tags.title));
    file.tag()->setArtist(TagText(tags.artist));
    file.tag()->setAlbum(TagText(tags.album));
    file.tag()->setGenre(TagText(tags.genre));
    if (!tags.properties.empty()) {
        TagLib::PropertyMap properties = file.file()->properties();
        for (const auto& [key, value] : tags.properties)
            properties.replace(key, TagLib::String(value, TagLib::String::UTF8));
        file.file()->setProperties(properties);
    }
    return file.save();
}
