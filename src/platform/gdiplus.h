// The GDI+ flat API as the image file encoder uses it. Status values are GDI+'s own (0 is Ok).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/picture_rows.h"
#include "platform/types.h"

namespace capture {

// A GUID in the Windows GUID layout (Data1 to Data4).
struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};
  friend bool operator==(const Guid&, const Guid&) = default;
};

// A top-down picture of palette indices, one byte a pixel, with its palette (0x00RRGGBB entries,
// at most 256).
struct IndexedPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indices;
  std::vector<std::uint32_t> palette;
};

// GDI+ status codes (Gdiplus::Status) that the encoder names.
namespace gp_status {
inline constexpr int kOk = 0;
inline constexpr int kGenericError = 1;
inline constexpr int kInvalidParameter = 2;
inline constexpr int kOutOfMemory = 3;
inline constexpr int kWin32Error = 7;
inline constexpr int kAccessDenied = 12;
}  // namespace gp_status

class Gdiplus {
 public:
  using Token = std::uintptr_t;  // a GDI+ session's token (ULONG_PTR)
  using Image = std::uintptr_t;  // a GDI+ bitmap (GpBitmap*); 0 is none

  struct Started {
    int status = gp_status::kGenericError;
    Token token = 0;
  };
  struct Created {
    int status = gp_status::kGenericError;
    Image image = 0;
  };

  virtual ~Gdiplus() = default;

  // Starts a GDI+ session (GdiplusStartup, version 1, no debug callback, background thread and
  // external codecs allowed, no startup output); the token is valid only when status is Ok.
  virtual Started Startup() = 0;
  // Ends the session that Startup returned the token for (GdiplusShutdown).
  virtual void Shutdown(Token token) = 0;
  // Makes a 32 bits-per-pixel RGB bitmap holding a copy of the picture; image is 0 unless Ok.
  virtual Created CreateBitmap(const Picture& picture) = 0;
  // Makes an 8 bits-per-pixel indexed bitmap holding a copy of the indices and the palette; image
  // is 0 unless Ok.
  virtual Created CreateIndexedBitmap(const IndexedPicture& picture) = 0;
  // Encodes the image into the file at `path`, replacing any file there (GdipSaveImageToFile);
  // `parameters` is an EncoderParameters block laid out for this process; its value pointers
  // are read during the call only.
  virtual int SaveImageToFile(Image image, const std::u16string& path, const Guid& encoder,
                              std::span<const std::uint8_t> parameters) = 0;
  // Takes the next bytes of a file being written; false to stop the writing.
  using WriteBytes = std::function<bool(std::span<const std::uint8_t> bytes)>;
  // Encodes the rows as a 24-bit PNG file handed to `write` piece by piece, in order, reading them
  // band by band so that no whole copy of the picture is made (the imaging component's PNG
  // encoder); false when they could not be encoded or `write` stopped it.
  virtual bool EncodePng(const PictureRows& rows, const WriteBytes& write) = 0;
  // Frees an image that CreateBitmap or CreateIndexedBitmap made (GdipDisposeImage).
  virtual int DisposeImage(Image image) = 0;
  // Reads "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (ole32's CLSIDFromString); nothing when the
  // text is not a GUID.
  virtual std::optional<Guid> CLSIDFromString(const std::u16string& text) = 0;
};

}  // namespace capture
