#include "shell/win32_files.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "shell/handles.h"
#include "shell/text.h"

namespace capture::win32 {
namespace {

static_assert(kNameTaken == ERROR_ALREADY_EXISTS);

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

FileResult Win32Files::CreateTemporaryFile(const std::u16string& target,
                                           std::u16string& temporary) {
  const std::u16string folder = target.substr(0, target.find_last_of(u"\\/") + 1);
  const std::u16string stem = u"~capture-" + Hex(::GetCurrentProcessId()) + u"-" +
                              Hex(::GetTickCount64() & 0xFFFFFFFFu) + u"-";
  for (int attempt = 0;; ++attempt) {
    const std::u16string candidate =
        folder + stem + Hex(static_cast<std::uint64_t>(attempt)) + u".tmp";
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

FileResult Win32Files::WriteFile(const std::u16string& path, std::span<const std::uint8_t> bytes) {
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

FileResult Win32Files::AppendFile(const std::u16string& path, std::span<const std::uint8_t> bytes) {
  FileHandle file(::CreateFileW(Wide(ExtendedLengthPath(path)).c_str(), FILE_APPEND_DATA, 0,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastError();
  for (std::size_t at = 0; at < bytes.size();) {
    const DWORD count = static_cast<DWORD>(std::min<std::size_t>(1u << 30, bytes.size() - at));
    DWORD done = 0;
    if (!::WriteFile(file.get(), bytes.data() + at, count, &done, nullptr)) return LastError();
    if (done == 0) return SystemError(ERROR_DISK_FULL);  // as in WriteFile
    at += done;
  }
  if (!file.Close()) return LastError();
  return std::nullopt;
}

FileResult Win32Files::FlushFile(const std::u16string& path) {
  FileHandle file(::CreateFileW(Wide(ExtendedLengthPath(path)).c_str(), GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid() || !::FlushFileBuffers(file.get())) return LastError();
  if (!file.Close()) return LastError();
  return std::nullopt;
}

FileResult Win32Files::MoveOver(const std::u16string& from, const std::u16string& to) {
  const std::wstring source = Wide(ExtendedLengthPath(from));
  const std::wstring target = Wide(ExtendedLengthPath(to));
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  // A folder of that name is no file to replace (Wine's replace would move the folder aside).
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return SystemError(ERROR_ACCESS_DENIED);  // as Windows refuses to move a file over one
  }
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

FileResult Win32Files::MoveIn(const std::u16string& from, const std::u16string& to) {
  // Without MOVEFILE_REPLACE_EXISTING the system checks the name and moves in one step: a file
  // another program put there meanwhile stays as it is.
  if (!::MoveFileExW(Wide(ExtendedLengthPath(from)).c_str(), Wide(ExtendedLengthPath(to)).c_str(),
                     MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
    return SystemError(error == ERROR_FILE_EXISTS ? ERROR_ALREADY_EXISTS : error);
  }
  return std::nullopt;
}

bool Win32Files::RemoveFile(const std::u16string& path) {
  return ::DeleteFileW(Wide(ExtendedLengthPath(path)).c_str()) != FALSE;
}

bool Win32Files::Exists(const std::u16string& path) {
  return ::GetFileAttributesW(Wide(ExtendedLengthPath(path)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileResult Win32Files::MakeFolders(const std::u16string& folder) {
  const std::u16string full = ExtendedLengthPath(folder);
  // Each folder on the way down; the first parts (a drive, a server, a share) cannot be made and
  // need not be. What counts is whether the folder is there at the end, and the deepest failure
  // says why not.
  DWORD error = ERROR_SUCCESS;
  for (std::size_t at = full.find(u'\\', 3);; at = full.find(u'\\', at + 1)) {
    const std::wstring part = Wide(full.substr(0, at));
    if (::GetFileAttributesW(part.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !::CreateDirectoryW(part.c_str(), nullptr)) {
      error = ::GetLastError();
    }
    if (at == std::u16string::npos) break;
  }
  const DWORD attributes = ::GetFileAttributesW(Wide(full).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  // A file of that name stands where the folder should be.
  return SystemError(error != ERROR_SUCCESS ? error : ERROR_ALREADY_EXISTS);
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::u16string& path,
                                                       std::uint64_t largest) {
  const HANDLE opened =
      ::CreateFileW(Wide(ExtendedLengthPath(path)).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
  const KernelObject file(opened);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(opened, &size) || static_cast<std::uint64_t>(size.QuadPart) > largest) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD done = 0;
  if (!::ReadFile(opened, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) ||
      done != bytes.size()) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace capture::win32
