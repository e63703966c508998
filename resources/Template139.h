#pragma once

#include "resources/DialogTemplate.h"

// The window shown when no device is found.
enum : int {
    IDD_NODEVICE = 139,
    IDC_NODEVICE_RESCAN = 1000,
    IDC_NODEVICE_CANCEL = 1009,
    IDC_NODEVICE_TITLE = 1028,
    IDC_NODEVICE_EXPLANATION = 1029,
    IDC_NODEVICE_HOWTO_HEADING = 1030,
    IDC_NODEVICE_STEP1 = 1031,
    IDC_NODEVICE_STEP2 = 1032,
    IDC_NODEVICE_LINK_DISKMODE = 1034,
    IDC_NODEVICE_MOREHELP = 1035,
    IDC_NODEVICE_LINK_HOWTO = 1036,
    IDC_NODEVICE_STEP3 = 1037,
};

const DialogTemplate& NodeviceDialogTemplate();
