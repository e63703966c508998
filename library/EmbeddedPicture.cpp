#include "library/EmbeddedPicture.h"

#include <taglib/aifffile.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/wavfile.h>

#include "library/TagReadStream.h"

namespace {

using TagLib::ByteVector;

ByteVector Id3v2Picture(const TagLib::ID3v2::Tag* tag) {
    if (!tag)
        return {};
    const TagLib::ID3v2::FrameList& frames = tag->frameListMap()["APIC"];
    const TagLib::ID3v2::AttachedPictureFrame* first = nullptr;
    for (const TagLib::ID3v2::Frame* frame : frames) {
        const auto* picture = dynamic_cast<const TagLib::ID3v2::AttachedPictureFrame*>(frame);
        if (!picture)
            continue;
        if (picture->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover)
            return picture->picture();
        if (!first)
            first = picture;
    }
    return first ? first->picture() : ByteVector();
}

ByteVector FlacPicture(TagLib::FLAC::File& file) {
    const TagLib::List<TagLib::FLAC::Picture*> pictures = file.pictureList();
    for (const TagLib::FLAC::Picture* picture : pictures)
        if (picture->type() == TagLib::FLAC::Picture::FrontCover)
            return picture->data();
    if (!pictures.isEmpty())
        return pictures.front()->data();
    // Some taggers put an ID3v2 tag in front of the stream instead.
    return file.hasID3v2Tag() ? Id3v2Picture(file.ID3v2Tag()) : ByteVector();
}

ByteVector Mp4Picture(TagLib::MP4::File& file) {
    const TagLib::MP4::Tag* tag = file.tag();
    if (!tag || !tag->contains("covr"))
        return {};
    const TagLib::MP4::CoverArtList covers = tag->item("covr").toCoverArtList();
    return covers.isEmpty() ? ByteVector() : covers.front().data();
}

ByteVector PictureOf(TagLib::File* file) {
    if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(file))
        return mpeg->hasID3v2Tag() ? Id3v2Picture(mpeg->ID3v2Tag()) : ByteVector();
    if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(file))
        return Mp4Picture(*mp4);
    if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(file))
        return FlacPicture(*flac);
    if (auto* aiff = dynamic_cast<TagLib::RIFF::AIFF::File*>(file))
        return aiff->hasID3v2Tag() ? Id3v2Picture(aiff->tag()) : ByteVector();
    if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(file))
        return wav->hasID3v2Tag() ? Id3v2Picture(wav->ID3v2Tag()) : ByteVector();
    return {};
}

} // namespace

bool ReadEmbeddedPicture(const std::string& path, std::vector<uint8_t>& picture) {
    picture.clear();
    uint64_t size = 0;
    const int fd = OpenRegularFileForTags(path, size);
    if (fd < 0)
        return false;
    TagReadStream stream(fd, path, size);
    const TagLib::FileRef file(&stream, false);
    if (file.isNull())
        return false;
    const ByteVector bytes = PictureOf(file.file());
    picture.assign(bytes.begin(), bytes.end());
    return !picture.empty();
}
