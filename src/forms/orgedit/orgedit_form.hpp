// The form of ORGEDIT: "Company Data", two tab pages (name, address, phone and country;
// the identification numbers and the master organisation), Save and Cancel, the prompt of
// an empty form, and the File, Help and Print Screen menus.
#pragma once

#include <array>
#include <string_view>

#include "forms/form_definition.hpp"

namespace quarn::forms::orgedit {

namespace control {
inline constexpr std::string_view kSave = "_CmBtn-SAVE";
inline constexpr std::string_view kCancel = "_CmBtn-CANCEL";
inline constexpr std::string_view kTabs = "OrgEdit-CmTab";
inline constexpr std::string_view kOrgPage = "Org-TabGroup";
inline constexpr std::string_view kIdPage = "ID-TabGroup";
inline constexpr std::string_view kOrgData = "OrgData-CmText";
inline constexpr std::string_view kCountry = "Country-CmCombo";
inline constexpr std::string_view kIds = "ID-CmText";
inline constexpr std::string_view kOrgMastId = "OrgMastID-CmText";
inline constexpr std::string_view kLookup = "OrgID-Lookup-CmBtn";
inline constexpr std::string_view kOrgMastName = "OrgMastName-CmStatic";
inline constexpr std::string_view kMessage = "SelectFileMessage-CmStatic";
inline constexpr std::string_view kFileMenu = "File-Menu";
inline constexpr std::string_view kFileOpen = "File-Open";
inline constexpr std::string_view kFileSave = "File-Save";
inline constexpr std::string_view kFileSaveAs = "File-SaveAs";
inline constexpr std::string_view kFileNew = "File-New";
inline constexpr std::string_view kHelp = "Help-Menu";
inline constexpr std::string_view kPrintScreen = "PrintScreen-Menu";
}  // namespace control

inline constexpr std::string_view kTitle = "Company Data";
inline constexpr std::string_view kOrgNote =
    "This information is saved in a file named ORGFILE.  The organization name above is used "
    "on ALL reports produced from data files located in the same folder where this ORGFILE "
    "data is saved.  The address and phone information can be used for the return address "
    "on reports to be mailed out if you request it.";
inline constexpr std::string_view kIdNote =
    "This information is saved in a file named ORGFILE.  The I.D.s above are used to "
    "identify your organization for government reporting and electronic banking activity on "
    "data files located in the same folder where this ORGFILE data is saved.";

using K = ControlKind;
inline constexpr std::array<ControlDef, 30> kControls{{
    // The first page: the four lines and the country.
    {control::kTabs, K::kTabs, "", "", {8, 8, 544, 300}},
    {control::kOrgPage, K::kTabPage, "&1  Name / Address / Phone", "", {}, control::kTabs},
    {"Name-CmStatic", K::kLabel, "Name", "", {8, 12, 112, 20}, control::kOrgPage},
    {"Address-CmStatic", K::kLabel, "Address", "", {8, 34, 112, 20}, control::kOrgPage},
    {"City-CmStatic", K::kLabel, "City, ST && Code", "", {8, 56, 112, 20}, control::kOrgPage},
    {"Phone-CmStatic", K::kLabel, "Phone, etc.", "", {8, 78, 112, 20}, control::kOrgPage},
    {control::kOrgData,
     K::kTextBlock,
     "",
     "The organization's name, address, city line and phone: one a line",
     {124, 8, 380, 94},
     control::kOrgPage,
     4,
     40},
    {"Country-CmStatic", K::kLabel, "Country", "", {8, 114, 112, 20}, control::kOrgPage},
    {control::kCountry,
     K::kCombo,
     "",
     "The country the organization is located in",
     {124, 110, 380, 24},
     control::kOrgPage},
    {"OrgNote-CmStatic", K::kLabel, kOrgNote, "", {8, 150, 520, 110}, control::kOrgPage},
    // The second page: the identification numbers and the master organisation.
    {control::kIdPage, K::kTabPage, "&2  SDA / Gov / Banik IDs", "", {}, control::kTabs},
    {"FederalID-CmStatic", K::kLabel, "Federal ID", "", {8, 12, 140, 20}, control::kIdPage},
    {"StateID-CmStatic", K::kLabel, "State/Province ID", "", {8, 34, 140, 20}, control::kIdPage},
    {"EBankID-CmStatic", K::kLabel, "Alternate eBank ID", "", {8, 56, 140, 20}, control::kIdPage},
    {control::kIds,
     K::kTextBlock,
     "",
     "Federal ID (9), state/province ID (9) and alternate eBank ID (10): one a line",
     {152, 8, 150, 72},
     control::kIdPage,
     3,
     10},
    {"OrgMastID-CmStatic", K::kLabel, "OrgMast ID", "", {8, 98, 140, 20}, control::kIdPage},
    {control::kOrgMastId,
     K::kText,
     "",
     "The master organization's id",
     {152, 94, 90, 24},
     control::kIdPage,
     1,
     20},
    {control::kLookup,
     K::kButton,
     "Browse files",
     "Look the master organization up",
     {250, 93, 110, 26},
     control::kIdPage},
    {control::kOrgMastName, K::kLabel, "", "", {368, 98, 160, 20}, control::kIdPage},
    {"IDNote-CmStatic", K::kLabel, kIdNote, "", {8, 150, 520, 110}, control::kIdPage},
    // The prompt of an empty form, and the buttons.
    {control::kMessage, K::kLabel, "", "", {8, 316, 544, 24}},
    {control::kSave, K::kButton, "&Save", "Save the ORGFILE", {362, 352, 90, 30}},
    {control::kCancel, K::kButton, "&Cancel", "Close without saving", {462, 352, 90, 30}},
    // The menus.
    {control::kFileMenu, K::kMenu, "&File"},
    {control::kFileOpen, K::kMenuItem, "&Open", "", {}, control::kFileMenu},
    {control::kFileSave, K::kMenuItem, "&Save", "", {}, control::kFileMenu},
    {control::kFileSaveAs, K::kMenuItem, "Save &As", "", {}, control::kFileMenu},
    {control::kFileNew, K::kMenuItem, "&New", "", {}, control::kFileMenu},
    {control::kHelp, K::kMenu, "&Help"},
    {control::kPrintScreen, K::kMenu, "&Print Screen"},
}};

inline constexpr FormDef kForm{"OrgEdit",      kTitle,          560, 392, kControls,
                               control::kSave, control::kCancel};

}  // namespace quarn::forms::orgedit
