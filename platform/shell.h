#pragma once
#include <optional>
#include <string>

namespace tarnwick {

// Asks the shell to "open" a file with a working folder, shown normally.
// Nothing on success; the system's reason when the shell refuses.
std::optional<std::wstring> shellOpen(const std::wstring& file, const std::wstring& workingFolder);

}  // namespace tarnwick
