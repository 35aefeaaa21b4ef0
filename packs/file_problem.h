#pragma once
#include <windows.h>

#include <string>

namespace tarnwick {

// One thing an install, a removal or a record write couldn't do, for the window to put
// into words: what went wrong, the file concerned, and the system's error code.
struct FileProblem {
  enum class Kind {
    JournalUnwritable,       // file: the journal's path
    RecordUnwritable,        // file: the record's path
    NotCopied,               // file: the pack's file name
    OriginalNotKept,         // file: the name; place: the kept originals' folder
    OlderNotSetAside,        // file: the older kept file's path
    NotAGameFileName,        // file: the listed name; no error code
    IsAFolder,               // file: the listed name; no error code
    OriginalNotSwappedBack,  // file: the name; place: where the original is kept
    OriginalNotPutBack,      // the same, where the pack's file was already gone
    NotDeleted,              // file: the name
    StringTableNotRestored,  // file: the string table's path
    NoPristineStringTable,   // file: the pristine copy's path; place: the string table's; no error code
  };
  Kind kind;
  std::wstring file;
  std::wstring place;
  DWORD error = NO_ERROR;
};

}  // namespace tarnwick
