// The colours shared by every picture of the game.
#pragma once

namespace art::colour {

inline constexpr const char* kRed = "#C8102E";
inline constexpr const char* kRedDark = "#7E0A1D";
inline constexpr const char* kRedLight = "#E8566B";
inline constexpr const char* kInk = "#1C1B22";
inline constexpr const char* kInkLight = "#4A4858";
inline constexpr const char* kGold = "#E2B33C";
inline constexpr const char* kGoldDark = "#8C6A14";
inline constexpr const char* kGoldLight = "#F8E29A";
inline constexpr const char* kBlue = "#1F4FA0";
inline constexpr const char* kBlueDark = "#112D62";
inline constexpr const char* kBlueLight = "#8DB2EA";
inline constexpr const char* kGreen = "#2E8B45";
inline constexpr const char* kGreenDark = "#175A2A";
inline constexpr const char* kPurple = "#6B3FA0";
inline constexpr const char* kSkin = "#F6D6B2";
inline constexpr const char* kSkinShade = "#DFAE83";
inline constexpr const char* kWhite = "#FFFFFF";
inline constexpr const char* kCream = "#FCF7EA";
inline constexpr const char* kOutline = "#2B2220";
inline constexpr const char* kBorder = "#7A7A80";
inline constexpr const char* kSilver = "#D5DAE2";
inline constexpr const char* kSilverDark = "#7D8593";

}  // namespace art::colour
