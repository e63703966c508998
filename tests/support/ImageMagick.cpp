#include "support/ImageMagick.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string Quoted(const std::string& path) {
    std::string quoted = "'";
    for (char c : path)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string ReadAll(FILE* pipe) {
    std::string bytes;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        bytes.append(buffer, n);
    return bytes;
}

} // namespace

bool ReadPictureWithImageMagick(const std::string& path, CoverPixels& pixels) {
    std::string command = "convert ";
    command += Quoted(path) + " -depth 8 ppm:- 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return false;
    const std::string ppm = ReadAll(pipe);
    if (::pclose(pipe) != 0)
        return false;
    std::istringstream header(ppm);
    std::string magic;
    uint32_t maxValue = 0;
    header >> magic >> pixels.width >> pixels.height >> maxValue;
    const size_t start = size_t(header.tellg()) + 1;
    const size_t size = size_t(pixels.width) * pixels.height * 3;
    if (magic != "P6" || maxValue != 255 || ppm.size() != start + size)
        return false;
    pixels.rgb.assign(ppm.begin() + long(start), ppm.end());
    return true;
}

bool WritePictureWithImageMagick(const CoverPixels& pixels, const std::string& path) {
    const std::string ppmPath = path + ".ppm";
    {
        std::ofstream ppm(ppmPath, std::ios::binary);
        ppm << "P6\n" << pixels.width << " " << pixels.height << "\n255\n";
        ppm.write(reinterpret_cast<const char*>(pixels.rgb.data()), long(pixels.rgb.size()));
        if (!ppm.flush())
            return false;
    }
    std::string command = "convert ";
    command += Quoted(ppmPath) + " -quality 90 " + Quoted(path) + " 2>/dev/null";
    const bool written = std::system(command.c_str()) == 0;
    std::remove(ppmPath.c_str());
    return written;
}

double MeanDifference(const CoverPixels& a, const CoverPixels& b) {
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size() || a.rgb.empty())
        return 1e9;
    uint64_t total = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i)
        total += uint64_t(std::abs(int(a.rgb[i]) - int(b.rgb[i])));
    return double(total) / double(a.rgb.size());
}
