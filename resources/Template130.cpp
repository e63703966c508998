#include "resources/Template130.h"

namespace {

constexpr DialogControl kControls[] = {
    {IDC_TRANSFER_BUTTON,
     ControlKind::PushButton,
     {276, 46, 50, 14},
     u"Cancel",
     StyleDefaultButton | StyleTabStop},
    {IDC_TRANSFER_PROGRESS, ControlKind::ProgressBar, {6, 30, 320, 8}, u"", StyleThinBorder},
    {IDC_TRANSFER_LABEL, ControlKind::StaticText, {6, 15, 320, 8}, u"Copying file", StyleAlignLeft},
};

constexpr DialogTemplate kTemplate{IDD_TRANSFER, 334, 66, DialogPopup | DialogCentered, kControls};

} // namespace

const DialogTemplate& TransferDialogTemplate() {
    return kTemplate;
}
