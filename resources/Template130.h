#pragma once

#include "resources/DialogTemplate.h"

// The transfer progress dialog.
enum : int {
    IDD_TRANSFER = 130,
    IDC_TRANSFER_BUTTON = 1, // also the Enter key's command
    IDC_TRANSFER_PROGRESS = 1025,
    IDC_TRANSFER_LABEL = 1026,
};

const DialogTemplate& TransferDialogTemplate();
