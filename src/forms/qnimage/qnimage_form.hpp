// The form of QNIMAGE, "QUARN Image Viewer": a strip with the three buttons and the name of
// the picture, the picture below it, and the Help menu. Its controls keep their pixel
// places; the program fits the picture (and the name's width) to the window.
#pragma once

#include <array>
#include <string_view>

#include "forms/form_definition.hpp"

namespace quarn::forms::qnimage {

namespace control {
inline constexpr std::string_view kImageName = "ImageName";
inline constexpr std::string_view kImage = "QNImage";
inline constexpr std::string_view kSecondImage = "QUARN-CmImage";
inline constexpr std::string_view kTimer = "QNImage-CmTimer";
inline constexpr std::string_view kExit = "CmBtn-EXIT";
inline constexpr std::string_view kResize = "CmBtn-Resize";
inline constexpr std::string_view kBrowse = "CmBtn-BROWSE";
inline constexpr std::string_view kTemp = "Temp-CmText";
inline constexpr std::string_view kHelp = "Help-Menu";
}  // namespace control

inline constexpr std::string_view kTitle = "QUARN Image Viewer";

// The strip above the picture, and where the name starts in it.
inline constexpr std::int32_t kStripHeight = 40;
inline constexpr std::int32_t kNameLeft = 224;
inline constexpr std::int32_t kMargin = 8;

using K = ControlKind;
inline constexpr std::array<ControlDef, 9> kControls{{
    {control::kBrowse, K::kButton, "&Browse", "Locate Image", {8, 6, 68, 28}},
    {control::kResize, K::kButton, "&Resize", "Maximize Window to Image", {80, 6, 68, 28}},
    {control::kExit, K::kButton, "E&xit", "", {152, 6, 64, 28}},
    {control::kImageName, K::kText, "", "", {kNameLeft, 8, 248, 24}},
    {control::kImage, K::kPicture, "", "", {0, kStripHeight, 480, 320}},
    {control::kSecondImage, K::kPicture, "", "", {0, 0, 0, 0}},
    {control::kTimer, K::kTimer, ""},
    {control::kTemp, K::kText, "", "", {0, 0, 0, 0}},
    {control::kHelp, K::kMenu, "&Help"},
}};

inline constexpr FormDef kForm{"QNImage", kTitle, 480, 360, kControls, {}, control::kExit, true};

}  // namespace quarn::forms::qnimage
