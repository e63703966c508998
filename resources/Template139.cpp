#include "resources/Template139.h"

namespace {

constexpr DialogControl kControls[] = {
    {IDC_NODEVICE_TITLE,
     ControlKind::StaticText,
     {7, 7, 209, 8},
     u"No iPod Device Detected",
     StyleAlignLeft},
    {IDC_NODEVICE_EXPLANATION,
     ControlKind::StaticText,
     {18, 33, 311, 20},
     u"There's no iPod device detected. Please connect your iPod to your computer and make sure "
     u"you have configured your iPod to enable disk use.",
     StyleAlignLeft},
    {IDC_NODEVICE_HOWTO_HEADING,
     ControlKind::StaticText,
     {18, 59, 235, 8},
     u"How to transfer music from iPod to computer?",
     StyleAlignLeft},
    {IDC_NODEVICE_STEP1,
     ControlKind::StaticText,
     {46, 80, 244, 8},
     u"Step 1: Make sure your iPod is in disk mode",
     StyleAlignLeft},
    {IDC_NODEVICE_STEP2,
     ControlKind::StaticText,
     {46, 98, 145, 8},
     u"Step 2: Connect your iPod to your computer.",
     StyleAlignLeft},
    {IDC_NODEVICE_STEP3,
     ControlKind::StaticText,
     {46, 116, 285, 8},
     u"Step 3: This window will automatically disappear if iPod have been connected completely.",
     StyleAlignLeft},
    {IDC_NODEVICE_MOREHELP,
     ControlKind::StaticText,
     {18, 139, 96, 8},
     u"Need more help?",
     StyleAlignLeft},
    {IDC_NODEVICE_LINK_DISKMODE,
     ControlKind::StaticText,
     {46, 158, 159, 10},
     u"How to configure iPod to enable disk use?",
     StyleAlignLeft | StyleTabStop},
    {IDC_NODEVICE_LINK_HOWTO,
     ControlKind::StaticText,
     {46, 171, 147, 8},
     u"How to transfer music from iPod to computer?",
     StyleAlignLeft | StyleTabStop},
    {IDC_NODEVICE_RESCAN, ControlKind::PushButton, {213, 189, 52, 14}, u"Rescan", StyleTabStop},
    {IDC_NODEVICE_CANCEL, ControlKind::PushButton, {280, 189, 52, 14}, u"Cancel", StyleTabStop},
};

constexpr DialogTemplate kTemplate{IDD_NODEVICE, 350, 210, DialogPopup | DialogSystemMenu,
                                   kControls};

} // namespace

const DialogTemplate& NodeviceDialogTemplate() {
    return kTemplate;
}
