#include "output/temporary_file.h"

namespace capture {

FileResult WriteFileAtomically(Files& files, const std::u16string& target,
                               std::span<const std::uint8_t> bytes) {
  TemporaryFile temporary(files);
  if (FileResult error = temporary.Create(target)) return error;
  if (FileResult error = files.WriteFile(temporary.path(), bytes)) return error;
  if (FileResult error = files.FlushFile(temporary.path())) return error;
  return temporary.MoveOver(target);
}

}  // namespace capture
