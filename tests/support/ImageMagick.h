#pragma once

#include <string>

#include "library/ArtworkLibrary.h"

// Pictures through ImageMagick's convert, a reader and writer independent of
// the code under test.

// Decodes any picture file into 8-bit RGB. False when convert fails.
bool ReadPictureWithImageMagick(const std::string& path, CoverPixels& pixels);

// Writes `pixels` as the format `path`'s extension names (.jpg, .png).
bool WritePictureWithImageMagick(const CoverPixels& pixels, const std::string& path);

// The mean of the channels' absolute differences, over all pixels; a large
// number when the sizes differ.
double MeanDifference(const CoverPixels& a, const CoverPixels& b);
