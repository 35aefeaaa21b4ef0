#include "app/messages.h"

#include <wincodec.h>

#include <cwchar>

#include "app/texts.h"
#include "game/launch.h"
#include "platform/error_text.h"

namespace tarnwick {
namespace {

std::wstring bracketed(const wchar_t* format, unsigned long number) {
  wchar_t text[32];
  std::swprintf(text, 32, format, number);
  return text;
}

// A COM result: the system's text for a wrapped Windows error code, otherwise its text
// for the result itself, with the result in hexadecimal.
std::wstring resultText(HRESULT result) {
  if (HRESULT_FACILITY(result) == FACILITY_WIN32) return systemErrorText(HRESULT_CODE(result));
  return texts::systemError(systemMessage(static_cast<DWORD>(result)),
                            bracketed(L"(0x%08lX)", static_cast<unsigned long>(result)));
}

// The imaging component's own errors all mean the file holds no picture it can read.
std::wstring pictureFailureText(HRESULT result) {
  constexpr int kImagingFacility = 0x898;
  if (HRESULT_FACILITY(result) != kImagingFacility) return resultText(result);
  const std::wstring number = bracketed(L"(0x%08lX)", static_cast<unsigned long>(result));
  if (result == WINCODEC_ERR_IMAGESIZEOUTOFRANGE) return texts::pictureTooLarge(number);
  return texts::pictureUnreadable(number);
}

}  // namespace

std::wstring joinedMessages(std::wstring first, const std::wstring& second) {
  if (second.empty()) return first;
  return first.empty() ? second : first + L"\r\n\r\n" + second;
}

std::wstring systemErrorText(DWORD error) {
  return texts::systemError(systemMessage(error), bracketed(L"(%lu)", static_cast<unsigned long>(error)));
}

std::wstring pictureNotOpenedText(const std::wstring& path, HRESULT result) {
  return texts::pictureNotOpened(path, pictureFailureText(result));
}

std::wstring gameNotStartedText(const std::wstring& program, DWORD error) {
  // The system's words for a folder are a programmer's ("not supported on a directory").
  if (error == kProgramIsAFolder) return texts::gameNotStarted(program, texts::kLaunchTargetIsAFolder);
  return texts::gameNotStarted(program, systemErrorText(error));
}

std::wstring refusalText(const PackRefusal& refusal) {
  const std::wstring codePage = std::to_wstring(::GetACP());
  switch (refusal.reason) {
    case PackRefusal::Reason::FolderUnrecordable: return texts::packFolderUnrecordable(refusal.name, codePage);
    case PackRefusal::Reason::NameUnrecordable: return texts::packNameUnrecordable(refusal.name, codePage);
    case PackRefusal::Reason::FileNameUnusable: return texts::fileNameUnusable(refusal.name);
    case PackRefusal::Reason::FileNameUnrecordable: return texts::fileNameUnrecordable(refusal.name, codePage);
  }
  return {};
}

std::wstring problemText(const FileProblem& problem) {
  using Kind = FileProblem::Kind;
  const std::wstring& file = problem.file;
  const std::wstring error = problem.error == NO_ERROR ? std::wstring() : systemErrorText(problem.error);
  switch (problem.kind) {
    case Kind::JournalUnwritable: return texts::journalUnwritable(file, error);
    case Kind::RecordUnwritable: return texts::recordUnwritable(file, error);
    case Kind::NotCopied: return texts::notCopied(file, error);
    case Kind::OriginalNotKept: return texts::originalNotKept(file, problem.place, error);
    case Kind::OlderNotSetAside: return texts::olderNotSetAside(file, error);
    case Kind::NotAGameFileName: return texts::notAGameFileName(file);
    case Kind::IsAFolder: return texts::isAFolder(file);
    case Kind::OriginalNotSwappedBack: return texts::originalNotSwappedBack(file, problem.place, error);
    case Kind::OriginalNotPutBack: return texts::originalNotPutBack(file, problem.place, error);
    case Kind::NotDeleted: return texts::notDeleted(file, error);
    case Kind::StringTableNotRestored: return texts::stringTableNotRestored(file, error);
    case Kind::NoPristineStringTable: return texts::noPristineStringTable(file, problem.place);
  }
  return {};
}

std::wstring installReport(const InstallOutcome& outcome) {
  std::wstring failure;
  if (outcome.failure) {
    failure = problemText(*outcome.failure);
    // A journal that can't be written stops the install before it starts.
    if (outcome.failure->kind != FileProblem::Kind::JournalUnwritable) {
      failure = texts::installStopped(failure, outcome.copied.size());
    }
  }
  if (outcome.setAside.empty()) return failure;
  return joinedMessages(texts::olderSetAside(outcome.setAside), failure);
}

std::wstring removalReport(const RemovalOutcome& outcome) {
  if (outcome.problems.empty()) return {};
  std::vector<std::wstring> lines;
  lines.reserve(outcome.problems.size());
  for (const auto& problem : outcome.problems) lines.push_back(problemText(problem));
  return texts::removalProblems(lines);
}

}  // namespace tarnwick
