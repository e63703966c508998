#pragma once

#include <string>
#include <vector>

// What an independent reader, Python's mutagen, finds in a music file: the
// format's name ("MP3", "MP4", "FLAC", ...) first, then one "KEY=value" line
// per value, sorted. ID3v2 (in MP3, WAV, AIFF) text frames by their id ("TIT2=Title"), TXXX as
// "TXXX:desc=text", POPM as "POPM:email=rating/count", APIC as
// "APIC=type/mime/bytes"; MP4 items by their atom names, freeform ones as
// "----:mean:name=text", numbers as "trkn=3/12", covers as
// "covr=format/bytes"; Vorbis comments by their upper-case names, FLAC
// pictures (and Ogg's METADATA_BLOCK_PICTURE) as "PICTURE=type/mime/bytes". Empty when mutagen
// cannot run.
std::vector<std::string> MutagenTags(const std::string& path);
