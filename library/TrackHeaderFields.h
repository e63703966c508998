#pragma once

#include <cstddef>

#include "library/ByteReader.h"
#include "library/TrackDetails.h"

// The details an mhit at `at` holds in its header: every field that lies
// inside both its header length and the image, the others absent. The
// strings (composer, album artist) come from its data objects instead.
TrackDetails ReadTrackHeaderFields(const ByteReader& reader, size_t at);
