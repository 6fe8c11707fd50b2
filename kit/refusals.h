#pragma once

#include <string_view>

// The kit's refusals and the words each one shows in its message box.
namespace kit {

enum class AddResult { Added, BehindEye, SecondEye, SixElements };

constexpr std::string_view kBehindEyeText = "Hinter dem Auge können keine weiteren Linsen eingefügt werden!";
constexpr std::string_view kSecondEyeText = "Ein Auge genügt!";
constexpr std::string_view kSixElementsText = "Es stehen max. 6 Linsen zur Verfügung!";
constexpr std::string_view kTooManyRaysText = " Es können max. 50 Strahlen gezeichnet werden! Zum Löschen Umschalten "
                                              "auf 'Parallellicht' oder 'Punktraster'";
constexpr std::string_view kTooManyPointsText = "Es können max. 50 Punkte markiert werden!";

} // namespace kit
