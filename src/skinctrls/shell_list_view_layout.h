#pragma once
// Sizes the file list lays its rows and icon cells out with.
namespace skinctrls::shell_list_layout {

inline constexpr int kSmallIcon = 16;
inline constexpr int kLargeIcon = 32;
inline constexpr int kIconCellWidth = 76;
inline constexpr int kIconCellHeight = 64;
inline constexpr int kListColumnWidth = 180;
inline constexpr int kSmallIconCellWidth = 150;

}  // namespace skinctrls::shell_list_layout
