// A file written beside its target, which takes the target's place only once it is complete.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "platform/files.h"

namespace capture {

// The temporary file of one save or one write: removed at the end unless it took the target's
// place.
class TemporaryFile {
 public:
  explicit TemporaryFile(Files& files) : files_(files) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() { Remove(); }

  FileResult Create(const std::u16string& target) {
    return files_.CreateTemporaryFile(target, path_);
  }
  const std::u16string& path() const { return path_; }
  FileResult MoveOver(const std::u16string& target) {
    FileResult error = files_.MoveOver(path_, target);
    if (!error) path_.clear();
    return error;
  }
  FileResult MoveIn(const std::u16string& target) {
    FileResult error = files_.MoveIn(path_, target);
    if (!error) path_.clear();
    return error;
  }
  void Remove() {
    if (!path_.empty()) files_.RemoveFile(std::exchange(path_, {}));
  }

 private:
  Files& files_;
  std::u16string path_;  // empty when there is no file to remove
};

// Writes the bytes to a temporary file beside `target`, flushes it to the disk and puts it in
// the target's place: a failure at any step leaves an existing file as it was and no temporary
// file behind.
FileResult WriteFileAtomically(Files& files, const std::u16string& target,
                               std::span<const std::uint8_t> bytes);

}  // namespace capture
