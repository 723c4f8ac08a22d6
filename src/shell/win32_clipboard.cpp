#include "shell/win32_clipboard.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

#include "shell/handles.h"
#include "shell/png_stream.h"
#include "shell/window_owner.h"

namespace capture::win32 {
namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// Pixels handed to a bitmap at a time: a band of a tall picture, never a whole copy.
constexpr int kBandPixels = 1 << 20;

// A display-compatible bitmap holding the picture, filled band by band; null when it could not be
// made or filled.
Bitmap DisplayBitmapOf(const PictureRows& rows) {
  const int width = rows.Width(), height = rows.Height();
  WindowDc screen(nullptr);
  Bitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
  if (!bitmap) return bitmap;
  const BITMAPINFO info = TopDown32(width, -height);  // a positive height: bottom-up
  const int band_rows = std::clamp(kBandPixels / width, 1, height);
  const auto row = static_cast<std::size_t>(width);
  std::vector<std::uint32_t> band(row * static_cast<std::size_t>(band_rows));
  for (int first = 0; first < height; first += band_rows) {
    const int count = std::min(band_rows, height - first);
    // GDI numbers the rows from the bottom: the band's last row comes first.
    for (int i = 0; i < count; ++i) {
      std::copy_n(rows.Row(first + count - 1 - i), row,
                  band.begin() + static_cast<std::ptrdiff_t>(row) * i);
    }
    if (::SetDIBits(screen.get(), bitmap.get(), static_cast<UINT>(height - first - count),
                    static_cast<UINT>(count), band.data(), &info, DIB_RGB_COLORS) != count) {
      return Bitmap();
    }
  }
  return bitmap;
}

// The registered format that other programs read a PNG file's bytes from.
UINT PngFormat() {
  return ::RegisterClipboardFormatW(L"PNG");
}

// Reads rows of a bitmap top-down, bottom-up as GDI numbers them and turned over in place.
bool ReadBitmapRows(HBITMAP bitmap, int width, int height, int first, int count,
                    std::uint32_t* into) {
  BITMAPINFO info = TopDown32(width, -height);  // a positive height: bottom-up
  WindowDc screen(nullptr);
  const auto start = static_cast<UINT>(height - first - count);
  if (::GetDIBits(screen.get(), bitmap, start, static_cast<UINT>(count), into, &info,
                  DIB_RGB_COLORS) != count) {
    return false;
  }
  const auto row = static_cast<std::size_t>(width);
  for (int top = 0, bottom = count - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(into + row * static_cast<std::size_t>(top),
                     into + row * static_cast<std::size_t>(top + 1),
                     into + row * static_cast<std::size_t>(bottom));
  }
  return true;
}

// The bitmap as a PNG file in global memory, read band by band; null when it cannot be made.
GlobalMemory PngOfBitmap(HBITMAP bitmap) {
  BITMAP header{};
  if (!::GetObjectW(bitmap, sizeof(header), &header) || header.bmWidth <= 0 ||
      header.bmHeight <= 0) {
    return {};
  }
  const int width = header.bmWidth, height = header.bmHeight;
  return PngInGlobalMemory(width, height,
                           [&](int first, int count, std::uint32_t* into) {
                             return ReadBitmapRows(bitmap, width, height, first, count, into);
                           })
      .memory;
}

// The format of the token that marks a put of ours; the same name gives every program the same
// format number.
UINT TokenFormat() {
  return ::RegisterClipboardFormatW(L"Capture.SelectionCopy");
}

// Puts the token on the open clipboard; false when it did not take it.
template <typename Token>
bool PutToken(const Token& token) {
  const UINT format = TokenFormat();
  GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, sizeof token));
  if (format == 0 || !memory) return false;
  {
    GlobalLock locked(memory.get());
    if (!locked.data()) return false;
    std::memcpy(locked.data(), &token, sizeof token);
  }
  if (!::SetClipboardData(format, memory.get())) return false;
  memory.release();  // the clipboard owns it now
  return true;
}

// Whether the open clipboard holds exactly this token.
template <typename Token>
bool HoldsToken(const Token& token) {
  const UINT format = TokenFormat();
  const HANDLE data = format != 0 ? ::GetClipboardData(format) : nullptr;
  if (!data) return false;
  GlobalLock locked(data);
  return locked.data() && locked.size() >= sizeof token &&
         std::memcmp(locked.data(), &token, sizeof token) == 0;
}

}  // namespace

Win32Clipboard::~Win32Clipboard() {
  try {
    FinishPng();
  } catch (...) {  // no thread: what is owed is made at WM_RENDERALLFORMATS below
  }
  window_.Reset();  // WM_RENDERALLFORMATS comes now, while the object is whole
}

void Win32Clipboard::FinishPng() {
  if (offered_ == nullptr || !window_) return;
  Finishing finishing;
  finishing.done = KernelObject(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!finishing.done) return;
  const HBITMAP bitmap = offered_;
  finishing_ = &finishing;
  std::thread worker([&finishing, bitmap] {
    try {
      finishing.png = PngOfBitmap(bitmap);
    } catch (...) {  // none made: the format stays empty
    }
    ::SetEvent(finishing.done.get());
  });
  // Under Wine another program's clipboard calls send a message to the clipboard's owner and wait
  // for its answer, so the owner answers them while the PNG is made: only messages sent to this
  // thread are handled, no input.
  const HANDLE done = finishing.done.get();
  while (::MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_SENDMESSAGE) ==
         WAIT_OBJECT_0 + 1) {
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  worker.join();
  finishing_ = nullptr;
  if (offered_ == nullptr || !finishing.png) return;  // asked for meanwhile, or emptied
  OpenedClipboard clipboard(window_.get());
  if (!clipboard.is_open() || ::GetClipboardOwner() != window_.get()) return;
  if (::SetClipboardData(PngFormat(), finishing.png.get())) finishing.png.release();
  offered_ = nullptr;
}

HWND Win32Clipboard::Owner() {
  if (window_) return window_.get();
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &Win32Clipboard::Procedure;
  wc.hInstance = instance;
  wc.lpszClassName = L"Capture.ClipboardOwner";
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
  ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
  return window_.get();
}

LRESULT CALLBACK Win32Clipboard::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Win32Clipboard* self = WindowOwner(hwnd, message, lparam, &Win32Clipboard::window_);
  if (self == nullptr) return ::DefWindowProcW(hwnd, message, wparam, lparam);
  switch (message) {
    case WM_RENDERFORMAT:
      // Another program opened the clipboard and asks: it stays open by it while we answer.
      if (wparam == PngFormat()) self->RenderPng();
      return 0;
    case WM_RENDERALLFORMATS: {
      // The window is going: the PNG is made now, while the clipboard still holds our picture.
      OpenedClipboard clipboard(hwnd);
      if (clipboard.is_open() && ::GetClipboardOwner() == hwnd) self->RenderPng();
      return 0;
    }
    case WM_DESTROYCLIPBOARD:
      self->offered_ = nullptr;  // emptied: the clipboard deleted the bitmap
      return 0;
    default:
      return ::DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

void Win32Clipboard::RenderPng() {
  if (offered_ == nullptr) return;
  const HBITMAP bitmap = std::exchange(offered_, nullptr);
  GlobalMemory png;
  if (finishing_ != nullptr) {  // being made already: the one made is handed over
    ::WaitForSingleObject(finishing_->done.get(), INFINITE);
    png = std::move(finishing_->png);
  } else {
    png = PngOfBitmap(bitmap);
  }
  // A PNG that cannot be made leaves the format empty: the reader falls back on the bitmap.
  if (png && ::SetClipboardData(PngFormat(), png.get())) png.release();  // the clipboard's now
}

bool Win32Clipboard::PutBitmap(const Picture& picture) {
  return PutBitmap(RowsOfPicture(picture));
}

bool Win32Clipboard::PutBitmap(const PictureRows& picture) {
  ours_.reset();
  // A bitmap of no area cannot be made (the system would hand back a 1 x 1 monochrome one): an
  // empty selection copies nothing, and what the clipboard held stays there.
  if (picture.Width() <= 0 || picture.Height() <= 0) return true;

  // The bitmap is made and filled before the clipboard is opened: one that cannot be made (a
  // large screen's, out of memory) leaves the previous content where it was, and the clipboard is
  // locked only for the hand-over.
  Bitmap bitmap = DisplayBitmapOf(picture);
  if (!bitmap) return false;
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  const Token token{static_cast<std::uint32_t>(::GetCurrentProcessId()), ++puts_,
                    static_cast<std::uint32_t>(now.LowPart),
                    static_cast<std::uint32_t>(now.HighPart)};
  bool marked = false;
  const HWND owner = Owner();
  {
    OpenedClipboard clipboard(owner != nullptr ? owner : ::GetDesktopWindow());
    if (!clipboard.is_open()) return false;
    ::EmptyClipboard();  // a PNG still owed for an earlier put is dropped here
    if (!::SetClipboardData(CF_BITMAP, bitmap.get())) return false;
    // The clipboard owns the bitmap now and deletes it when it is emptied, which our window hears
    // (WM_DESTROYCLIPBOARD); until then the PNG is made from it, so both hold the same pixels.
    const HBITMAP offered = bitmap.release();
    if (owner != nullptr) {
      ::SetClipboardData(PngFormat(), nullptr);  // offered, made when asked for
      offered_ = offered;
    }
    marked = PutToken(token);
  }
  // Read once the clipboard is closed: closing counts as a change too where the system adds the
  // formats it makes from the bitmap then (Wine does). Should another program change the
  // clipboard between the close and this read, the token it removed tells.
  if (marked) ours_ = Ours{static_cast<std::uint32_t>(::GetClipboardSequenceNumber()), token};
  return true;
}

std::optional<Picture> Win32Clipboard::GetBitmap() {
  OpenedClipboard clipboard(::GetDesktopWindow());
  if (!clipboard.is_open()) return std::nullopt;
  // Not owned: the clipboard keeps its bitmap.
  const auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  if (!bitmap) return std::nullopt;
  BITMAP header{};
  if (!::GetObjectW(bitmap, sizeof(header), &header) || header.bmWidth <= 0 ||
      header.bmHeight <= 0) {
    return std::nullopt;
  }
  Picture picture(header.bmWidth, header.bmHeight);
  BITMAPINFO info = TopDown32(picture.width, picture.height);
  WindowDc screen(nullptr);
  if (::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(picture.height), picture.pixels.data(),
                  &info, DIB_RGB_COLORS) != picture.height) {
    return std::nullopt;
  }
  for (std::uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFFu;
  return picture;
}

bool Win32Clipboard::OpenHoldsOurs() const {
  // A program that puts something on the clipboard moves the sequence number on, and one that
  // empties it takes the token away: either way it is no longer ours.
  return ours_ && ::GetClipboardSequenceNumber() == ours_->sequence && HoldsToken(ours_->token);
}

bool Win32Clipboard::EmptyIfStillOurs() {
  if (!ours_) return false;
  OpenedClipboard clipboard(::GetDesktopWindow());
  if (!clipboard.is_open() || !OpenHoldsOurs()) return false;
  ours_.reset();
  return ::EmptyClipboard() != FALSE;
}

bool Win32Clipboard::PutText(std::u16string_view text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  {
    GlobalLock locked(memory.get());
    if (!locked.data()) return false;
    std::memcpy(locked.data(), text.data(), text.size() * sizeof(char16_t));
    static_cast<char16_t*>(locked.data())[text.size()] = u'\0';
  }
  OpenedClipboard clipboard(::GetDesktopWindow());
  if (!clipboard.is_open()) return false;
  ::EmptyClipboard();
  ours_.reset();
  if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
  memory.release();  // the clipboard owns it now
  return true;
}

std::optional<std::u16string> Win32Clipboard::GetText() {
  OpenedClipboard clipboard(::GetDesktopWindow());
  if (!clipboard.is_open()) return std::nullopt;
  const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);  // not owned: the clipboard's
  if (!data) return std::nullopt;
  GlobalLock locked(data);
  if (!locked.data()) return std::nullopt;
  const auto* chars = static_cast<const char16_t*>(locked.data());
  const std::size_t most = locked.size() / sizeof(char16_t);
  std::size_t length = 0;
  while (length < most && chars[length] != u'\0') ++length;
  return std::u16string(chars, length);
}

bool Win32Clipboard::StillOurs() {
  if (!ours_) return false;
  OpenedClipboard clipboard(::GetDesktopWindow());
  return clipboard.is_open() && OpenHoldsOurs();
}

}  // namespace capture::win32
