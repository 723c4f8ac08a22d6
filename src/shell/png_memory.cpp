#include "shell/png_memory.h"

// GDI+'s headers need the COM and property types declared before them.
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <propidl.h>
#include <gdiplus.h>
// clang-format on

#include <cstring>
#include <limits>

#include "shell/gdiplus_flat.h"

namespace capture::win32 {
namespace {

namespace gp = ::Gdiplus;
namespace flat = ::Gdiplus::DllExports;

// {557CF406-1A04-11D3-9A73-0000F81EF32E}: GDI+'s PNG encoder.
constexpr CLSID kPngEncoder = {
    0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// A GDI+ session for the life of one call.
class Session {
 public:
  Session() : started_(gdiplus_.Startup()) {}
  ~Session() {
    if (ok()) gdiplus_.Shutdown(started_.token);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  bool ok() const { return started_.status == gp_status::kOk; }
  GdiplusFlat& gdiplus() { return gdiplus_; }

 private:
  GdiplusFlat gdiplus_;
  Gdiplus::Started started_;
};

// A GDI+ image, disposed of at the end.
class Image {
 public:
  explicit Image(gp::GpImage* image) : image_(image) {}
  ~Image() {
    if (image_ != nullptr) flat::GdipDisposeImage(image_);
  }
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
  gp::GpImage* get() const { return image_; }

 private:
  gp::GpImage* image_;
};

// A stream over memory of its own, grown as it is written.
class MemoryStream {
 public:
  MemoryStream() {
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream_))) stream_ = nullptr;
  }
  ~MemoryStream() {
    if (stream_ != nullptr) stream_->Release();
  }
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;
  IStream* get() const { return stream_; }

  bool Rewind() const {
    return stream_ != nullptr && SUCCEEDED(stream_->Seek({}, STREAM_SEEK_SET, nullptr));
  }

 private:
  IStream* stream_ = nullptr;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodePng(const Picture& picture) {
  Session session;
  if (!session.ok()) return std::nullopt;
  const Gdiplus::Created created = session.gdiplus().CreateBitmap(picture);
  if (created.status != gp_status::kOk) return std::nullopt;
  const Image bitmap(reinterpret_cast<gp::GpImage*>(created.image));
  const MemoryStream stream;
  if (stream.get() == nullptr ||
      flat::GdipSaveImageToStream(bitmap.get(), stream.get(), &kPngEncoder, nullptr) != gp::Ok) {
    return std::nullopt;
  }
  ULARGE_INTEGER end{};
  if (FAILED(stream.get()->Seek({}, STREAM_SEEK_END, &end)) || !stream.Rewind() ||
      end.QuadPart > std::numeric_limits<ULONG>::max()) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(end.QuadPart));
  ULONG read = 0;
  if (FAILED(stream.get()->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) ||
      read != bytes.size()) {
    return std::nullopt;
  }
  return bytes;
}

std::optional<Picture> DecodePng(std::span<const std::uint8_t> png, std::int64_t max_pixels) {
  Session session;
  const MemoryStream stream;
  if (!session.ok() || stream.get() == nullptr || png.size() > std::numeric_limits<ULONG>::max()) {
    return std::nullopt;
  }
  ULONG written = 0;
  if (FAILED(stream.get()->Write(png.data(), static_cast<ULONG>(png.size()), &written)) ||
      written != png.size() || !stream.Rewind()) {
    return std::nullopt;
  }
  gp::GpBitmap* made = nullptr;
  if (flat::GdipCreateBitmapFromStream(stream.get(), &made) != gp::Ok || made == nullptr) {
    return std::nullopt;
  }
  const Image bitmap(made);
  UINT width = 0, height = 0;
  if (flat::GdipGetImageWidth(bitmap.get(), &width) != gp::Ok ||
      flat::GdipGetImageHeight(bitmap.get(), &height) != gp::Ok || width == 0 || height == 0 ||
      width > static_cast<UINT>(std::numeric_limits<int>::max()) ||
      static_cast<std::int64_t>(width) * height > max_pixels) {
    return std::nullopt;
  }
  Picture picture(static_cast<int>(width), static_cast<int>(height));
  const gp::GpRect all(0, 0, picture.width, picture.height);
  gp::BitmapData data{};
  if (flat::GdipBitmapLockBits(made, &all, gp::ImageLockModeRead, PixelFormat32bppRGB, &data) !=
      gp::Ok) {
    return std::nullopt;
  }
  const auto* scan0 = static_cast<const std::uint8_t*>(data.Scan0);
  for (int y = 0; y < picture.height; ++y) {
    std::memcpy(&picture.at(0, y), scan0 + static_cast<std::ptrdiff_t>(y) * data.Stride,
                static_cast<std::size_t>(picture.width) * 4);
    for (int x = 0; x < picture.width; ++x) picture.at(x, y) &= 0x00FFFFFFu;
  }
  flat::GdipBitmapUnlockBits(made, &data);
  return picture;
}

}  // namespace capture::win32
