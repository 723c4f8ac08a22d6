#include "shell/known_folders.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <utility>

#include "shell/text.h"

namespace capture::win32 {
namespace {

// FOLDERID_RoamingAppData and FOLDERID_Pictures, written out here so that no GUID library is
// linked for two values.
constexpr GUID kRoamingAppData{
    0x3EB685DB, 0x65F9, 0x4CF6, {0xA0, 0x3A, 0xE3, 0xEF, 0x65, 0x72, 0x9F, 0x3D}};
constexpr GUID kPictures{
    0x33E28130, 0x4E1E, 0x4676, {0x83, 0x5A, 0x98, 0x39, 0x5C, 0x3B, 0xC3, 0xBB}};

// The text the shell allocated for a known folder, freed at the end.
class ShellText {
 public:
  ShellText() = default;
  ShellText(const ShellText&) = delete;
  ShellText& operator=(const ShellText&) = delete;
  ~ShellText() { ::CoTaskMemFree(text_); }
  PWSTR* put() { return &text_; }
  const wchar_t* get() const { return text_; }

 private:
  PWSTR text_ = nullptr;
};

// The known folder's path, not made when missing; empty when the system names none.
std::u16string KnownFolder(const GUID& id) {
  ShellText path;
  if (FAILED(::SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, path.put())) ||
      path.get() == nullptr) {
    return {};
  }
  return Utf16(path.get());
}

std::optional<std::u16string> Variable(std::u16string_view name) {
  const std::wstring wide = Wide(name);
  std::wstring value(::GetEnvironmentVariableW(wide.c_str(), nullptr, 0), L'\0');
  if (value.empty()) return std::nullopt;  // not set
  const DWORD length =
      ::GetEnvironmentVariableW(wide.c_str(), value.data(), static_cast<DWORD>(value.size()));
  if (length == 0 || length >= value.size()) return std::nullopt;
  value.resize(length);
  return Utf16(value);
}

}  // namespace

std::u16string RoamingAppDataFolder() {
  return KnownFolder(kRoamingAppData);
}

SystemFolders TheSystemsFolders() {
  return {Variable, KnownFolder(kPictures)};
}

}  // namespace capture::win32
