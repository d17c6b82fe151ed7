#pragma once

// The numbers by which the windows name their resources, controls and
// dialog results, each named once here.

namespace pelto5 {

// A normal and a pressed face of a bitmap button.
struct Faces {
    int normal;
    int pressed;
};

// Bitmaps.
constexpr int kSkinBitmap = 131;
constexpr int kStickyPlateBitmap = 288;
constexpr int kFrameBarBitmap = 221, kFrameCrossbarBitmap = 223;
constexpr Faces kSaveFaces{277, 276};
constexpr Faces kExitFaces{281, 280};
constexpr Faces kOpenFaces{279, 278};
constexpr Faces kSnapOffFaces{286, 285};
constexpr Faces kSnapLowFaces{284, 283};
constexpr Faces kSnapHighFaces{282, 287};
constexpr Faces kResetFaces{214, 215};
constexpr Faces kClearFaces{217, 216};
constexpr Faces kDataFaces{218, 219};
constexpr Faces kCopyFaces{226, 225};
constexpr Faces kPasteFaces{224, 227};

// The window icon and the window menu's about item.
constexpr int kMainIcon = 128;
constexpr int kAboutString = 101;

// The editor window's command buttons.
constexpr int kSaveButtonId = 2110, kExitButtonId = 2210, kOpenButtonId = 2310,
              kStickyButtonId = 2410, kResetButtonId = 2510, kClearButtonId = 2610,
              kDataButtonId = 2710, kCopyButtonId = 2810;

// The five read-outs: the pointer in the window (x, y), on the picture
// (x, y), and the carried hardpoint's name.
constexpr int kWinXId = 1008, kWinYId = 1009, kPicXId = 1010, kPicYId = 1011, kNameId = 1012;

// How a dialog's run ended: its OK command, or its cancel command.
constexpr int kIdOk = 1, kIdCancel = 2;

} // namespace pelto5
