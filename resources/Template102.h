#pragma once

#include "resources/DialogTemplate.h"

// The main window.
enum : int {
    IDD_MAIN = 102,
    IDC_MAIN_RESCAN = 1000,
    IDC_MAIN_TRACKLIST = 1002,
    IDC_MAIN_PLAYLISTS = 1006,
    IDC_MAIN_NOTICE = 1007,
    IDC_MAIN_TITLE = 1008,
    IDC_MAIN_CLOSE = 1009,
    IDC_MAIN_MINIMIZE = 1010,
    IDC_MAIN_HELP = 1013,
    IDC_MAIN_OUTPUT_FOLDER = 1017,
    IDC_MAIN_COPY = 1019,
    IDC_MAIN_BROWSE = 1020,
    IDC_MAIN_OPEN = 1021,
    IDC_MAIN_OPEN_WHEN_DONE = 1022,
    IDC_MAIN_KEEP_ORGANIZED = 1023,
    IDC_MAIN_OUTPUT_LABEL = 1024,
    IDC_MAIN_OVERWRITE = 1027,
};

const DialogTemplate& MainDialogTemplate();
