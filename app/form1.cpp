#include "app/form1.h"

#include <commctrl.h>

#include <utility>

#include "app/busy_window.h"
#include "app/form1_layout.h"
#include "app/game_dir.h"
#include "app/message_boxes.h"
#include "app/messages.h"
#include "app/texts.h"
#include "game/launch.h"
#include "game/reg_keys.h"
#include "packs/name_pattern.h"
#include "packs/pack_import.h"
#include "packs/unknown_mark.h"
#include "platform/control_contents.h"
#include "platform/dpi.h"
#include "platform/file_system.h"
#include "platform/pictures.h"
#include "platform/program_messages.h"
#include "platform/shell.h"
#include "platform/window_class.h"
#include "platform/window_lifetime.h"
#include "preview/form2.h"

namespace tarnwick {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// Files and folders dropped on the window are imported as packs.
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;
// What a drop sends the window (WM_COPYGLOBALDATA has no name in the SDK's headers).
constexpr UINT kCopyGlobalData = 0x0049;

std::wstring workingFolder() {
  const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
  std::wstring folder(length, L'\0');
  folder.resize(::GetCurrentDirectoryW(length, folder.data()));
  return folder;
}

// The folder of this program's file.
std::wstring runningProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size()) {
    path.resize(path.size() * 2);
  }
  path.resize(length);
  return gameDirFromInstallPath(path);
}

// Labels live inside their frames; the frames pass the labels' colour requests on
// to the main window, which knows which labels are field names.
LRESULT CALLBACK frameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_CTLCOLORSTATIC) return ::SendMessageW(::GetParent(frame), message, wParam, lParam);
  if (message == WM_ERASEBKGND) {
    // A group box paints only its border and caption; its inside is the window's face.
    RECT inside{};
    ::GetClientRect(frame, &inside);
    ::FillRect(reinterpret_cast<HDC>(wParam), &inside, ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
  }
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(frame, frameProc, 0);
  return ::DefSubclassProc(frame, message, wParam, lParam);
}

// The registry entries the load step shows, in the order it reads them.
struct RegistrySource {
  const wchar_t* key;
  const wchar_t* value;
  int slot;
};
constexpr RegistrySource kRegistrySources[] = {
    {L"SOFTWARE\\Westwood\\Red Alert 2", L"name", 1},
    {L"SOFTWARE\\Westwood\\Red Alert 2", L"Version", 4},
    {L"SOFTWARE\\Westwood\\Red Alert 2", L"InstallPath", 2},
    {L"SOFTWARE\\Westwood\\Yuri's Revenge", L"name", 10},
    {L"SOFTWARE\\Westwood\\Yuri's Revenge", L"Version", 7},
    {L"SOFTWARE\\Westwood\\Yuri's Revenge", L"InstallPath", 9},
};
constexpr int kGameProgramSlot = 2;
constexpr int kLaunchTargetSlot = 9;

// Posted to the main window to scan its pack folder again.
constexpr UINT kRescanPacks = WM_APP + 1;

}  // namespace

Form1::Form1(Informer inform, Asker ask)
    : inform_(std::move(inform)),
      ask_(std::move(ask)),
      dir1_(workingFolder()),
      file1_(L"*.jpg;*.bmp", workingFolder()),
      file2_(L"*.map", workingFolder()),
      file3_(L"", workingFolder()),
      file4_(std::wstring(kMapFilePatterns), workingFolder()) {}

Form1::~Form1() {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

std::unique_ptr<Form1> Form1::create(HINSTANCE instance, Informer inform, Asker ask,
                                     std::vector<std::wstring> startPaths, std::wstring programFolder) {
  if (!registerTopLevelClass(instance, kForm1WindowClass, windowProc)) return nullptr;

  std::unique_ptr<Form1> form(new Form1(std::move(inform), std::move(ask)));
  form->instance_ = instance;
  form->startPaths_ = std::move(startPaths);
  const LabelCaptions captions = form->readRegistry(programFolder);
  // Made at its size for the system's DPI, which is the window's unless it opens on a
  // monitor of another density; then it is sized again while it has no controls yet.
  const auto outerSizeAt = [](UINT dpi) {
    return outerSizeForClient({twipsToPixels(layout::kClientWidth, dpi), twipsToPixels(layout::kClientHeight, dpi)},
                              kWindowStyle, kWindowExStyle, dpi);
  };
  const UINT systemDpi = dpiForWindow(nullptr);
  form->createWindow(kWindowExStyle, kForm1WindowClass, texts::kWindowTitle, kWindowStyle, outerSizeAt(systemDpi),
                     instance);
  if (form->hwnd_ == nullptr) return nullptr;
  topLevelWindowOpened();
  // A program run as administrator still takes drops and the hand-overs of one run as the user.
  allowMessagesFromLowerIntegrity(form->hwnd_, {WM_DROPFILES, kCopyGlobalData, WM_COPYDATA});

  form->dpi_ = dpiForWindow(form->hwnd_);
  if (form->dpi_ != systemDpi) {
    const SIZE outer = outerSizeAt(form->dpi_);
    ::SetWindowPos(form->hwnd_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  form->createControls(captions);

  form->Form_Load();
  return form;
}

void Form1::show(int showCommand) {
  ::ShowWindow(hwnd_, showCommand);
  ::UpdateWindow(hwnd_);
}

void Form1::onWindowGone() {
  gameFolderLock_.reset();  // the next program may manage the game folder now
  topLevelWindowClosed();
}

LRESULT Form1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const Handling handling(*this);
  switch (message) {
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      onNotify(*reinterpret_cast<NMHDR*>(lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return onColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
      drawThumbnail(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DPICHANGED:
      onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case kRescanPacks:
      ReFreshPath(dir1_.path());
      return 0;
    case WM_DROPFILES:
      queueImports(droppedFiles(reinterpret_cast<HDROP>(wParam)));
      return 0;
    case WM_COPYDATA:
      return takeHandOver(*reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
    case kImportsWaiting:
      importQueued();
      return 0;
    case WM_CLOSE:
      if (deferCloseWhileBusy(hwnd_)) return 0;
      Form_Unload();
      ::DestroyWindow(hwnd_);
      return 0;
    default:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

// A control made at its place with its font; `fitted`, a size in pixels, replaces the
// rectangle's. Every control is made so: moving them all afterwards costs start-up time,
// above all under Wine.
HWND Form1::child(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id,
                  const layout::TwipsRect& rect, DWORD exStyle, const SIZE* fitted) const {
  const int width = fitted ? fitted->cx : twipsToPixels(rect.width, dpi_);
  const int height = fitted ? fitted->cy : twipsToPixels(rect.height, dpi_);
  HWND control = ::CreateWindowExW(exStyle, windowClass, text, WS_CHILD | style, twipsToPixels(rect.left, dpi_),
                                   twipsToPixels(rect.top, dpi_), width, height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return control;
}

// The controls a player sees at start, labels with their first captions (and, for those
// that fit their text, at its size). The thumbnail slots come later: see Image1().
void Form1::createControls(const LabelCaptions& captions) {
  font_.reset(::CreateFontIndirectW(&static_cast<const LOGFONTW&>(messageFontForDpi(dpi_))));
  MemoryDc measuring(nullptr);
  SelectedObject measuringFont(measuring.get(), font_.get());

  for (size_t i = 0; i < frames_.size(); ++i) {
    frames_[i] = child(hwnd_, WC_BUTTONW, layout::kFrames[i].caption, WS_VISIBLE | BS_GROUPBOX,
                       layout::kIdFrameFirst + static_cast<int>(i), layout::kFrames[i].rect, WS_EX_CONTROLPARENT);
    ::SetWindowSubclass(frames_[i], frameProc, 0, 0);
  }
  for (size_t slot = 0; slot < labels_.size(); ++slot) {
    const auto& spec = layout::kLabels[slot];
    const DWORD style = WS_VISIBLE | SS_LEFT | SS_NOPREFIX | (spec.wraps ? SS_EDITCONTROL : 0);
    const SIZE fitted = spec.wraps ? SIZE{} : labelTextSize(measuring.get(), captions[slot]);
    labels_[slot] = child(frames_[static_cast<size_t>(spec.frame)], WC_STATICW, captions[slot].c_str(), style,
                          layout::kIdLabelFirst + static_cast<int>(slot), spec.rect, 0, spec.wraps ? nullptr : &fitted);
  }

  commands_[0] = child(hwnd_, WC_BUTTONW, layout::kCommand1.caption, WS_VISIBLE | WS_DISABLED | WS_TABSTOP |
                       BS_PUSHBUTTON, layout::kIdCommand1, layout::kCommand1.rect);
  auto comboRect = layout::kCombo1;
  comboRect.height += layout::kComboDropDownHeight;
  combo1_ = child(hwnd_, WC_COMBOBOXW, layout::kComboInitialText,
                  WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, layout::kIdCombo1, comboRect);
  mapList_.attach(child(hwnd_, WC_LISTVIEWW, L"", MapList::kStyle, layout::kIdListView1, layout::kListView1,
                         WS_EX_CLIENTEDGE), dpi_);
  commands_[1] = child(hwnd_, WC_BUTTONW, layout::kCommand2.caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                       layout::kIdCommand2, layout::kCommand2.rect);
  commands_[2] = child(hwnd_, WC_BUTTONW, layout::kCommand3.caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                       layout::kIdCommand3, layout::kCommand3.rect);
  commands_[3] = child(hwnd_, WC_BUTTONW, layout::kCommand4.caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                       layout::kIdCommand4, layout::kCommand4.rect);
  list1_ = child(hwnd_, WC_LISTBOXW, L"", WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, layout::kIdList1,
                 layout::kList1);
}

// The slots stay hidden until a chosen pack has pictures, so they are made only when
// first needed: most start-ups never need them, and Wine takes its time for each window.
void Form1::makeThumbnailSlots() const {
  if (images_[0] != nullptr) return;
  for (size_t slot = 0; slot < images_.size(); ++slot) {
    images_[slot] = child(hwnd_, WC_STATICW, L"", SS_OWNERDRAW | SS_NOTIFY, layout::kIdImageFirst + static_cast<int>(slot),
                          layout::thumbnailRect(static_cast<int>(slot)));
  }
}

HWND Form1::Image1(int slot) const {
  makeThumbnailSlots();
  return images_[static_cast<size_t>(slot)];
}

// After a DPI change: a new font, and every control moved to its place again. The old
// font is freed only once no control uses it any more.
void Form1::layOut() {
  UniqueFont font(::CreateFontIndirectW(&static_cast<const LOGFONTW&>(messageFontForDpi(dpi_))));
  auto place = [this, &font](HWND control, const layout::TwipsRect& rect) {
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    ::MoveWindow(control, twipsToPixels(rect.left, dpi_), twipsToPixels(rect.top, dpi_),
                 twipsToPixels(rect.width, dpi_), twipsToPixels(rect.height, dpi_), TRUE);
  };
  for (size_t i = 0; i < frames_.size(); ++i) place(frames_[i], layout::kFrames[i].rect);
  for (size_t slot = 0; slot < labels_.size(); ++slot) {
    place(labels_[slot], layout::kLabels[slot].rect);
    if (!layout::kLabels[slot].wraps) fitLabelToText(static_cast<int>(slot));
  }
  place(commands_[0], layout::kCommand1.rect);
  place(commands_[1], layout::kCommand2.rect);
  place(commands_[2], layout::kCommand3.rect);
  place(commands_[3], layout::kCommand4.rect);
  auto comboRect = layout::kCombo1;
  comboRect.height += layout::kComboDropDownHeight;
  place(combo1_, comboRect);
  for (int slot = 0; slot < layout::kThumbnailCount; ++slot) {
    if (images_[static_cast<size_t>(slot)] != nullptr) place(images_[static_cast<size_t>(slot)], layout::thumbnailRect(slot));
  }
  place(list1_, layout::kList1);
  place(mapList_.hwnd(), layout::kListView1);
  mapList_.setColumnWidths(dpi_);
  font_ = std::move(font);
}

// The size of a label's text in the font selected into `dc`: one line high when empty.
SIZE Form1::labelTextSize(HDC dc, const std::wstring& text) {
  RECT bounds{0, 0, 0, 0};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  if (text.empty()) {
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    bounds.bottom = metrics.tmHeight;
  }
  return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

void Form1::fitLabelToText(int slot) {
  HWND label = Label1(slot);
  WindowDc dc(label);
  SelectedObject selected(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(label, WM_GETFONT, 0, 0)));
  const SIZE fitted = labelTextSize(dc.get(), controlText(label));
  ::SetWindowPos(label, nullptr, 0, 0, fitted.cx, fitted.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring Form1::caption(int slot) const { return controlText(Label1(slot)); }

void Form1::setCaption(int slot, const std::wstring& text) {
  ::SetWindowTextW(Label1(slot), text.c_str());
  if (!layout::kLabels[static_cast<size_t>(slot)].wraps) {
    fitLabelToText(slot);
    // The label may have drawn the new text at its old width already; once more at its new one.
    ::InvalidateRect(Label1(slot), nullptr, TRUE);
  }
}

void Form1::onCommand(int id, int code) {
  if (id == layout::kIdCombo1) {
    if (code == CBN_SELCHANGE) Combo1_Click();
    if (code == CBN_EDITCHANGE) onComboTyped();
    return;
  }
  if (id >= layout::kIdImageFirst && id < layout::kIdImageFirst + layout::kThumbnailCount) {
    if (code == STN_CLICKED || code == STN_DBLCLK) Image1_Click(id - layout::kIdImageFirst);
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case layout::kIdCommand2: Command2_Click(); break;
    case layout::kIdCommand3: Command3_Click(); break;
    case layout::kIdCommand4: Command4_Click(); break;
    default: break;
  }
}

void Form1::onComboTyped() {
  // A combo selects the item matching what the user types; here typing leaves no
  // pack chosen. Clearing the list's own selection keeps the typed text.
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (::GetComboBoxInfo(combo1_, &info) && info.hwndList != nullptr) {
    ::SendMessageW(info.hwndList, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }
}

void Form1::onDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  layOut();
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT Form1::onColourStatic(HDC dc, HWND control) {
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  for (size_t slot = 0; slot < labels_.size(); ++slot) {
    if (labels_[slot] == control) {
      const bool fieldName = layout::kLabels[slot].role == layout::LabelRole::FieldName;
      ::SetTextColor(dc, fieldName ? layout::kFieldNameColour : ::GetSysColor(COLOR_WINDOWTEXT));
      break;
    }
  }
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

void Form1::drawThumbnail(const DRAWITEMSTRUCT& item) {
  const int slot = static_cast<int>(item.CtlID) - layout::kIdImageFirst;
  if (slot < 0 || slot >= layout::kThumbnailCount) return;
  const RECT& area = item.rcItem;
  HBITMAP bitmap = thumbnails_[static_cast<size_t>(slot)].get();
  BITMAP info{};
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof info, &info) == 0) {
    ::FillRect(item.hDC, &area, ::GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  MemoryDc source(item.hDC);
  SelectedObject selected(source.get(), bitmap);
  // The bitmap is made at the slot's size; after a DPI change it is stretched.
  ::SetStretchBltMode(item.hDC, HALFTONE);
  ::SetBrushOrgEx(item.hDC, 0, 0, nullptr);
  ::StretchBlt(item.hDC, area.left, area.top, area.right - area.left, area.bottom - area.top, source.get(), 0, 0,
               info.bmWidth, info.bmHeight, SRCCOPY);
}

void Form1::inform(std::wstring_view text) const {
  if (text.empty()) return;
  if (inform_) {
    inform_(hwnd_, text);
  } else {
    showInformation(hwnd_, text);
  }
}

bool Form1::ask(std::wstring_view question) const {
  return ask_ ? ask_(hwnd_, question) : askYesNo(hwnd_, question);
}

// --- Start-up ---------------------------------------------------------------
// Registry, record, scan, then the window shows. The registry is read before the
// window is made, so that its entries are the labels' first captions, and the pack
// folder's reading begins there (a large folder's goes on, on a thread of its own, while
// the controls are made); the scan takes that reading in its turn, after the record.

Form1::LabelCaptions Form1::readRegistry(const std::wstring& programFolder) {
  LabelCaptions captions;
  for (size_t slot = 0; slot < captions.size(); ++slot) captions[slot] = layout::kLabels[slot].caption;
  for (const auto& source : kRegistrySources) {
    std::wstring text = RegKeys::ReadRegValue(HKEY_LOCAL_MACHINE, source.key, source.value);
    if (text.empty()) text = kUnknownMark;
    captions[static_cast<size_t>(source.slot)] = text;
  }
  std::wstring& expansion = captions[kLaunchTargetSlot];
  if (expansion == kUnknownMark || !isFolder(gameDirFromInstallPath(expansion))) {
    // A game the registry doesn't know (a copied folder, or one moved since its install)
    // around this program: in its folder, or in the parent (the program sits in ZAzod).
    // The running program's folder is asked for only here, when it is needed.
    const std::wstring own = programFolder.empty() ? runningProgramFolder() : programFolder;
    for (const std::wstring& folder : {own, gameDirFromInstallPath(own)}) {
      if (!isFile(folder + L"\\gamemd.exe")) continue;
      expansion = folder + L"\\gamemd.exe";
      if (isFile(folder + L"\\Ra2.exe")) captions[kGameProgramSlot] = folder + L"\\Ra2.exe";
      break;
    }
  }
  gameDir_ = gameDirFromInstallPath(expansion);
  dir1_.readAhead(gameDir_ + L"\\ZAzod");
  return captions;
}

void Form1::Form_Load() {
  const Handling handling(*this);
  // Started with archives or folders, the program makes the pack folder first, so that it
  // takes the lock before it decides whether it is the first: two can't both import.
  if (!startPaths_.empty() && gameDir_ != kUnknownMark) (void)makePackFolder(gameDir_);
  if (!claimGameFolder()) return;
  if (gameFolderLock_) removeUnfinishedImports(gameDir_);
  LoadCofg(gameDir_ + L"\\ZAzod\\cofin.txt");
  ReFreshPath(gameDir_ + L"\\ZAzod");
  queueImports(std::exchange(startPaths_, {}));
}

// --- Pack folder scan and pack choice -----------------------------------------

void Form1::ReFreshPath(const std::wstring& NewPath) {
  ::SendMessageW(combo1_, CB_RESETCONTENT, 0, 0);
  ::SetWindowTextW(combo1_, texts::kScanBusy);
  ::EnableWindow(combo1_, FALSE);

  // A file where the folder should be counts as a missing folder, and so does a
  // folder that can't be read; the listing then keeps its earlier path.
  if (!dir1_.setPath(NewPath)) {
    ::SetWindowTextW(combo1_, texts::kScanNoFolder);
    return;
  }
  if (dir1_.count() == 0) {
    ::SetWindowTextW(combo1_, texts::kScanNoPacks);
    return;
  }
  ::EnableWindow(combo1_, TRUE);
  // The text goes in before the items: setting a combo's text makes it search its list
  // for a match, which over thousands of packs costs more than the whole scan.
  ::SetWindowTextW(combo1_, texts::kScanChoose);
  ::SendMessageW(combo1_, WM_SETREDRAW, FALSE, 0);
  appendComboBoxItems(combo1_, dir1_.names());
  ::SendMessageW(combo1_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(combo1_, nullptr, TRUE);
}

void Form1::Combo1_Click() {
  for (HWND image : images_) ::ShowWindow(image, SW_HIDE);

  const int chosen = static_cast<int>(::SendMessageW(combo1_, CB_GETCURSEL, 0, 0));
  const std::wstring folder = dir1_.item(chosen);
  const FolderFiles files = readFolderFiles(folder);
  for (FileListing* listing : {&file1_, &file2_, &file3_, &file4_}) listing->setPath(files);
  mapList_.fill(file4_.path(), file4_.names(), dpi_);

  if (chosen >= 0 && !isFolder(folder)) {
    // The pack went away since the scan: it lists nothing (so it can't be
    // installed), and the pack list is read again so it no longer offers it. The
    // scan waits until the combo has closed its list, which would otherwise wipe
    // the scan's status text from the edit field.
    ::PostMessageW(hwnd_, kRescanPacks, 0, 0);
    return;
  }

  const SIZE slotSize{twipsToPixels(layout::kThumbnailWidth, dpi_), twipsToPixels(layout::kThumbnailHeight, dpi_)};
  const int shown = std::min(file1_.count(), layout::kThumbnailCount);
  for (int slot = 0; slot < shown; ++slot) {
    const std::wstring picture = file1_.path() + L"\\" + file1_.names()[static_cast<size_t>(slot)];
    thumbnails_[static_cast<size_t>(slot)] = loadPictureScaled(picture, slotSize);
    if (!thumbnails_[static_cast<size_t>(slot)]) continue;  // undecodable: the slot stays hidden
    ::InvalidateRect(Image1(slot), nullptr, FALSE);
    ::ShowWindow(Image1(slot), SW_SHOW);
  }
}

void Form1::Image1_Click(int index) {
  if (index < 0 || index >= file1_.count() || index >= layout::kThumbnailCount) return;
  // Only a shown thumbnail can be clicked: a hidden one may hold a picture of an
  // earlier pack, or stand for a file that couldn't be decoded.
  if (!(::GetWindowLongPtrW(Image1(index), GWL_STYLE) & WS_VISIBLE)) return;
  // The full-size picture is loaded only now, when it is shown.
  const std::wstring picture = file1_.path() + L"\\" + file1_.names()[static_cast<size_t>(index)];
  HRESULT failure = S_OK;
  auto loaded = loadPictureFullSize(picture, &failure);
  if (!loaded) return inform(pictureNotOpenedText(picture, failure));
  showPreview(std::move(*loaded));
}

void Form1::showPreview(FullSizePicture picture) {
  if (!Form2::open(instance_, texts::kPreviewTitle, std::move(picture))) inform(texts::kPreviewNotOpened);
}

// --- Game launch -------------------------------------------------------------

void Form1::Command2_Click() {
  const std::wstring program = caption(kLaunchTargetSlot);
  if (const DWORD error = launchGame(program, gameDir_)) {
    inform(gameNotStartedText(program, error));
  }
}

}  // namespace tarnwick
