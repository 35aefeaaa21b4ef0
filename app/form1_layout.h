#pragma once
#include <array>

#include "app/texts.h"
#include "packs/unknown_mark.h"

namespace tarnwick::layout {

// The main window's whole layout, in twips within each control's container.
struct TwipsRect {
  int left, top, width, height;
};

inline constexpr int kClientWidth = 13065;
inline constexpr int kClientHeight = 7650;

struct FrameSpec {
  const wchar_t* caption;
  TwipsRect rect;
};
inline constexpr std::array<FrameSpec, 3> kFrames{{
    {texts::kGameFrame, {240, 120, 3975, 2175}},
    {texts::kExpansionFrame, {240, 2400, 3975, 2175}},
    {texts::kPackInUseFrame, {240, 4680, 3975, 2175}},
}};

enum class LabelRole { FieldName, Value };

struct LabelSpec {
  int frame;  // index into kFrames
  LabelRole role;
  const wchar_t* caption;
  TwipsRect rect;
  bool wraps;  // keeps its size and wraps; the others size themselves to their text
};
inline constexpr std::array<LabelSpec, 16> kLabels{{
    {0, LabelRole::FieldName, texts::kGameName, {240, 360, 900, 180}, false},
    {0, LabelRole::Value, texts::kGameName, {1200, 360, 900, 180}, false},
    {0, LabelRole::Value, texts::kGameName, {360, 1080, 3420, 900}, true},
    {0, LabelRole::FieldName, texts::kGameFolder, {240, 840, 900, 180}, false},
    {0, LabelRole::Value, texts::kGameName, {1200, 600, 900, 180}, false},
    {0, LabelRole::FieldName, texts::kGameVersion, {240, 600, 900, 180}, false},
    {1, LabelRole::FieldName, texts::kGameVersion, {240, 600, 900, 180}, false},
    {1, LabelRole::Value, texts::kGameName, {1200, 600, 900, 180}, false},
    {1, LabelRole::FieldName, texts::kGameFolder, {240, 840, 900, 180}, false},
    {1, LabelRole::Value, texts::kGameName, {360, 1080, 3420, 900}, true},
    {1, LabelRole::Value, texts::kGameName, {1200, 360, 900, 180}, false},
    {1, LabelRole::FieldName, texts::kGameName, {240, 360, 900, 180}, false},
    {2, LabelRole::FieldName, texts::kPackName, {240, 360, 900, 180}, false},
    {2, LabelRole::Value, kUnknownMark.data(), {1200, 360, 360, 180}, false},
    {2, LabelRole::FieldName, texts::kPackFolder, {240, 600, 900, 180}, false},
    {2, LabelRole::Value, kUnknownMark.data(), {240, 840, 3600, 1140}, true},
}};

struct ButtonSpec {
  const wchar_t* caption;
  TwipsRect rect;
};
inline constexpr ButtonSpec kCommand1{texts::kCommand1, {4200, 240, 1575, 375}};
inline constexpr ButtonSpec kCommand2{texts::kCommand2, {120, 7080, 1335, 495}};
inline constexpr ButtonSpec kCommand3{texts::kCommand3, {1440, 7080, 1335, 495}};
inline constexpr ButtonSpec kCommand4{texts::kCommand4, {2760, 7080, 1335, 495}};

inline constexpr const wchar_t* kComboInitialText = L"Combo1";
inline constexpr TwipsRect kCombo1{5880, 240, 6015, 300};
inline constexpr int kComboDropDownHeight = 3000;  // the list below the edit field

inline constexpr TwipsRect kList1{4320, 7680, 4335, 960};  // below the client area, out of view

// The maps of the chosen pack, below the thumbnails: a report-style list view.
inline constexpr TwipsRect kListView1{4320, 4080, 7575, 3495};
struct ColumnSpec {
  const wchar_t* caption;
  int width;  // twips
};
inline constexpr std::array<ColumnSpec, 3> kMapColumns{{{texts::kMapColumn, 3600}, {texts::kPlayersColumn, 960}, {texts::kFileColumn, 2640}}};
// Each row's picture of the map's preview; the preview is fitted in, keeping its shape.
inline constexpr int kMapPictureWidth = 960;
inline constexpr int kMapPictureHeight = 480;

inline constexpr int kThumbnailCount = 12;
inline constexpr int kThumbnailWidth = 1575;
inline constexpr int kThumbnailHeight = 975;
constexpr TwipsRect thumbnailRect(int slot) {
  constexpr int kColumnLeft[4] = {4320, 6000, 7680, 9360};
  constexpr int kRowTop[3] = {720, 1800, 2880};
  return {kColumnLeft[slot % 4], kRowTop[slot / 4], kThumbnailWidth, kThumbnailHeight};
}

// Field-name labels are blue (0x00BBGGRR).
inline constexpr unsigned long kFieldNameColour = 0x00FF0000;

// Control identifiers.
inline constexpr int kIdCommand1 = 101;
inline constexpr int kIdCommand2 = 102;
inline constexpr int kIdCommand3 = 103;
inline constexpr int kIdCommand4 = 104;
inline constexpr int kIdCombo1 = 110;
inline constexpr int kIdList1 = 120;
inline constexpr int kIdListView1 = 121;
inline constexpr int kIdFrameFirst = 130;
inline constexpr int kIdImageFirst = 200;
inline constexpr int kIdLabelFirst = 300;

}  // namespace tarnwick::layout
