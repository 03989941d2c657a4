// The form of QNBK-FOLDER: "QUARN Folder Backup", the folder to back up and the
// destination (each a text with a browse button in a frame), the explanation, Backup and
// Exit, the Options menu with its two check items, Help and Print Screen, and the timers
// that start a backup outside a click.
#pragma once

#include <array>
#include <string_view>

#include "forms/form_definition.hpp"

namespace quarn::forms::qnbk_folder {

namespace control {
inline constexpr std::string_view kSourceFrame = "Source-Folder-CmFrame";
inline constexpr std::string_view kSource = "Source-Folder-CmText";
inline constexpr std::string_view kSourceBrowse = "CmBtn-Source-Folder-Browse";
inline constexpr std::string_view kDestinationFrame = "Destination-CmFrame";
inline constexpr std::string_view kDestination = "Destination-CmText";
inline constexpr std::string_view kDestinationBrowse = "CmBtn-Dest-Folder-Browse";
inline constexpr std::string_view kNote = "NOTE-CmStatic";
inline constexpr std::string_view kBackup = "_CmBtn-Backup";
inline constexpr std::string_view kExit = "_CmBtn-Exit";
inline constexpr std::string_view kOptionsMenu = "Options-Menu";
inline constexpr std::string_view kZip = "Zip-MenuItem";
inline constexpr std::string_view kCloud = "Cloud-MenuItem";
inline constexpr std::string_view kHelp = "Help-Menu";
inline constexpr std::string_view kPrintScreen = "PrintScreen-Menu";
inline constexpr std::string_view kRestartTimer = "Restart-CmTimer";
inline constexpr std::string_view kBackupTimer = "Backup-CmTimer";
}  // namespace control

inline constexpr std::string_view kTitle = "QUARN Folder Backup";
inline constexpr std::string_view kZipNote =
    "The contents of the \"Folder to Backup\" (excluding sub-folders) will be zipped into a "
    "file with the same name as the folder plus today's date and that file will be placed in "
    "the \"Destination Location\".";
inline constexpr std::string_view kCopyNote =
    "The contents of the \"Folder to Backup\" (excluding sub-folders) will be individually "
    "copied to the \"Destination Location\" (use the Options menu to compress to a zip file "
    "instead).";

// The longest folder the two texts take.
inline constexpr int kFolderWidth = 128;

using K = ControlKind;
inline constexpr std::array<ControlDef, 16> kControls{{
    {control::kSourceFrame, K::kGroup, "Folder to Backup", "", {8, 8, 544, 64}},
    {control::kSource,
     K::kText,
     "",
     "Folder containing files to backup.",
     {12, 26, 470, 24},
     control::kSourceFrame,
     1,
     kFolderWidth},
    {control::kSourceBrowse,
     K::kButton,
     "...",
     "Choose the folder to backup",
     {490, 25, 40, 26},
     control::kSourceFrame},
    {control::kDestinationFrame, K::kGroup, "Destination Location", "", {8, 80, 544, 64}},
    {control::kDestination,
     K::kText,
     "",
     "Path to drive or folder where backup will be placed",
     {12, 26, 470, 24},
     control::kDestinationFrame,
     1,
     kFolderWidth},
    {control::kDestinationBrowse,
     K::kButton,
     "...",
     "Choose the destination folder",
     {490, 25, 40, 26},
     control::kDestinationFrame},
    {control::kNote, K::kLabel, kCopyNote, "", {12, 154, 536, 64}},
    {control::kBackup, K::kButton, "&Backup", "Start Backup", {352, 228, 96, 30}},
    {control::kExit, K::kButton, "E&xit", "Exit Function", {456, 228, 96, 30}},
    {control::kRestartTimer, K::kTimer, ""},
    {control::kBackupTimer, K::kTimer, ""},
    {control::kOptionsMenu, K::kMenu, "&Options"},
    {control::kZip, K::kMenuItem, "Backup to &Zip file", "", {}, control::kOptionsMenu, 1, 0, true},
    {control::kCloud,
     K::kMenuItem,
     "Backup to QUARN Cloud",
     "",
     {},
     control::kOptionsMenu,
     1,
     0,
     true},
    {control::kHelp, K::kMenu, "&Help"},
    {control::kPrintScreen, K::kMenu, "&Print Screen"},
}};

inline constexpr FormDef kForm{"QNBK-Folder", kTitle,           560,           268,
                               kControls,     control::kBackup, control::kExit};

}  // namespace quarn::forms::qnbk_folder
