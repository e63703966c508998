#include "support/EmbeddedCover.h"

#include <taglib/attachedpictureframe.h>
#include <taglib/flacfile.h>
#include <taglib/flacpicture.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4coverart.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>

namespace {

bool IsPng(const std::vector<uint8_t>& picture) {
    return picture.size() > 4 && picture[0] == 0x89 && picture[1] == 'P';
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

bool AddEmbeddedPicture(const std::string& path, const std::vector<uint8_t>& picture, int type) {
    const TagLib::ByteVector bytes(reinterpret_cast<const char*>(picture.data()),
                                   static_cast<unsigned int>(picture.size()));
    const TagLib::String mime = IsPng(picture) ? "image/png" : "image/jpeg";
    if (EndsWith(path, ".mp3")) {
        TagLib::MPEG::File file(path.c_str(), false);
        auto* frame = new TagLib::ID3v2::AttachedPictureFrame;
        frame->setMimeType(mime);
        frame->setType(TagLib::ID3v2::AttachedPictureFrame::Type(type));
        frame->setPicture(bytes);
        file.ID3v2Tag(true)->addFrame(frame);
        return file.save(TagLib::MPEG::File::ID3v2);
    }
    if (EndsWith(path, ".m4a")) {
        TagLib::MP4::File file(path.c_str(), false);
        TagLib::MP4::CoverArtList covers;
        covers.append(TagLib::MP4::CoverArt(
            IsPng(picture) ? TagLib::MP4::CoverArt::PNG : TagLib::MP4::CoverArt::JPEG, bytes));
        file.tag()->setItem("covr", covers);
        return file.save();
    }
    if (EndsWith(path, ".flac")) {
        TagLib::FLAC::File file(path.c_str(), false);
        auto* block = new TagLib::FLAC::Picture;
        block->setMimeType(mime);
        block->setType(TagLib::FLAC::Picture::Type(type));
        block->setData(bytes);
        file.addPicture(block);
        return file.save();
    }
    return false;
}
