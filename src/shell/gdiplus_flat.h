// The real Gdiplus: GDI+'s flat API (gdiplus.dll), ole32's CLSIDFromString and kernel32's file
// calls.
#pragma once

#include "platform/gdiplus.h"

namespace capture::win32 {

class GdiplusFlat : public Gdiplus {
 public:
  GdiplusFlat() = default;
  GdiplusFlat(const GdiplusFlat&) = delete;
  GdiplusFlat& operator=(const GdiplusFlat&) = delete;

  Started Startup() override;
  void Shutdown(Token token) override;
  // Both bitmaps come from GdipCreateBitmapFromScan0 with GDI+'s own memory, filled through
  // GdipBitmapLockBits: no device context or display is needed, and the bitmap does not depend
  // on the caller's pixels staying alive.
  Created CreateBitmap(const Picture& picture) override;
  Created CreateIndexedBitmap(const IndexedPicture& picture) override;
  int SaveImageToFile(Image image, const std::u16string& path, const Guid& encoder,
                      std::span<const std::uint8_t> parameters) override;
  int DisposeImage(Image image) override;
  std::optional<Guid> CLSIDFromString(const std::u16string& text) override;
  // Named "~capture-<process>-<clock>-<n>.tmp" in the target's folder.
  FileResult CreateTemporaryFile(const std::u16string& target, std::u16string& temporary) override;
  FileResult WriteFile(const std::u16string& path, std::span<const std::uint8_t> bytes) override;
  FileResult FlushFile(const std::u16string& path) override;
  // ReplaceFileW over an existing file, keeping its attributes and security; else, or where the
  // file system cannot replace, MoveFileExW with MOVEFILE_REPLACE_EXISTING | WRITE_THROUGH.
  FileResult MoveOver(const std::u16string& from, const std::u16string& to) override;
  bool RemoveFile(const std::u16string& path) override;
};

// The path as the file APIs take it: made absolute (GetFullPathNameW, which also resolves "." and
// ".." and turns "/" into "\"), then, at MAX_PATH characters or more, given the "\\?\" prefix
// that lifts the limit. A path that already has the prefix is left as it is.
std::u16string ExtendedLengthPath(const std::u16string& path);

}  // namespace capture::win32
