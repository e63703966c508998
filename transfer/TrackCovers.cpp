#include "transfer/TrackCovers.h"

#include "library/ArtworkLibrary.h"
#include "library/EmbeddedPicture.h"
#include "transfer/CoverJpeg.h"
#include "transfer/CoverPng.h"

TrackCovers::TrackCovers(const ArtworkLibrary* artwork, Rows rows)
    : artwork_(artwork), rows_(rows) {}

TrackCovers::Found TrackCovers::Find(const TrackDetails* details, const std::string& source) {
    Found found;
    if (rows_ == Rows::FromFiles)
        found.embedded = ReadEmbeddedPicture(source, embedded_);
    else if (details && artwork_)
        found.ref = artwork_->CoverOf(*details);
    return found;
}

const std::vector<uint8_t>* TrackCovers::Jpeg(const Found& found) {
    if (found.embedded)
        return EmbeddedCover();
    return found.ref.Valid() ? DatabaseCover(found.ref) : nullptr;
}

const std::vector<uint8_t>* TrackCovers::DatabaseCover(const CoverRef& ref) {
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
const std::vector<uint8_t>* TrackCovers::EmbeddedCover() {
    if (IsReadableJpeg(embedded_))
        return &embedded_;
    CoverPixels pixels;
    if (LooksLikePng(embedded_) && DecodeCoverPng(embedded_, pixels) &&
        EncodeCoverJpeg(pixels, embedded_))
        return &embedded_;
    return nullptr;
}
