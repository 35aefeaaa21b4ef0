#pragma once
#include <windows.h>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/map_list.h"
#include "packs/listings.h"
#include "platform/pictures.h"
#include "platform/unique_handle.h"
#include "platform/window_base.h"

namespace tarnwick {
namespace layout {
struct TwipsRect;
}

// The main window's class name, by which a second program finds the first.
inline constexpr wchar_t kForm1WindowClass[] = L"Tarnwick.Form1";

// The main window: owner of the run's state, most of it held in its controls
// (the installed pack's name and path are label captions, the installed files the
// items of List1, the packs the items of Combo1, the chosen pack its selected index).
class Form1 : public WindowBase {
 public:
  // How messages reach the user; tests replace it to read them.
  using Informer = std::function<void(HWND owner, std::wstring_view text)>;
  // How a Yes/No question reaches the user; true for Yes. Tests replace it to answer.
  using Asker = std::function<bool(HWND owner, std::wstring_view question)>;

  // Creates the window and runs its load step; the window is not shown yet. `startPaths`
  // (full paths of archives or folders the program was started with) are imported once
  // the messages run, or handed to the program that manages the game folder.
  // `programFolder`, where a game the registry doesn't know is looked for, is the folder
  // of the running program unless given.
  static std::unique_ptr<Form1> create(HINSTANCE instance, Informer inform = {}, Asker ask = {},
                                       std::vector<std::wstring> startPaths = {}, std::wstring programFolder = {});
  ~Form1();

  void show(int showCommand);
  // Another Tarnwick manages this game folder: this one has said so and must end.
  [[nodiscard]] bool managedElsewhere() const { return managedElsewhere_; }
  // Whether this program may change the game folder and its record: only while it holds
  // the game folder's lock. When it doesn't, it tells the user why and says no. Every
  // install, removal and import asks first.
  [[nodiscard]] bool mayChangeGameFolder() const;

  // Event handlers.
  void Form_Load();
  void Form_Unload();
  void Combo1_Click();
  void Image1_Click(int index);
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void ListView1_ItemActivate(int row);

  // Public methods.
  void ReFreshPath(const std::wstring& NewPath);
  void LoadCofg(const std::wstring& sPath);

  // The window's holders of state.
  [[nodiscard]] HWND Label1(int slot) const { return labels_[static_cast<size_t>(slot)]; }
  // Made the first time one is asked for (see makeThumbnailSlots).
  [[nodiscard]] HWND Image1(int slot) const;
  // The slot's picture, made at the slot's size; kept while the slot is hidden.
  [[nodiscard]] HBITMAP Image1Picture(int slot) const { return thumbnails_[static_cast<size_t>(slot)].get(); }
  [[nodiscard]] HWND Frame(int index) const { return frames_[static_cast<size_t>(index)]; }
  [[nodiscard]] HWND Combo1() const { return combo1_; }
  [[nodiscard]] HWND List1() const { return list1_; }
  [[nodiscard]] HWND ListView1() const { return mapList_.hwnd(); }
  [[nodiscard]] HWND Command(int number) const { return commands_[static_cast<size_t>(number - 1)]; }
  [[nodiscard]] const std::wstring& GameDir() const { return gameDir_; }
  [[nodiscard]] const FolderListing& Dir1() const { return dir1_; }
  [[nodiscard]] const FileListing& File1() const { return file1_; }
  [[nodiscard]] const FileListing& File2() const { return file2_; }
  [[nodiscard]] const FileListing& File3() const { return file3_; }

  [[nodiscard]] std::wstring caption(int slot) const;
  void setCaption(int slot, const std::wstring& text);

 private:
  Form1(Informer inform, Asker ask);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void onWindowGone() override;

  using LabelCaptions = std::array<std::wstring, 16>;
  // The load step's first part, before the window is made: the registry's entries
  // among the labels' captions, and the game folder. An empty `programFolder` stands for
  // the running program's, looked up only where the registry knows no game.
  LabelCaptions readRegistry(const std::wstring& programFolder);
  HWND child(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id,
             const layout::TwipsRect& rect, DWORD exStyle = 0, const SIZE* fitted = nullptr) const;
  void createControls(const LabelCaptions& captions);
  void makeThumbnailSlots() const;
  void layOut();
  void fitLabelToText(int slot);
  static SIZE labelTextSize(HDC dc, const std::wstring& text);
  void onCommand(int id, int code);
  void onComboTyped();
  void onNotify(NMHDR& notification);
  void onDpiChanged(UINT dpi, const RECT& suggested);
  LRESULT onColourStatic(HDC dc, HWND control);
  void drawThumbnail(const DRAWITEMSTRUCT& item);
  void showPreview(FullSizePicture picture);
  void inform(std::wstring_view text) const;
  // Takes the game folder for this program; false when another program has it.
  bool claimGameFolder();
  [[nodiscard]] bool ask(std::wstring_view question) const;
  // Where another program has the game folder: hands the start paths to that one, or
  // says why it couldn't. False when there are none.
  bool handOverStartPaths();

  // Importing archives and folders (dropped, handed over, or given at start): paths are
  // queued and imported one after another once no other handler runs, never inside one
  // (an install's question or progress runs the messages).
  void queueImports(std::vector<std::wstring> paths);
  [[nodiscard]] bool takeHandOver(const COPYDATASTRUCT& data);
  void importQueued();
  // Makes sure this program holds the game folder for an import; the message why it
  // can't, or nothing.
  std::optional<std::wstring> gameFolderForImport();
  void choosePack(const std::wstring& name);

  // Counts the window's handlers running; imports wait while one does.
  class Handling {
   public:
    explicit Handling(Form1& form) : form_(form) { ++form_.handling_; }
    ~Handling();
    Handling(const Handling&) = delete;
    Handling& operator=(const Handling&) = delete;

   private:
    Form1& form_;
  };
  // Posted to the window when imports are waiting.
  static constexpr UINT kImportsWaiting = WM_APP + 2;

  HINSTANCE instance_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  UniqueFont font_;
  Informer inform_;
  Asker ask_;

  std::array<HWND, 3> frames_{};
  std::array<HWND, 16> labels_{};
  mutable std::array<HWND, 12> images_{};  // made when first needed
  std::array<HWND, 4> commands_{};
  HWND combo1_ = nullptr;
  HWND list1_ = nullptr;
  MapList mapList_;
  std::array<UniqueBitmap, 12> thumbnails_;

  std::wstring gameDir_;
  UniqueFile gameFolderLock_;  // held while the window lives
  DWORD lockError_ = NO_ERROR;  // why it isn't held
  bool managedElsewhere_ = false;
  std::vector<std::wstring> startPaths_;
  std::deque<std::wstring> importQueue_;
  int handling_ = 0;
  bool importsDeferred_ = false;
  FolderListing dir1_;
  FileListing file1_;
  FileListing file2_;
  FileListing file3_;
  FileListing file4_;  // the pack's map files, as the map list shows them
};

}  // namespace tarnwick
