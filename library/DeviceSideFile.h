#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reading the small files an iPod writes beside its database (play counts,
// On-The-Go playlists). They come from the device, as the database does,
// so their size is capped and a read that fails is only a file to ignore.
enum class DeviceFileRead { Read, Missing, Unreadable, TooLarge };

class ImageBuffer;

DeviceFileRead ReadDeviceSideFile(const std::string& path, size_t maxBytes,
                                  std::vector<uint8_t>& bytes);
// As ReadDeviceSideFile, for a file that may run to megabytes: mapped
// under a read-fault guard where it can be, which spares copying it into
// memory cleared for it first, and read whole where not. A part that
// cannot be read once mapped reads as zeros (see ImageBuffer::Faulted).
DeviceFileRead MapDeviceSideFile(const std::string& path, size_t maxBytes, ImageBuffer& image);

// Reads exactly `size` bytes of `fd` into `buffer`, through interruptions.
bool ReadWholeFile(int fd, uint8_t* buffer, size_t size);
