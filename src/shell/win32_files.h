// The real Files: kernel32's file calls, with long paths.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/files.h"

namespace capture::win32 {

class Win32Files : public Files {
 public:
  // Named "~capture-<process>-<clock>-<n>.tmp" in the target's folder.
  FileResult CreateTemporaryFile(const std::u16string& target, std::u16string& temporary) override;
  FileResult WriteFile(const std::u16string& path, std::span<const std::uint8_t> bytes) override;
  FileResult AppendFile(const std::u16string& path, std::span<const std::uint8_t> bytes) override;
  FileResult FlushFile(const std::u16string& path) override;
  // ReplaceFileW over an existing file, keeping its attributes and security; else, or where the
  // file system cannot replace, MoveFileExW with MOVEFILE_REPLACE_EXISTING | WRITE_THROUGH. A
  // folder at `to` is an error (ERROR_ACCESS_DENIED), never replaced.
  FileResult MoveOver(const std::u16string& from, const std::u16string& to) override;
  FileResult MoveIn(const std::u16string& from, const std::u16string& to) override;
  bool RemoveFile(const std::u16string& path) override;
  bool Exists(const std::u16string& path) override;
  FileResult MakeFolders(const std::u16string& folder) override;
};

// The path as the file APIs take it: made absolute (GetFullPathNameW, which also resolves "." and
// ".." and turns "/" into "\"), then, at MAX_PATH characters or more, given the "\\?\" prefix
// that lifts the limit. A path that already has the prefix is left as it is.
std::u16string ExtendedLengthPath(const std::u16string& path);

// The whole file's bytes; nothing when it cannot be opened or read whole, or holds more than
// `largest` bytes.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::u16string& path,
                                                       std::uint64_t largest);

}  // namespace capture::win32
