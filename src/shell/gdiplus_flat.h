// The real Gdiplus: GDI+'s flat API (gdiplus.dll) and ole32's CLSIDFromString.
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
  // Through the imaging component (shell/png_stream.h), not GDI+, which needs the whole picture.
  bool EncodePng(const PictureRows& rows, const WriteBytes& write) override;
  int DisposeImage(Image image) override;
  std::optional<Guid> CLSIDFromString(const std::u16string& text) override;
};

}  // namespace capture::win32
