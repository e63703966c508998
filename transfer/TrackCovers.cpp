#include "transfer/TrackCovers.h"

#include "library/ArtworkLibrary.h"
#include "library/EmbeddedPicture.h"
#include "transfer/CoverJpeg.h"
#include "transfer/CoverPng.h"

TrackCovers::TrackCovers(const ArtworkLibrary* artwork, Rows rows)
    : artwork_(artwork), rows_(rows) {}

const std::vector<uint8_t>* TrackCovers::JpegOf(const TrackDetails* details,
                                                const std::string& source) {
    if (rows_ == Rows::FromFiles)
        return EmbeddedCover(source);
    return details && artwork_ ? DatabaseCover(*details) : nullptr;
}

const std::vector<uint8_t>* TrackCovers::DatabaseCover(const TrackDetails& details) {
    const CoverRef ref = artwork_->CoverOf(details);
    if (!ref.Valid())
        return nullptr;
    auto [found, isNew] = encoded_.try_emplace(ref.key);
    if (isNew) {
        CoverPixels pixels;
        if (!artwork_->ReadCover(ref, pixels) || !EncodeCoverJpeg(pixels, found->second))
            found->second.clear();
    }
    return found->second.empty() ? nullptr : &found->second;
}

// JPEG goes through byte for byte, as the tagger stored it; PNG, the other
// format players embed, is decoded and encoded as JPEG so that it can be
// cover.jpg. Anything else is no cover.
const std::vector<uint8_t>* TrackCovers::EmbeddedCover(const std::string& source) {
    if (!ReadEmbeddedPicture(source, embedded_))
        return nullptr;
    if (IsReadableJpeg(embedded_))
        return &embedded_;
    CoverPixels pixels;
    if (LooksLikePng(embedded_) && DecodeCoverPng(embedded_, pixels) &&
        EncodeCoverJpeg(pixels, embedded_))
        return &embedded_;
    return nullptr;
}
