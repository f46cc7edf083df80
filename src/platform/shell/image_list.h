#pragma once
// The system image lists: the shell's own small (16 × 16) and large (32 × 32) icons for
// files, folders, volumes and the namespace's virtual places, drawn by the program itself.
#include <cstdint>
#include <vector>

#include "platform/base/windef.h"

namespace platform {

struct IMAGELIST;
using HIMAGELIST = IMAGELIST*;

// Icon indexes in both system lists.
enum SystemIcon : int {
    kIconFile = 0,
    kIconFolder = 1,
    kIconFolderOpen = 2,
    kIconVolume = 3,
    kIconComputer = 4,
    kIconHome = 5,
    kIconDesktop = 6,
    kIconArchive = 7,
    kSystemIconCount = 8,
};

inline constexpr UINT ILD_NORMAL = 0x0000;

HIMAGELIST SystemImageList(bool small);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* width, int* height);
// Draws image `index` with its transparent parts left alone; FALSE for a bad list or index.
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);

}  // namespace platform
