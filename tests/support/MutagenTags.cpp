#include "support/MutagenTags.h"

#include <cstdio>
#include <sstream>

namespace {

// Single quotes only around the script and the path, so none inside.
constexpr const char* kScript = R"PY(
import base64, sys, mutagen, mutagen.flac, mutagen.id3
f = mutagen.File(sys.argv[1])
kind = type(f).__name__ if f is not None else "none"
tags = f.tags if f is not None and f.tags is not None else None
out = []
def add(key, value):
    out.append("%s=%s" % (key, value))
if tags is None:
    pass
elif isinstance(tags, mutagen.id3.ID3):
    for frame in tags.values():
        fid = frame.FrameID
        if fid == "TXXX":
            add("TXXX:" + frame.desc, frame.text[0])
        elif fid == "POPM":
            add("POPM:" + frame.email, "%d/%d" % (frame.rating, getattr(frame, "count", 0)))
        elif fid == "APIC":
            add("APIC", "%d/%s/%d" % (frame.type, frame.mime, len(frame.data)))
        elif fid.startswith("T"):
            add(fid, str(frame.text[0]))
elif kind == "MP4":
    for key, values in tags.items():
        for value in values if isinstance(values, list) else [values]:
            if key == "covr":
                add(key, "%d/%d" % (value.imageformat, len(value)))
            elif isinstance(value, bytes):
                add(key, value.decode("utf-8"))
            elif isinstance(value, tuple):
                add(key, "%d/%d" % value)
            else:
                add(key, value)
else:
    for key in tags.keys():
        for value in tags[key]:
            if key.upper() == "METADATA_BLOCK_PICTURE":
                picture = mutagen.flac.Picture(base64.b64decode(value))
                add("PICTURE", "%d/%s/%d" % (picture.type, picture.mime, len(picture.data)))
            else:
                add(key.upper(), value)
for picture in getattr(f, "pictures", []):
    add("PICTURE", "%d/%s/%d" % (picture.type, picture.mime, len(picture.data)))
sys.stdout.buffer.write("\n".join([kind] + sorted(out)).encode("utf-8"))
)PY";

} // namespace

std::vector<std::string> MutagenTags(const std::string& path) {
    std::string command = "/usr/bin/python3 -c '";
    command += kScript;
    command += "' '";
    command += path;
    command += "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return {};
    std::string text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, n);
    if (::pclose(pipe) != 0)
        return {};
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
