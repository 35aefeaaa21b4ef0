// The pack folder scan and the choice of a pack: the combo's items and status texts,
// the three file listings and the thumbnails, driven through the real main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/dpi.h"
#include "platform/jpeg_thumbnail.h"
#include "support/bitmap_pixels.h"
#include "support/files.h"
#include "support/messages.h"
#include "support/temp_folder.h"
#include "support/test_game.h"
#include "support/test_pictures.h"

namespace {

using tarnwick::Form1;
using namespace tarnwick::test;

using Names = std::vector<std::wstring>;

constexpr int kSlots = 12;
const std::wstring kNoFolder = L"请指定包函数地图的资料夹";
const std::wstring kNoPacks = L"未找到..";
const std::wstring kChoose = L"请选择..";

bool enabled(HWND window) { return ::IsWindowEnabled(window) != FALSE; }

// The slots shown; the main window itself stays hidden in these tests, so the
// slots' own visibility is read.
std::vector<int> shownSlots(const Form1& form) {
  std::vector<int> shown;
  for (int slot = 0; slot < kSlots; ++slot) {
    if (::GetWindowLongPtrW(form.Image1(slot), GWL_STYLE) & WS_VISIBLE) shown.push_back(slot);
  }
  return shown;
}

std::vector<int> firstSlots(int count) {
  std::vector<int> slots;
  for (int slot = 0; slot < count; ++slot) slots.push_back(slot);
  return slots;
}

void choose(Form1& form, int index) {
  ::SendMessageW(form.Combo1(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  form.Combo1_Click();
}

std::wstring workingFolder() {
  wchar_t folder[MAX_PATH]{};
  ::GetCurrentDirectoryW(MAX_PATH, folder);
  return folder;
}

void copyPicture(const std::wstring& picture, const std::wstring& target) {
  ASSERT_TRUE(::CopyFileW(testPicturePath(picture).c_str(), target.c_str(), FALSE)) << "copying a test picture";
}

// A picture as the user sees it in a slot: made at 1575 x 975 twips at the window's DPI.
SIZE slotSize(const Form1& form) {
  const int dpi = static_cast<int>(tarnwick::dpiForWindow(form.hwnd()));
  return {::MulDiv(1575, dpi, 1440), ::MulDiv(975, dpi, 1440)};
}

// Largest and mean colour difference from the reference that still counts as the
// same picture: a flipped, mirrored or colour-swapped decode lies well beyond them.
constexpr double kLargestThumbnailDifference = 12;
constexpr double kMeanThumbnailDifference = 4;

void expectSlotShows(const Form1& form, int slot, const TestPicture& picture) {
  SCOPED_TRACE(testing::Message() << "slot " << slot);
  const Pixels pixels = readPixels(form.Image1Picture(slot));
  const SIZE size = slotSize(form);
  EXPECT_EQ(pixels.width, size.cx);
  EXPECT_EQ(pixels.height, size.cy);
  const GridDifference difference = compareWithReference(pixels, picture);
  EXPECT_LE(difference.largest, kLargestThumbnailDifference) << describe(difference);
  EXPECT_LE(difference.mean, kMeanThumbnailDifference) << describe(difference);
}

// --- Scan ----------------------------------------------------------------------

class PackScanTest : public testing::Test {
 protected:
  TestGame game;
};

// A pack folder that is missing, or a file, or holds no pack (files, and hidden or
// system sub-folders where the program may keep data of its own, are not packs):
// the combo is empty and disabled with its status, and Dir1 keeps its path from before.
TEST(PackScanStatusTest, WithoutPacksTheComboSaysWhy) {
  struct Case {
    const char* what;
    void (*prepare)(TestGame&);
    const std::wstring& status;
    bool listsThePackFolder;
  };
  const Case cases[] = {
      {"missing", [](TestGame& game) { removeTree(game.packs()); }, kNoFolder, false},
      {"a file",
       [](TestGame& game) {
         removeTree(game.packs());
         writeBytes(game.packs(), "a file, not a folder");
       },
       kNoFolder, false},
      {"no packs",
       [](TestGame& game) {
         writeBytes(game.packs() + L"\\readme.txt", "not a pack");
         makeFolder(game.packs() + L"\\hidden");
         addAttributes(game.packs() + L"\\hidden", FILE_ATTRIBUTE_HIDDEN);
         makeFolder(game.packs() + L"\\system");
         addAttributes(game.packs() + L"\\system", FILE_ATTRIBUTE_SYSTEM);
       },
       kNoPacks, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestGame game;
    c.prepare(game);
    auto form = game.open();
    EXPECT_EQ(windowText(form->Combo1()), c.status);
    EXPECT_FALSE(enabled(form->Combo1()));
    EXPECT_TRUE(comboItems(form->Combo1()).empty());
    EXPECT_EQ(form->Dir1().path(), c.listsThePackFolder ? game.packs() : workingFolder());
    EXPECT_EQ(form->Dir1().count(), 0);
    EXPECT_TRUE(game.log.messages.empty());
  }
}

// Once a scan has succeeded, a failing one leaves Dir1 where that one put it.
TEST_F(PackScanTest, AFailingScanKeepsTheFolderOfTheLastGoodOne) {
  makeFolder(game.packs() + L"\\a");
  auto form = game.open();
  ASSERT_EQ(comboItems(form->Combo1()), Names{L"a"});
  form->ReFreshPath(game / L"nowhere");
  EXPECT_EQ(windowText(form->Combo1()), kNoFolder);
  EXPECT_FALSE(enabled(form->Combo1()));
  EXPECT_TRUE(comboItems(form->Combo1()).empty());
  EXPECT_EQ(form->Dir1().path(), game.packs());
}

// Sub-folders become packs in the order of names ignoring case, shown whole whatever
// their characters; files, and hidden or system folders, are left out. Choosing item
// k reads the folder Dir1 lists at k.
TEST_F(PackScanTest, SubFoldersBecomePacksSortedIgnoringCaseWithFilesAndHiddenFoldersLeftOut) {
  const Names names{L"charlie", L"Delta", L"alpha", L"Beta", L"Tom & Jerry", L"a&&b", L"红色警戒 地图", L"x.y.z"};
  for (const auto& name : names) makeFolder(game.packs() + L"\\" + name);
  for (const auto& [name, attribute] :
       {std::pair(L"hidden", FILE_ATTRIBUTE_HIDDEN), std::pair(L"system", FILE_ATTRIBUTE_SYSTEM)}) {
    makeFolder(game.packs() + L"\\" + name);
    addAttributes(game.packs() + L"\\" + name, attribute);
  }
  writeBytes(game.packs() + L"\\beside.txt", "a file beside the packs");
  auto form = game.open();

  const Names items = comboItems(form->Combo1());
  ASSERT_EQ(items.size(), names.size());
  EXPECT_TRUE(std::is_permutation(items.begin(), items.end(), names.begin()));
  EXPECT_LT(std::find(items.begin(), items.end(), L"alpha"), std::find(items.begin(), items.end(), L"Beta"));
  EXPECT_EQ(windowText(form->Combo1()), kChoose);
  EXPECT_TRUE(enabled(form->Combo1()));
  EXPECT_EQ(::SendMessageW(form->Combo1(), CB_GETCURSEL, 0, 0), CB_ERR) << "no pack chosen yet";
  ASSERT_EQ(form->Dir1().count(), static_cast<int>(names.size()));
  for (size_t k = 0; k < items.size(); ++k) {
    EXPECT_EQ(form->Dir1().item(static_cast<int>(k)), game.packs() + L"\\" + items[k]) << k;
    if (k > 0) {
      EXPECT_NE(::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, items[k - 1].c_str(), -1, items[k].c_str(), -1),
                CSTR_GREATER_THAN)
          << "out of order at " << k;
    }
  }
  const auto chinese = std::find(items.begin(), items.end(), L"红色警戒 地图") - items.begin();
  choose(*form, static_cast<int>(chinese));
  EXPECT_EQ(form->File3().path(), game.packs() + L"\\红色警戒 地图");
  EXPECT_TRUE(game.log.messages.empty());
}

// A pack folder too large to read at once at start-up is read to its end on another
// thread: every pack is listed, in order.
TEST_F(PackScanTest, ALargePackFolderIsListedWhole) {
  Names names;
  for (int i = 1000; i < 1600; ++i) names.push_back(L"pack " + std::to_wstring(i));
  for (const auto& name : names) makeFolder(game.packs() + L"\\" + name);
  auto form = game.open();
  EXPECT_EQ(comboItems(form->Combo1()), names);
}

// A new scan lists the packs afresh, and leaves the chosen pack's listings and
// thumbnails as they were.
TEST_F(PackScanTest, RescanningReplacesThePackListOnly) {
  const std::wstring first = game.addPack(L"first", {{L"first.map", "map"}});
  copyPicture(L"baseline.jpg", first + L"\\shot.jpg");
  auto form = game.open();
  choose(*form, 0);
  ASSERT_EQ(shownSlots(*form), firstSlots(1));

  game.addPack(L"second", {});
  form->ReFreshPath(game.packs());
  EXPECT_EQ(comboItems(form->Combo1()), (Names{L"first", L"second"}));
  EXPECT_EQ(form->File1().path(), first);
  EXPECT_EQ(form->File2().names(), Names{L"first.map"});
  EXPECT_EQ(shownSlots(*form), firstSlots(1));
}

// --- Choice -----------------------------------------------------------------------

class PackChoiceTest : public testing::Test {
 protected:
  TestGame game;
};

TEST_F(PackChoiceTest, TheListingsHoldThePacksFilesInNameOrderAsTheyWereWhenChosen) {
  const std::wstring pack = game.addPack(L"mixed", {{L"b.map", "map b"},
                                                    {L"A.MAP", "map a"},
                                                    {L"notes.txt", "notes"},
                                                    {L"pic.jpeg", "not matched"},
                                                    {L"x.bmp.txt", "not matched"},
                                                    {L"hidden.jpg", "hidden"},
                                                    {L"system.map", "system"}});
  copyPicture(L"baseline.jpg", pack + L"\\c.JPG");
  copyPicture(L"bmp24.bmp", pack + L"\\D.bmp");
  copyPicture(L"gray.jpg", pack + L"\\e.Jpg");
  addAttributes(pack + L"\\hidden.jpg", FILE_ATTRIBUTE_HIDDEN);
  addAttributes(pack + L"\\system.map", FILE_ATTRIBUTE_SYSTEM);
  makeFolder(pack + L"\\sub");
  writeBytes(pack + L"\\sub\\inner.map", "in a sub-folder");
  game.addPack(L"other", {});
  auto form = game.open();
  ASSERT_EQ(comboItems(form->Combo1()), (Names{L"mixed", L"other"}));

  // Chosen from the list, as the user does: the combo reports the change.
  ::SendMessageW(form->Combo1(), CB_SETCURSEL, 0, 0);
  ::SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(form->Combo1()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(form->Combo1()));

  EXPECT_EQ(form->File1().path(), pack);
  EXPECT_EQ(form->File2().path(), pack);
  EXPECT_EQ(form->File3().path(), pack);
  EXPECT_EQ(form->File1().names(), (Names{L"c.JPG", L"D.bmp", L"e.Jpg"}));
  EXPECT_EQ(form->File2().names(), (Names{L"A.MAP", L"b.map"}));
  EXPECT_EQ(form->File3().names(),
            (Names{L"A.MAP", L"b.map", L"c.JPG", L"D.bmp", L"e.Jpg", L"notes.txt", L"pic.jpeg", L"x.bmp.txt"}));
  EXPECT_EQ(shownSlots(*form), firstSlots(3));

  writeBytes(pack + L"\\z.map", "added later");
  EXPECT_EQ(form->File2().names(), (Names{L"A.MAP", L"b.map"})) << "read when chosen, not again";
  choose(*form, 0);
  EXPECT_EQ(form->File2().names(), (Names{L"A.MAP", L"b.map", L"z.map"}));
  EXPECT_TRUE(game.log.messages.empty());
}

TEST_F(PackChoiceTest, SlotsShowOnlyAsManyPicturesAsThePackHasUpToTwelve) {
  game.addPack(L"0 none", {{L"only.map", "map"}});
  for (int count : {3, 12, 14}) {
    const std::wstring pack = game.addPack(std::to_wstring(count) + L" pictures", {{L"pack.map", "map"}});
    for (int i = 1; i <= count; ++i) copyPicture(L"baseline.jpg", pack + L"\\p" + std::to_wstring(100 + i) + L".jpg");
  }
  auto form = game.open();
  ASSERT_EQ(comboItems(form->Combo1()), (Names{L"0 none", L"12 pictures", L"14 pictures", L"3 pictures"}));

  choose(*form, 2);
  EXPECT_EQ(form->File1().count(), 14);
  EXPECT_EQ(shownSlots(*form), firstSlots(12)) << "the first twelve, the rest ignored";
  choose(*form, 3);
  EXPECT_EQ(shownSlots(*form), firstSlots(3));
  choose(*form, 0);
  EXPECT_TRUE(shownSlots(*form).empty());
  EXPECT_EQ(form->File2().names(), Names{L"only.map"}) << "a pack without pictures still lists its maps";
  choose(*form, 1);
  EXPECT_EQ(shownSlots(*form), firstSlots(12));
  for (int slot = 0; slot < kSlots; ++slot) EXPECT_NE(form->Image1Picture(slot), nullptr) << slot;
  EXPECT_TRUE(game.log.messages.empty());
}

// Every JPEG and BMP variant decodes to exactly the slot's size, whatever its own
// aspect ratio, with its colours where they belong.
TEST_F(PackChoiceTest, EveryPictureFormatDecodesToTheSlotSize) {
  for (const auto& picture : testPictures()) {
    if (!picture.decodes()) continue;
    const std::wstring pack = game.addPack(picture.name, {});
    copyPicture(picture.name, pack + L"\\" + picture.name);
  }
  auto form = game.open();
  const Names packs = comboItems(form->Combo1());
  for (size_t k = 0; k < packs.size(); ++k) {
    SCOPED_TRACE(testing::Message() << "picture " << testing::PrintToString(packs[k]));
    choose(*form, static_cast<int>(k));
    ASSERT_EQ(shownSlots(*form), firstSlots(1));
    expectSlotShows(*form, 0, testPicture(packs[k]));
  }
}

TEST_F(PackChoiceTest, APictureThatCannotBeDecodedLeavesOnlyItsSlotHidden) {
  const std::wstring pack = game.addPack(L"damaged", {{L"d.jpg", ""}, {L"e.bmp", "not a bitmap"}});
  copyPicture(L"baseline.jpg", pack + L"\\a.jpg");
  copyPicture(L"corrupt.jpg", pack + L"\\b.jpg");
  copyPicture(L"bmp24.bmp", pack + L"\\c.bmp");
  copyPicture(L"gray.jpg", pack + L"\\f.jpg");
  auto form = game.open();
  choose(*form, 0);
  EXPECT_EQ(form->File1().count(), 6);
  EXPECT_EQ(shownSlots(*form), (std::vector<int>{0, 2, 5}));
  EXPECT_EQ(form->Image1Picture(1), nullptr);
  expectSlotShows(*form, 2, testPicture(L"bmp24.bmp"));
  EXPECT_TRUE(game.log.messages.empty()) << "nothing is reported";
}

// JPEGs are decoded at the smallest reduction that still covers the slot (its choice
// has a test of its own), with the
// colours where they belong; a damaged one gives no thumbnail (and so a hidden slot);
// other formats are left to the imaging component.
TEST(JpegThumbnailTest, DecodesAtTheSmallestCoveringReductionAndRefusesDamagedFiles) {
  TempFolder folder;
  const std::string whole = readBytes(testPicturePath(L"progressive.jpg")).value();
  writeBytes(folder / L"truncated.jpg", whole.substr(0, whole.size() * 2 / 3));
  writeBytes(folder / L"header only.jpg", whole.substr(0, 600));
  writeBytes(folder / L"marker only.jpg", "\xFF\xD8\xFF");
  struct Case {
    std::wstring path, reference;  // no reference: no thumbnail
    SIZE slot, decoded;
  };
  const Case cases[] = {
      {testPicturePath(L"baseline.jpg"), L"baseline.jpg", {105, 65}, {160, 120}},
      {testPicturePath(L"baseline.jpg"), L"baseline.jpg", {700, 500}, {640, 480}},
      {testPicturePath(L"progressive.jpg"), L"progressive.jpg", {105, 65}, {200, 150}},
      {testPicturePath(L"gray.jpg"), L"gray.jpg", {105, 65}, {160, 120}},
      {testPicturePath(L"cmyk.jpg"), L"cmyk.jpg", {105, 65}, {200, 150}},
      {testPicturePath(L"corrupt.jpg"), L"", {105, 65}, {}},
      {folder / L"truncated.jpg", L"", {105, 65}, {}},
      {folder / L"header only.jpg", L"", {105, 65}, {}},
      {folder / L"marker only.jpg", L"", {105, 65}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(c.path) << " into " << c.slot.cx << "x" << c.slot.cy);
    auto thumbnail = tarnwick::decodeJpegThumbnail(c.path, c.slot);
    ASSERT_TRUE(thumbnail.has_value()) << "taken as a JPEG";
    if (c.reference.empty()) {
      EXPECT_FALSE(thumbnail->bitmap);
      continue;
    }
    EXPECT_EQ(thumbnail->decodedSize.cx, c.decoded.cx);
    EXPECT_EQ(thumbnail->decodedSize.cy, c.decoded.cy);
    const Pixels pixels = readPixels(thumbnail->bitmap.get());
    EXPECT_EQ(pixels.width, c.slot.cx);
    EXPECT_EQ(pixels.height, c.slot.cy);
    const GridDifference difference = compareWithReference(pixels, testPicture(c.reference));
    EXPECT_LE(difference.largest, kLargestThumbnailDifference) << describe(difference);
    EXPECT_LE(difference.mean, kMeanThumbnailDifference) << describe(difference);
  }
  EXPECT_FALSE(tarnwick::decodeJpegThumbnail(testPicturePath(L"bmp24.bmp"), {105, 65}).has_value());
}

// A pack folder removed after the scan lists nothing (so it can't be installed) and
// the pack list is read again, so it no longer offers that pack.
TEST_F(PackChoiceTest, APackFolderRemovedSinceTheScanIsEmptyAndThePacksAreListedAgain) {
  const std::wstring gone = game.addPack(L"gone", {{L"gone.map", "map"}});
  copyPicture(L"baseline.jpg", gone + L"\\gone.jpg");
  const std::wstring kept = game.addPack(L"kept", {{L"kept.map", "map"}});
  copyPicture(L"baseline.jpg", kept + L"\\kept.jpg");
  auto form = game.open();
  choose(*form, 1);
  ASSERT_EQ(shownSlots(*form), firstSlots(1));

  removeTree(gone);
  choose(*form, 0);
  pumpMessages();
  EXPECT_EQ(form->File1().count(), 0);
  EXPECT_EQ(form->File2().count(), 0);
  EXPECT_EQ(form->File3().count(), 0);
  EXPECT_TRUE(shownSlots(*form).empty());
  EXPECT_EQ(comboItems(form->Combo1()), Names{L"kept"});
  EXPECT_EQ(windowText(form->Combo1()), kChoose);
  EXPECT_EQ(::SendMessageW(form->Combo1(), CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_TRUE(game.log.messages.empty());

  // With every pack gone the status says so; the folder itself stays, as it holds the
  // running program's lock.
  removeTree(game.packs());
  choose(*form, 0);
  pumpMessages();
  EXPECT_EQ(form->File2().count(), 0);
  EXPECT_EQ(windowText(form->Combo1()), kNoPacks);
  EXPECT_FALSE(enabled(form->Combo1()));
}

// Chosen with the mouse from the open list, the vanished pack leaves the scan's
// status in the edit field, not the text the closing list would put there.
TEST_F(PackChoiceTest, AVanishedPackChosenFromTheOpenListLeavesTheScanStatus) {
  game.addPack(L"gone", {{L"gone.map", "map"}});
  game.addPack(L"kept", {{L"kept.map", "map"}});
  auto form = game.open();
  form->show(SW_SHOWNOACTIVATE);
  removeTree(game.packs() + L"\\gone");

  COMBOBOXINFO combo{};
  combo.cbSize = sizeof combo;
  ASSERT_TRUE(::GetComboBoxInfo(form->Combo1(), &combo));
  ::SendMessageW(form->Combo1(), CB_SHOWDROPDOWN, TRUE, 0);
  pumpMessages();
  RECT item{};
  ::SendMessageW(combo.hwndList, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  ::SendMessageW(combo.hwndList, WM_MOUSEMOVE, 0, at);
  ::SendMessageW(combo.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(combo.hwndList, WM_LBUTTONUP, 0, at);
  pumpMessages();

  EXPECT_EQ(comboItems(form->Combo1()), Names{L"kept"});
  EXPECT_EQ(windowText(form->Combo1()), kChoose);
  EXPECT_EQ(form->File2().count(), 0);
}

}  // namespace
