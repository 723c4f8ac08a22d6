#include "shell/gdiplus_flat.h"

// GDI+'s headers need the COM and property types declared before them.
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <propidl.h>
#include <gdiplus.h>
// clang-format on

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "shell/handles.h"
#include "shell/png_stream.h"
#include "shell/text.h"
#include "shell/win32_files.h"

namespace capture::win32 {
namespace {

namespace gp = ::Gdiplus;
namespace flat = ::Gdiplus::DllExports;

gp::GpBitmap* AsBitmap(Gdiplus::Image image) {
  return reinterpret_cast<gp::GpBitmap*>(image);
}

// Copies `row_bytes` per row from top-down rows into the whole bitmap.
gp::GpStatus FillRows(gp::GpBitmap* bitmap, int width, int height, gp::PixelFormat format,
                      const std::uint8_t* rows, std::size_t row_bytes) {
  const gp::GpRect all(0, 0, width, height);
  gp::BitmapData data{};
  const gp::GpStatus locked =
      flat::GdipBitmapLockBits(bitmap, &all, gp::ImageLockModeWrite, format, &data);
  if (locked != gp::Ok) return locked;
  auto* scan0 = static_cast<std::uint8_t*>(data.Scan0);
  for (int y = 0; y < height; ++y) {
    std::memcpy(scan0 + static_cast<std::ptrdiff_t>(y) * data.Stride,
                rows + static_cast<std::size_t>(y) * row_bytes, row_bytes);
  }
  return flat::GdipBitmapUnlockBits(bitmap, &data);
}

// Makes a bitmap of GDI+'s own memory; `prepare` fills it. The bitmap is freed on failure.
template <typename Prepare>
Gdiplus::Created MakeBitmap(int width, int height, gp::PixelFormat format, Prepare prepare) {
  gp::GpBitmap* bitmap = nullptr;
  gp::GpStatus status = flat::GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &bitmap);
  if (status == gp::Ok) status = prepare(bitmap);
  if (status != gp::Ok) {
    if (bitmap != nullptr) flat::GdipDisposeImage(bitmap);
    return {static_cast<int>(status), 0};
  }
  return {gp::Ok, reinterpret_cast<Gdiplus::Image>(bitmap)};
}

CLSID ToClsid(const Guid& guid) {
  CLSID clsid{};
  clsid.Data1 = guid.data1;
  clsid.Data2 = guid.data2;
  clsid.Data3 = guid.data3;
  std::memcpy(clsid.Data4, guid.data4.data(), sizeof clsid.Data4);
  return clsid;
}

}  // namespace

Gdiplus::Started GdiplusFlat::Startup() {
  const gp::GdiplusStartupInput input;  // version 1, no debug callback, nothing suppressed
  ULONG_PTR token = 0;
  const gp::Status status = gp::GdiplusStartup(&token, &input, nullptr);
  return {static_cast<int>(status), status == gp::Ok ? token : 0};
}

void GdiplusFlat::Shutdown(Token token) {
  gp::GdiplusShutdown(token);
}

Gdiplus::Created GdiplusFlat::CreateBitmap(const Picture& picture) {
  // The picture's 0x00RRGGBB pixels are exactly PixelFormat32bppRGB's memory layout.
  return MakeBitmap(picture.width, picture.height, PixelFormat32bppRGB, [&](gp::GpBitmap* bitmap) {
    return FillRows(bitmap, picture.width, picture.height, PixelFormat32bppRGB,
                    reinterpret_cast<const std::uint8_t*>(picture.pixels.data()),
                    static_cast<std::size_t>(picture.width) * 4);
  });
}

Gdiplus::Created GdiplusFlat::CreateIndexedBitmap(const IndexedPicture& picture) {
  if (picture.palette.empty() || picture.palette.size() > 256) {
    return {gp::InvalidParameter, 0};
  }
  return MakeBitmap(
      picture.width, picture.height, PixelFormat8bppIndexed, [&](gp::GpBitmap* bitmap) {
        // ColorPalette is {Flags, Count, ARGB Entries[Count]}.
        std::vector<UINT> palette(2 + picture.palette.size());
        palette[0] = 0;
        palette[1] = static_cast<UINT>(picture.palette.size());
        for (std::size_t i = 0; i < picture.palette.size(); ++i) {
          palette[2 + i] = 0xFF000000u | picture.palette[i];
        }
        const gp::GpStatus set = flat::GdipSetImagePalette(
            bitmap, reinterpret_cast<const gp::ColorPalette*>(palette.data()));
        if (set != gp::Ok) return set;
        return FillRows(bitmap, picture.width, picture.height, PixelFormat8bppIndexed,
                        picture.indices.data(), static_cast<std::size_t>(picture.width));
      });
}

int GdiplusFlat::SaveImageToFile(Image image, const std::u16string& path, const Guid& encoder,
                                 std::span<const std::uint8_t> parameters) {
  // Copied into 8-byte-aligned memory, as EncoderParameters' pointers need; the value pointers
  // inside still point at the caller's values.
  std::vector<std::uint64_t> aligned((parameters.size() + 7) / 8);
  if (!parameters.empty()) std::memcpy(aligned.data(), parameters.data(), parameters.size());
  const auto* block =
      parameters.empty() ? nullptr : reinterpret_cast<const gp::EncoderParameters*>(aligned.data());
  const CLSID clsid = ToClsid(encoder);
  const std::wstring wide = Wide(ExtendedLengthPath(path));
  return static_cast<int>(flat::GdipSaveImageToFile(AsBitmap(image), wide.c_str(), &clsid, block));
}

bool GdiplusFlat::EncodePng(const PictureRows& rows, const WriteBytes& write) {
  const auto width = static_cast<std::size_t>(rows.Width());
  return WritePng(
      rows.Width(), rows.Height(),
      [&rows, width](int first, int count, std::uint32_t* into) {
        for (int y = first; y < first + count; ++y, into += width) {
          std::copy_n(rows.Row(y), width, into);
        }
        return true;
      },
      [&write](const std::uint8_t* bytes, std::size_t count) {
        return write(std::span<const std::uint8_t>(bytes, count));
      });
}

int GdiplusFlat::DisposeImage(Image image) {
  return static_cast<int>(flat::GdipDisposeImage(AsBitmap(image)));
}

std::optional<Guid> GdiplusFlat::CLSIDFromString(const std::u16string& text) {
  const std::wstring wide = Wide(text);
  CLSID clsid{};
  if (FAILED(::CLSIDFromString(wide.c_str(), &clsid))) return std::nullopt;
  Guid guid;
  guid.data1 = clsid.Data1;
  guid.data2 = clsid.Data2;
  guid.data3 = clsid.Data3;
  std::memcpy(guid.data4.data(), clsid.Data4, guid.data4.size());
  return guid;
}

}  // namespace capture::win32
