#include "resources/Template102.h"

namespace {

constexpr DialogControl kControls[] = {
    {IDC_MAIN_RESCAN, ControlKind::PushButton, {6, 322, 90, 17}, u"Rescan Device", StyleTabStop},
    {IDC_MAIN_TRACKLIST, ControlKind::ListView, {127, 33, 420, 214}, u"", StyleTabStop},
    {IDC_MAIN_PLAYLISTS, ControlKind::ListView, {3, 33, 122, 283}, u"", StyleTabStop},
    {IDC_MAIN_NOTICE,
     ControlKind::StaticText,
     {146, 326, 310, 8},
     u"Corvane only reads your iPod: nothing on it is ever changed.",
     StyleAlignLeft | StyleNoPrefix},
    {IDC_MAIN_TITLE, ControlKind::StaticText, {33, 4, 196, 8}, u"", StyleAlignLeft | StyleNoPrefix},
    {IDC_MAIN_CLOSE, ControlKind::PushButton, {533, 3, 12, 12}, u"x", StyleTabStop},
    {IDC_MAIN_MINIMIZE, ControlKind::PushButton, {516, 2, 12, 12}, u"_", StyleTabStop},
    {IDC_MAIN_HELP, ControlKind::PushButton, {519, 16, 19, 14}, u"Help", StyleTabStop},
    {IDC_MAIN_OUTPUT_FOLDER, ControlKind::EditBox, {175, 271, 198, 13}, u"", StyleTabStop},
    {IDC_MAIN_COPY,
     ControlKind::PushButton,
     {457, 269, 67, 41},
     u"Copy to Computer",
     StyleTabStop | StyleDefaultButton},
    {IDC_MAIN_BROWSE, ControlKind::PushButton, {377, 270, 28, 14}, u"Browse", StyleTabStop},
    {IDC_MAIN_OPEN, ControlKind::PushButton, {409, 270, 22, 14}, u"Open", StyleTabStop},
    {IDC_MAIN_OPEN_WHEN_DONE,
     ControlKind::CheckBox,
     {133, 289, 165, 10},
     u"Open output folder after transfer is completed",
     StyleTabStop},
    {IDC_MAIN_KEEP_ORGANIZED,
     ControlKind::CheckBox,
     {133, 302, 129, 10},
     u"Keep output music folder organized",
     StyleTabStop},
    {IDC_MAIN_OUTPUT_LABEL,
     ControlKind::StaticText,
     {133, 273, 35, 8},
     u"Output to:",
     StyleAlignLeft},
    {IDC_MAIN_OVERWRITE,
     ControlKind::CheckBox,
     {315, 289, 86, 10},
     u"Overwrite existing file",
     StyleTabStop},
    {IDC_MAIN_OPTIONS, ControlKind::PushButton, {395, 301, 36, 12}, u"Options", StyleTabStop},
};

constexpr DialogTemplate kTemplate{IDD_MAIN, 551, 343,
                                   DialogPopup | DialogVisible | DialogSystemMenu | DialogAppWindow,
                                   kControls};

} // namespace

const DialogTemplate& MainDialogTemplate() {
    return kTemplate;
}
