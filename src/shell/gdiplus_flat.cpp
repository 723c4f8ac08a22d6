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

#include "shell/text.h"

namespace capture::win32 {
namespace {

// The errors of a volume or system that cannot replace a file in place (some network shares).
bool ReplaceUnsupported(DWORD error) {
  return error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED ||
         error == ERROR_CALL_NOT_IMPLEMENTED;
}

// Gives the replaced file back the attributes it had, where the replace lost them (Wine's replace
// moves the new file over the old one as it is).
void KeepAttributes(const std::wstring& path, DWORD attributes) {
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const DWORD now = ::GetFileAttributesW(path.c_str());
  if (now == INVALID_FILE_ATTRIBUTES || (now & kKept) == (attributes & kKept)) return;
  ::SetFileAttributesW(path.c_str(), (now & ~kKept) | (attributes & kKept));
}

namespace gp = ::Gdiplus;
namespace flat = ::Gdiplus::DllExports;

// A file opened with CreateFileW, closed at the end unless Close() already did.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  // False when the system reports that closing failed (the last data may not have been written).
  bool Close() {
    if (!valid()) return false;
    return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
  }

 private:
  HANDLE handle_;
};

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

// A system error code with the system's text for it.
FileError SystemError(DWORD code) {
  std::array<wchar_t, 512> text{};
  const DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       text.data(), static_cast<DWORD>(text.size()), nullptr);
  std::u16string message = Utf16(std::wstring_view(text.data(), length));
  while (!message.empty() &&
         (message.back() == u'\r' || message.back() == u'\n' || message.back() == u' ')) {
    message.pop_back();
  }
  return {code, message};
}

FileError LastError() {
  return SystemError(::GetLastError());
}

std::u16string Hex(std::uint64_t value) {
  std::u16string text;
  do {
    text.insert(text.begin(), u"0123456789abcdef"[value % 16]);
    value /= 16;
  } while (value != 0);
  return text;
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

std::u16string ExtendedLengthPath(const std::u16string& path) {
  if (path.starts_with(u"\\\\?\\")) return path;
  // Made absolute first: the system takes a "\\?\" path literally, so a "..", a "." or a "/" in
  // it, or a path relative to the current folder, would name no file.
  const std::wstring given = Wide(path);
  std::wstring full(std::max<DWORD>(::GetFullPathNameW(given.c_str(), 0, nullptr, nullptr), 1),
                    L'\0');
  const DWORD length =
      ::GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return path;
  std::u16string absolute = Utf16(std::wstring_view(full.data(), length));

  if (absolute.size() < MAX_PATH) return absolute;
  const bool drive = absolute.size() > 2 && absolute[1] == u':' && absolute[2] == u'\\';
  if (drive) return u"\\\\?\\" + absolute;
  const bool unc = absolute.starts_with(u"\\\\") && !absolute.starts_with(u"\\\\.\\");
  if (unc) return u"\\\\?\\UNC\\" + absolute.substr(2);
  return absolute;
}

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

FileResult GdiplusFlat::CreateTemporaryFile(const std::u16string& target,
                                            std::u16string& temporary) {
  const std::u16string folder = target.substr(0, target.find_last_of(u"\\/") + 1);
  const std::u16string stem = u"~capture-" + Hex(::GetCurrentProcessId()) + u"-" +
                              Hex(::GetTickCount64() & 0xFFFFFFFFu) + u"-";
  for (int attempt = 0;; ++attempt) {
    const std::u16string candidate = folder + stem + Hex(attempt) + u".tmp";
    // CREATE_NEW: a file of that name, a leftover or another program's, is never touched.
    FileHandle file(::CreateFileW(Wide(ExtendedLengthPath(candidate)).c_str(), GENERIC_WRITE, 0,
                                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.valid()) {
      if (!file.Close()) return LastError();
      temporary = candidate;
      return std::nullopt;
    }
    FileError error = LastError();
    if (error.code != ERROR_FILE_EXISTS || attempt == 99) return error;
  }
}

FileResult GdiplusFlat::WriteFile(const std::u16string& path, std::span<const std::uint8_t> bytes) {
  const std::wstring wide = Wide(ExtendedLengthPath(path));
  FileHandle file(::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastError();

  constexpr std::size_t kChunk = 1u << 30;  // WriteFile takes a DWORD count
  for (std::size_t at = 0; at < bytes.size();) {
    const DWORD count = static_cast<DWORD>(std::min(kChunk, bytes.size() - at));
    DWORD done = 0;
    if (!::WriteFile(file.get(), bytes.data() + at, count, &done, nullptr)) return LastError();
    // A write can take fewer bytes than it was given and still succeed (Wine's does when the disk
    // fills up): the next one then reports why.
    if (done == 0) return SystemError(ERROR_DISK_FULL);
    at += done;
  }
  if (!file.Close()) return LastError();
  return std::nullopt;
}

FileResult GdiplusFlat::FlushFile(const std::u16string& path) {
  FileHandle file(::CreateFileW(Wide(ExtendedLengthPath(path)).c_str(), GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid() || !::FlushFileBuffers(file.get())) return LastError();
  if (!file.Close()) return LastError();
  return std::nullopt;
}

FileResult GdiplusFlat::MoveOver(const std::u16string& from, const std::u16string& to) {
  const std::wstring source = Wide(ExtendedLengthPath(from));
  const std::wstring target = Wide(ExtendedLengthPath(to));
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    // An existing file keeps its attributes and security; the system's replace does that, where
    // the file system supports it.
    if (::ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_WRITE_THROUGH, nullptr,
                       nullptr)) {
      KeepAttributes(target, attributes);
      return std::nullopt;
    }
    if (!ReplaceUnsupported(::GetLastError())) return LastError();
  }
  if (!::MoveFileExW(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return LastError();
  }
  return std::nullopt;
}

bool GdiplusFlat::RemoveFile(const std::u16string& path) {
  return ::DeleteFileW(Wide(ExtendedLengthPath(path)).c_str()) != FALSE;
}

}  // namespace capture::win32
