// Reads the clipboard as another program does, from its own process:
//
//   clipboard_tool dump DIR   writes DIR\bitmap.bmp (the clipboard's CF_DIB as a BMP file) and
//                             DIR\clip.png (the bytes of the registered format "PNG"), each when
//                             the clipboard offers it, and prints the formats it offers
//   clipboard_tool wait [png] says "ready", then returns once the clipboard has changed and holds
//                             a bitmap (and, with png, offers "PNG"): the end of a timed copy
//
// Exit status 0, or 1 when the clipboard could not be opened or a file could not be written.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool WriteBytes(const std::wstring& path, const void* first, DWORD count, const void* second,
                DWORD second_count) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  bool ok = WriteFile(file, first, count, &done, nullptr) && done == count;
  if (ok && second_count > 0) {
    ok = WriteFile(file, second, second_count, &done, nullptr) && done == second_count;
  }
  CloseHandle(file);
  return ok;
}

// Writes one format's data to a file (CF_DIB behind a BMP file header); true when the clipboard
// does not offer it.
bool DumpFormat(UINT format, const std::wstring& path, bool as_bmp) {
  const HANDLE data = GetClipboardData(format);
  if (data == nullptr) return true;  // not offered: nothing to write
  const void* bytes = GlobalLock(data);
  if (bytes == nullptr) return false;
  const auto size = static_cast<DWORD>(GlobalSize(data));
  bool ok = false;
  if (as_bmp) {
    const auto* info = static_cast<const BITMAPINFOHEADER*>(bytes);
    DWORD colours = info->biClrUsed;
    if (colours == 0 && info->biBitCount <= 8) colours = 1u << info->biBitCount;
    const DWORD masks =
        info->biCompression == BI_BITFIELDS && info->biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfSize = static_cast<DWORD>(sizeof header) + size;
    header.bfOffBits = static_cast<DWORD>(sizeof header) + info->biSize + masks + colours * 4;
    ok = WriteBytes(path, &header, sizeof header, bytes, size);
  } else {
    ok = WriteBytes(path, bytes, size, nullptr, 0);
  }
  GlobalUnlock(data);
  return ok;
}

int Dump(const std::wstring& folder) {
  if (!OpenClipboard(nullptr)) return 1;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    wchar_t name[128] = L"";
    if (GetClipboardFormatNameW(format, name, 128) == 0) swprintf(name, 128, L"%u", format);
    std::fwprintf(stdout, L"%ls\n", name);
  }
  const UINT png = RegisterClipboardFormatW(L"PNG");
  const bool ok = DumpFormat(CF_DIB, folder + L"\\bitmap.bmp", true) &&
                  DumpFormat(png, folder + L"\\clip.png", false);
  CloseClipboard();
  std::fflush(stdout);
  return ok ? 0 : 1;
}

int Wait(bool png) {
  const DWORD before = GetClipboardSequenceNumber();
  const UINT png_format = RegisterClipboardFormatW(L"PNG");
  std::fputs("ready\n", stdout);
  std::fflush(stdout);
  for (;;) {
    if (GetClipboardSequenceNumber() != before && IsClipboardFormatAvailable(CF_BITMAP) &&
        (!png || IsClipboardFormatAvailable(png_format))) {
      return 0;
    }
    Sleep(1);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args == nullptr || count < 2) return 2;
  const std::wstring verb = args[1];
  if (verb == L"dump" && count == 3) return Dump(args[2]);
  if (verb == L"wait") return Wait(count == 3 && std::wstring(args[2]) == L"png");
  return 2;
}
