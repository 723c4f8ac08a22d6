// The file-system calls of a save: the picture is written to a temporary file beside the target,
// which takes the target's place only once it is complete.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace capture {

// Why a file-system call failed: the system's error code (GetLastError) and its own text for it.
struct FileError {
  std::uint32_t code = 0;
  std::u16string text;
};

// Nothing when the call succeeded.
using FileResult = std::optional<FileError>;

// The system's ERROR_ALREADY_EXISTS: MoveIn's error when another file or folder has the name.
inline constexpr std::uint32_t kNameTaken = 183;

class Files {
 public:
  virtual ~Files() = default;

  // Creates a new empty file in the folder of `target`, under a name no file there has, and sets
  // `temporary` to its path.
  virtual FileResult CreateTemporaryFile(const std::u16string& target,
                                         std::u16string& temporary) = 0;
  // Writes exactly these bytes over the file at `path`, creating it if needed; an error unless
  // every byte was written and the file closed.
  virtual FileResult WriteFile(const std::u16string& path, std::span<const std::uint8_t> bytes) = 0;
  // Writes exactly these bytes at the end of the existing file at `path`: a file written piece by
  // piece; an error unless every byte was written and the file closed.
  virtual FileResult AppendFile(const std::u16string& path,
                                std::span<const std::uint8_t> bytes) = 0;
  // Has the system write the file's data through to the disk (FlushFileBuffers).
  virtual FileResult FlushFile(const std::u16string& path) = 0;
  // Puts the file `from` in the place of `to` in one step, replacing any file there, and returns
  // once the change is on the disk; on an error, `to` is as it was.
  virtual FileResult MoveOver(const std::u16string& from, const std::u16string& to) = 0;
  // Moves the file `from` to the name `to` only when nothing has that name, in one step, and
  // returns once the change is on the disk; the error's code is kNameTaken when something has.
  virtual FileResult MoveIn(const std::u16string& from, const std::u16string& to) = 0;
  // Deletes the file; false when it could not be deleted.
  virtual bool RemoveFile(const std::u16string& path) = 0;
  // True when a file or a folder of that name is there.
  virtual bool Exists(const std::u16string& path) = 0;
  // Makes the folder and every missing folder above it; an error when it is still not there.
  virtual FileResult MakeFolders(const std::u16string& folder) = 0;
};

}  // namespace capture
