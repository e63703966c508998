#pragma once

// Names the single-instance lock and socket; a different version of the
// program would carry a different name and run beside this one.
inline constexpr const char* kInstanceName = "CorvaneV1.0-5D81E0B7-2F4A-4c63-9E1D-0B7C3A52F618";

// Starts the program: one instance per user (a second start brings the
// first one's window forward and ends), the program's folder as the working
// directory, then the main window until it closes.
class CCorvaneApp {
public:
    // The exit code: 0, or 1 when the data folder could not be prepared.
    int InitInstance();
};
