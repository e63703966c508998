#include "transfer/TagWriter.h"

#include <taglib/aifffile.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/flacfile.h>
#include <taglib/flacpicture.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4coverart.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/popularimeterframe.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

namespace {

using TagLib::String;

String Utf8(const std::string& text) {
    return String(text, String::UTF8);
}

TagLib::ByteVector JpegBytes(const std::vector<uint8_t>& jpeg) {
    return TagLib::ByteVector(reinterpret_cast<const char*>(jpeg.data()),
                              static_cast<unsigned>(jpeg.size()));
}

TagWriteResult Saved(bool saved) {
    return saved ? TagWriteResult::Tagged : TagWriteResult::NotSaved;
}

// Adds the standard properties the file lacks. Properties it has, and the
// frames no property names (pictures, ratings), are left as they are.
void FillStandard(TagLib::File& file, const TagValues& values, bool separateTotals) {
    TagLib::PropertyMap properties = file.properties();
    bool added = false;
    for (const auto& [key, value] : StandardProperties(values, separateTotals)) {
        const String name(key);
        if (properties.contains(name) && !properties[name].isEmpty())
            continue;
        properties.replace(name, TagLib::StringList(Utf8(value)));
        added = true;
    }
    if (added)
        file.setProperties(properties);
}

// ----- ID3v2 (MP3, WAV, AIFF) -----

void SetUserText(TagLib::ID3v2::Tag& tag, const char* description, const std::string& text) {
    auto* frame = TagLib::ID3v2::UserTextIdentificationFrame::find(&tag, description);
    if (!frame) {
        frame = new TagLib::ID3v2::UserTextIdentificationFrame(String::UTF8);
        frame->setDescription(description);
        tag.addFrame(frame);
    }
    frame->setText(Utf8(text));
}

// The POPM frame without an email is the one players share; others belong
// to the programs named in theirs.
void SetPopularimeter(TagLib::ID3v2::Tag& tag, int stars, uint32_t plays) {
    const TagLib::ID3v2::FrameList existing = tag.frameList("POPM");
    for (TagLib::ID3v2::Frame* frame : existing) {
        const auto* popm = dynamic_cast<TagLib::ID3v2::PopularimeterFrame*>(frame);
        if (popm && popm->email().isEmpty())
            tag.removeFrame(frame);
    }
    auto* popm = new TagLib::ID3v2::PopularimeterFrame();
    popm->setRating(PopularimeterRating(stars));
    popm->setCounter(plays);
    tag.addFrame(popm);
}

void AddFrontCover(TagLib::ID3v2::Tag& tag, const std::vector<uint8_t>* jpeg) {
    if (!jpeg || !tag.frameList("APIC").isEmpty())
        return;
    auto* picture = new TagLib::ID3v2::AttachedPictureFrame();
    picture->setMimeType("image/jpeg");
    picture->setType(TagLib::ID3v2::AttachedPictureFrame::FrontCover);
    picture->setPicture(JpegBytes(*jpeg));
    tag.addFrame(picture);
}

void WriteId3v2Extras(TagLib::ID3v2::Tag& tag, const TagValues& values,
                      const std::vector<uint8_t>* jpeg) {
    if (values.stars > 0)
        SetUserText(tag, "FMPS_Rating", FmpsRatingText(values.stars));
    if (values.playCount > 0)
        SetUserText(tag, "FMPS_Playcount", std::to_string(values.playCount));
    if (values.stars > 0 || values.playCount > 0)
        SetPopularimeter(tag, values.stars, values.playCount);
    AddFrontCover(tag, jpeg);
}

// Fills the MP3's ID3v2 tag in memory and gives the version to write it in.
TagLib::ID3v2::Version FillMpeg(TagLib::MPEG::File& file, const TagValues& values,
                                const std::vector<uint8_t>* jpeg) {
    FillStandard(file, values, false);
    TagLib::ID3v2::Tag& tag = *file.ID3v2Tag(true);
    WriteId3v2Extras(tag, values, jpeg);
    // A file tagged in ID3v2.3 stays readable by the players that wrote it.
    return tag.header()->majorVersion() == 3 ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4;
}

TagWriteResult TagMpeg(const char* path, const TagValues& values,
                       const std::vector<uint8_t>* jpeg) {
    TagLib::MPEG::File file(path, false);
    if (!file.isValid())
        return TagWriteResult::Refused;
    const TagLib::ID3v2::Version version = FillMpeg(file, values, jpeg);
    // ID3v2 alone: an ID3v1 tag at the end stays as the file has it.
    return Saved(file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripNone, version,
                           TagLib::File::DoNotDuplicate));
}

// Where each RIFF format keeps its ID3v2 tag.
TagLib::ID3v2::Tag* Id3v2Of(TagLib::RIFF::WAV::File& file) {
    return file.ID3v2Tag();
}
TagLib::ID3v2::Tag* Id3v2Of(TagLib::RIFF::AIFF::File& file) {
    return file.tag();
}

template <class RiffFile>
TagWriteResult TagRiff(const char* path, const TagValues& values,
                       const std::vector<uint8_t>* jpeg) {
    RiffFile file(path, false);
    if (!file.isValid() || !Id3v2Of(file))
        return TagWriteResult::Refused;
    FillStandard(file, values, false);
    WriteId3v2Extras(*Id3v2Of(file), values, jpeg);
    return Saved(file.save());
}

// ----- MP4 -----

void SetFreeform(TagLib::MP4::Tag& tag, const char* name, const std::string& text) {
    std::string key = "----:com.apple.iTunes:";
    key += name;
    tag.setItem(String(key), TagLib::StringList(Utf8(text)));
}

TagWriteResult TagMp4(const char* path, const TagValues& values, const std::vector<uint8_t>* jpeg) {
    TagLib::MP4::File file(path, false);
    if (!file.isValid() || !file.tag())
        return TagWriteResult::Refused;
    FillStandard(file, values, false);
    TagLib::MP4::Tag& tag = *file.tag();
    if (values.stars > 0)
        SetFreeform(tag, "FMPS_Rating", FmpsRatingText(values.stars));
    if (values.playCount > 0)
        SetFreeform(tag, "FMPS_Playcount", std::to_string(values.playCount));
    if (jpeg && !tag.contains("covr"))
        tag.setItem("covr", TagLib::MP4::CoverArtList().append(TagLib::MP4::CoverArt(
                                TagLib::MP4::CoverArt::JPEG, JpegBytes(*jpeg))));
    return Saved(file.save());
}

// ----- Vorbis comments (FLAC, Ogg) -----

void WriteRatingComments(TagLib::Ogg::XiphComment& comment, const TagValues& values) {
    if (values.stars > 0)
        comment.addField("FMPS_RATING", Utf8(FmpsRatingText(values.stars)), true);
    if (values.playCount > 0)
        comment.addField("FMPS_PLAYCOUNT", Utf8(std::to_string(values.playCount)), true);
}

TagLib::FLAC::Picture* FrontCoverPicture(const std::vector<uint8_t>& jpeg) {
    auto* picture = new TagLib::FLAC::Picture();
    picture->setType(TagLib::FLAC::Picture::FrontCover);
    picture->setMimeType("image/jpeg");
    picture->setData(JpegBytes(jpeg));
    return picture;
}

TagWriteResult TagFlac(const char* path, const TagValues& values,
                       const std::vector<uint8_t>* jpeg) {
    TagLib::FLAC::File file(path, false);
    if (!file.isValid())
        return TagWriteResult::Refused;
    file.xiphComment(true);
    FillStandard(file, values, true);
    WriteRatingComments(*file.xiphComment(), values);
    if (jpeg && file.pictureList().isEmpty())
        file.addPicture(FrontCoverPicture(*jpeg));
    return Saved(file.save());
}

template <class OggFile>
TagWriteResult TagOgg(const char* path, const TagValues& values, const std::vector<uint8_t>* jpeg) {
    OggFile file(path, false);
    if (!file.isValid() || !file.tag())
        return TagWriteResult::Refused;
    FillStandard(file, values, true);
    TagLib::Ogg::XiphComment& comment = *file.tag();
    WriteRatingComments(comment, values);
    if (jpeg && comment.pictureList().isEmpty())
        comment.addPicture(FrontCoverPicture(*jpeg));
    return Saved(file.save());
}

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

const char* TagWriteText(TagWriteResult result) {
    switch (result) {
    case TagWriteResult::Tagged:
        return "tagged";
    case TagWriteResult::NotTaggable:
        return "not a format that takes tags";
    case TagWriteResult::Refused:
        return "taglib could not read the file";
    case TagWriteResult::NotSaved:
        return "taglib could not save the tags";
    }
    return "unknown tag result";
}

TagWriteResult WriteTags(const std::string& path, const std::string& ext, const TagValues& values,
                         const std::vector<uint8_t>* jpeg) {
    const std::string format = LowerCase(ext);
    const char* file = path.c_str();
    if (format == ".mp3")
        return TagMpeg(file, values, jpeg);
    if (format == ".m4a" || format == ".m4b" || format == ".m4p" || format == ".mp4")
        return TagMp4(file, values, jpeg);
    if (format == ".flac")
        return TagFlac(file, values, jpeg);
    if (format == ".ogg" || format == ".oga")
        return TagOgg<TagLib::Ogg::Vorbis::File>(file, values, jpeg);
    if (format == ".opus")
        return TagOgg<TagLib::Ogg::Opus::File>(file, values, jpeg);
    if (format == ".wav")
        return TagRiff<TagLib::RIFF::WAV::File>(file, values, jpeg);
    if (format == ".aif" || format == ".aiff")
        return TagRiff<TagLib::RIFF::AIFF::File>(file, values, jpeg);
    return TagWriteResult::NotTaggable;
}

bool RenderFrontTag(const std::string& source, const std::string& ext, const TagValues& values,
                    const std::vector<uint8_t>* jpeg, FrontTag& front) {
    if (LowerCase(ext) != ".mp3")
        return false;
    TagLib::FileStream stream(source.c_str(), true);
    if (!stream.isOpen())
        return false;
    TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    if (!file.isValid())
        return false;
    uint64_t replaced = 0;
    if (file.hasID3v2Tag()) {
        // A tag after leading junk is saved in its place; WriteTags does that.
        stream.seek(0);
        if (stream.readBlock(3) != TagLib::ID3v2::Header::fileIdentifier())
            return false;
        replaced = file.ID3v2Tag()->header()->completeTagSize();
    }
    const TagLib::ID3v2::Version version = FillMpeg(file, values, jpeg);
    // Saving an empty tag removes it; WriteTags does that too.
    if (file.ID3v2Tag()->isEmpty())
        return false;
    const TagLib::ByteVector rendered = file.ID3v2Tag()->render(version);
    front.bytes.assign(rendered.data(), rendered.size());
    front.replaced = replaced;
    return true;
}
