#pragma once

#include <string>

// The sample device (SampleDevice.h) with every track file a real audio
// file tagged as the database describes it, at least as large as the
// database says, and the sample covers. False on any failure.
bool WriteTaggedSampleDevice(const std::string& root);

// The same device after its database was lost: the music files stay, the
// iPod_Control/iTunes folder is empty.
bool WriteSampleDeviceWithoutDatabase(const std::string& root);
