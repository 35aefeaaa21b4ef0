#pragma once
#include <string>
#include <string_view>
#include <vector>

// Every text the program shows the user, in one place: a change of wording or a
// translation touches this file alone. Only the mark for "nothing there" is the record's
// (packs/unknown_mark.h).
namespace tarnwick::texts {

inline constexpr const wchar_t* kWindowTitle = L"Tarnwick";
inline constexpr const wchar_t* kPreviewTitle = L"图像预览";

// The main window's captions (form1_layout.h places them). Labels that show a value start
// with a field's name until the value is known.
inline constexpr const wchar_t* kGameFrame = L"游戏信息";
inline constexpr const wchar_t* kExpansionFrame = L"资料片";
inline constexpr const wchar_t* kPackInUseFrame = L"正在使用的地图信息";
inline constexpr const wchar_t* kGameName = L"游戏名称：";
inline constexpr const wchar_t* kGameFolder = L"游戏目录：";
inline constexpr const wchar_t* kGameVersion = L"游戏版本：";
inline constexpr const wchar_t* kPackName = L"地图名称：";
inline constexpr const wchar_t* kPackFolder = L"地图图径：";
inline constexpr const wchar_t* kCommand1 = L"指定地图目录";
inline constexpr const wchar_t* kCommand2 = L"执行游戏";
inline constexpr const wchar_t* kCommand3 = L"复制地图包";
inline constexpr const wchar_t* kCommand4 = L"移除地图包";
// The map list's columns.
inline constexpr const wchar_t* kMapColumn = L"地图";
inline constexpr const wchar_t* kPlayersColumn = L"人数";
inline constexpr const wchar_t* kFileColumn = L"文件";

inline constexpr const wchar_t* kNoMainWindow = L"无法创建主窗口。";

// The pack list's edit field doubles as the status line of the pack scan.
inline constexpr const wchar_t* kScanBusy = L"请稍候..";
inline constexpr const wchar_t* kScanNoFolder = L"请指定包函数地图的资料夹";
inline constexpr const wchar_t* kScanNoPacks = L"未找到..";
inline constexpr const wchar_t* kScanChoose = L"请选择..";

inline constexpr const wchar_t* kChoosePack = L"请选择地图包";

inline std::wstring anotherProgramManages(std::wstring_view gameDir) {
  return L"另一个 Tarnwick 正在管理游戏目录“" + std::wstring(gameDir) + L"”。\r\n请使用已打开的那个窗口；本程序将退出。";
}

// The lock on the game folder that couldn't be taken, though no other program holds it;
// the system's reason follows the lock file's path.
inline std::wstring gameFolderNotLocked(const std::wstring& lockFile, const std::wstring& reason) {
  return L"无法锁定 " + lockFile + L"：" + reason +
         L"\r\n为免与另一个 Tarnwick 同时改动游戏目录，本程序不复制、不移除也不导入地图包，退出时也不改写记录。"
         L"\r\n请检查该文件及其所在的文件夹（它应是普通文件而不是文件夹或失效的链接，文件夹应可写入），然后重新启动本程序。";
}

// A second program started with archives or folders that couldn't hand them to the one
// managing the game folder (which runs for another Windows user, or doesn't answer).
inline std::wstring pathsNotHandedOver(std::wstring_view gameDir, const std::wstring& listed) {
  return anotherProgramManages(gameDir) + L"\r\n\r\n无法把以下文件交给那个窗口，它们未被导入：" + listed;
}

// The system's error: its own words and the number in brackets, or only the number
// when it has no words for it.
inline std::wstring systemError(const std::wstring& systemWords, const std::wstring& bracketedNumber) {
  return systemWords.empty() ? L"错误 " + bracketedNumber : systemWords + L" " + bracketedNumber;
}

// A message's list, one line each: the first ten, then how many more there are, so a
// list of thousands still makes a message that can be read.
inline constexpr size_t kListedLinesShown = 10;
inline std::wstring listedLines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (size_t i = 0; i < lines.size() && i < kListedLinesShown; ++i) text += L"\r\n" + lines[i];
  if (lines.size() > kListedLinesShown) {
    text += L"\r\n……另有 " + std::to_wstring(lines.size() - kListedLinesShown) + L" 项未列出。";
  }
  return text;
}

// Put in place of the lines of a message that don't fit on the screen.
inline constexpr const wchar_t* kMessageCut = L"……（其余内容过长，未显示）";

// Opening a picture's preview; the system's reason follows the picture's path.
inline std::wstring pictureNotOpened(const std::wstring& path, const std::wstring& reason) {
  return L"无法打开图片：" + path + L"\r\n" + reason;
}
// Why a picture can't be shown, when the imaging component says; its result follows.
inline std::wstring pictureTooLarge(const std::wstring& bracketedNumber) { return L"图片太大，无法显示 " + bracketedNumber; }
inline std::wstring pictureUnreadable(const std::wstring& bracketedNumber) {
  return L"文件已损坏，或不是能读取的图片 " + bracketedNumber;
}
inline constexpr const wchar_t* kPreviewNotOpened = L"无法打开预览窗口。";
// Opening a map's preview from the map list; the file's name follows.
inline constexpr const wchar_t* kMapHasNoPreview = L"这张地图没有预览图：";
inline constexpr const wchar_t* kMapUnreadable = L"无法读取地图文件：";
inline constexpr const wchar_t* kMapPreviewFailed = L"无法显示地图的预览图：";

inline std::wstring gameNotStarted(const std::wstring& program, const std::wstring& reason) {
  return L"无法启动游戏：" + program + L"\r\n" + reason;
}
inline constexpr const wchar_t* kLaunchTargetIsAFolder = L"这是一个文件夹，不是游戏程序。";
// Refusing to change the game folder while the game runs.
inline std::wstring gameRunning(const std::wstring& program) {
  return L"游戏正在运行：" + program + L"\r\n请先退出游戏，再复制或移除地图包。";
}

// The window title's progress of a long install or removal.
inline constexpr const wchar_t* kInstalling = L"正在复制地图包";
inline constexpr const wchar_t* kRemoving = L"正在移除地图包";

inline constexpr const wchar_t* kNothingTouched = L"\r\n未复制或删除任何文件。";

// Why a pack isn't installed, before anything is copied. `codePage`: the system's ANSI
// code page, which the record is written in.
inline std::wstring unrecordable(const std::wstring& codePage) {
  return L"”含有本机代码页（" + codePage + L"）无法记录的字符，无法复制此地图包。未复制任何文件。";
}
inline std::wstring packFolderUnrecordable(const std::wstring& folder, const std::wstring& codePage) {
  return L"地图包的文件夹“" + folder + unrecordable(codePage);
}
inline std::wstring packNameUnrecordable(const std::wstring& name, const std::wstring& codePage) {
  return L"地图包的名称“" + name + unrecordable(codePage);
}
inline std::wstring fileNameUnrecordable(const std::wstring& name, const std::wstring& codePage) {
  return L"地图包中的文件名“" + name + unrecordable(codePage);
}
inline std::wstring fileNameUnusable(const std::wstring& name) {
  return L"地图包中的“" + name + L"”不能作为游戏目录中的文件名，无法复制此地图包。未复制任何文件。";
}

// An install that stopped part-way: why, and what it copied before.
inline std::wstring installStopped(const std::wstring& why, size_t copied) {
  return L"复制地图包中止。" + why + L"\r\n" +
         (copied == 0 ? std::wstring(L"未复制任何文件。")
                      : L"已复制的 " + std::to_wstring(copied) + L" 个文件已记录，可用“移除地图包”移除。");
}

// What an install, a removal or a record write couldn't do; `error` is the system's.
inline std::wstring journalUnwritable(const std::wstring& path, const std::wstring& error) {
  return L"无法写入操作日志 " + path + L"：" + error + L"\r\n未改动任何文件。";
}
inline std::wstring recordUnwritable(const std::wstring& path, const std::wstring& error) {
  return L"无法保存已安装地图包的记录 " + path + L"：" + error + L"\r\n该文件仍是上次保存的内容。";
}
inline std::wstring notCopied(const std::wstring& name, const std::wstring& error) {
  return L"无法复制 " + name + L"：" + error;
}
inline std::wstring originalNotKept(const std::wstring& name, const std::wstring& folder, const std::wstring& error) {
  return L"无法备份游戏原有的 " + name + L"（到 " + folder + L"）：" + error + L"\r\n该文件未被改动。";
}
inline std::wstring olderNotSetAside(const std::wstring& path, const std::wstring& error) {
  return L"无法将较早的备份 " + path + L" 改名保存：" + error;
}
// Older kept files an install found and set aside, one line each: where it is now.
inline std::wstring olderSetAside(const std::vector<std::wstring>& lines) {
  return L"备份文件夹中原有以下文件的较早备份，没有任何记录说明它们从何而来。为保存游戏当前的文件，"
         L"它们已改名保留，不会被放回或删除：" + listedLines(lines);
}
inline std::wstring notAGameFileName(const std::wstring& name) { return L"“" + name + L"”不是游戏目录中的文件名，未删除。"; }
inline std::wstring isAFolder(const std::wstring& name) { return L"“" + name + L"”是文件夹，未删除。"; }
inline std::wstring originalNotSwappedBack(const std::wstring& name, const std::wstring& kept, const std::wstring& error) {
  return L"无法用游戏原有的 " + name + L" 替换地图包的文件：" + error + L"\r\n原文件仍保存在 " + kept;
}
inline std::wstring originalNotPutBack(const std::wstring& name, const std::wstring& kept, const std::wstring& error) {
  return L"无法放回游戏原有的 " + name + L"：" + error + L"\r\n原文件仍保存在 " + kept;
}
inline std::wstring notDeleted(const std::wstring& name, const std::wstring& error) {
  return L"无法删除 " + name + L"：" + error;
}
inline std::wstring stringTableNotRestored(const std::wstring& path, const std::wstring& error) {
  return L"无法恢复 " + path + L"：" + error;
}
inline std::wstring noPristineStringTable(const std::wstring& pristine, const std::wstring& table) {
  return L"找不到原版字符串表 " + pristine + L"，" + table + L" 保持原样。";
}
// All of a removal's problems in one message.
inline std::wstring removalProblems(const std::vector<std::wstring>& problems) {
  return L"移除地图包时出现以下问题：" + listedLines(problems);
}

// Installing another pack while one is in use takes that one out first.
inline std::wstring switchQuestion(const std::wstring& inUse, const std::wstring& chosen) {
  return L"正在使用地图包“" + inUse + L"”。先移除它，再复制“" + chosen + L"”吗？";
}
inline std::wstring switchStopped(const std::wstring& chosen) {
  return L"地图包未能完全移除，未复制“" + chosen + L"”的任何文件。";
}

// Importing archives and folders as packs: the window title's progress, and what an
// import did or why it didn't. `source` is the archive or folder as the user gave it.
inline constexpr const wchar_t* kUnpacking = L"正在解压";
inline constexpr const wchar_t* kNothingUnpacked = L"\r\n未解压任何文件。";
inline std::wstring sourcesNotFound(const std::wstring& listed) {
  return L"找不到以下文件或文件夹，未导入：" + listed;
}
inline constexpr const wchar_t* kNoGameFolderToImportInto = L"游戏目录未知，无法导入地图包。\r\n未解压任何文件。";
inline std::wstring packFolderNotMade(const std::wstring& folder, const std::wstring& error) {
  return L"无法创建地图包文件夹 " + folder + L"：" + error + kNothingUnpacked;
}
inline std::wstring importManagedElsewhere(std::wstring_view gameDir) {
  return L"另一个 Tarnwick 正在管理游戏目录“" + std::wstring(gameDir) + L"”，请在那个窗口中导入。" + kNothingUnpacked;
}
inline std::wstring importRefused(const std::wstring& source, const std::wstring& why, const std::wstring& entry) {
  return L"无法导入“" + source + L"”：" + why + (entry.empty() ? L"" : L"\r\n出问题的项：" + entry) + kNothingUnpacked;
}
inline constexpr const wchar_t* kNotAnArchive = L"它既不是文件夹，也不是能读取的压缩包（.zip、.7z、.rar）。";
inline constexpr const wchar_t* kArchiveDamaged = L"压缩包不完整或已损坏（校验失败）。";
inline constexpr const wchar_t* kArchiveEncrypted =
    L"压缩包有密码保护。请先用解压软件输入密码手动解压，再把解压出的文件夹拖到本窗口。";
inline constexpr const wchar_t* kArchiveMultiVolume = L"这是分卷压缩包的一部分。请先用解压软件手动解压。";
inline constexpr const wchar_t* kUnknownCompression = L"压缩包使用了无法识别的压缩方式。";
inline constexpr const wchar_t* kEntryOutsideThePack =
    L"其中有项会被解压到地图包文件夹之外（“..”、绝对路径、盘符、网络路径或“:”）。";
inline constexpr const wchar_t* kEntryDeviceName = L"其中有项使用了 Windows 的设备名（如 CON、NUL、COM1）。";
inline constexpr const wchar_t* kEntryNameUnusable =
    L"其中有项的名称在 Windows 中不能使用（空名称、含 <>:\"|?* 或控制字符、以点或空格结尾）。";
inline constexpr const wchar_t* kEntryPathTooLong = L"其中有项解压后的路径超过 Windows 允许的长度。";
inline constexpr const wchar_t* kEntryDuplicate = L"其中有两项同名（或名称只有大小写不同）。";
inline constexpr const wchar_t* kEntryFileAndFolder = L"其中有同名的文件和文件夹。";
inline constexpr const wchar_t* kEntryLink = L"其中有符号链接、硬链接或联接点。";
inline std::wstring tooManyEntries(const std::wstring& limit) { return L"其中的项超过 " + limit + L" 个。"; }
inline std::wstring tooLarge(const std::wstring& limit) { return L"解压后的大小超过 " + limit + L"。"; }
inline std::wstring diskFull(const std::wstring& kept) { return L"磁盘空间不足：解压后剩余空间将少于 " + kept + L"。"; }
inline constexpr const wchar_t* kDecoderOutOfMemory = L"解压所需的内存不足（压缩包声明的字典远大于其数据）。";
inline std::wstring sourceNotReadable(const std::wstring& error) { return L"无法读取：" + error; }
inline std::wstring notUnpacked(const std::wstring& file, const std::wstring& error) {
  return L"无法写入 " + file + L"：" + error;
}
inline constexpr const wchar_t* kSourceEmpty = L"其中没有任何文件。";
inline constexpr const wchar_t* kFolderIsTheGame = L"不能导入游戏目录、ZAzod 文件夹或 ZAzod 中的文件夹。";
// What an import made that needs the player's hand before it can be installed.
inline std::wstring importedWithoutMaps(const std::wstring& source, const std::wstring& pack) {
  return L"“" + source + L"”中没有地图文件（.map、.yrm、.mpr）。它已导入为地图包“" + pack +
         L"”，但照现在的样子无法复制到游戏中。";
}
inline std::wstring importedUnrecordable(const std::wstring& source, const std::wstring& pack, const std::wstring& name,
                                         const std::wstring& codePage) {
  return L"“" + source + L"”已导入为地图包“" + pack + L"”，但其中的文件名“" + name + L"”含有本机代码页（" + codePage +
         L"）无法记录的字符：请先给它改名，否则无法复制此地图包。";
}
inline std::wstring collectionImported(const std::wstring& source, size_t packs) {
  return L"“" + source + L"”是地图包合集：其中的 " + std::to_wstring(packs) +
         L" 个地图包已分别导入，不属于任何一个地图包的其他项未导入。";
}

}  // namespace tarnwick::texts
