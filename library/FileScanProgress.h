#pragma once

#include <cstdint>

// Told about a scan of the music files as it goes; called on the scanning
// thread, after each file. A scan of thousands of files over USB takes long,
// so the owner may ask it to stop.
class FileScanProgress {
public:
    virtual ~FileScanProgress() = default;
    virtual void Scanned(uint32_t done, uint32_t total) = 0;
    virtual bool StopRequested() const = 0;
};
