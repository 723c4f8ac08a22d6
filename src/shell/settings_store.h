// capture.ini on the disk: where it is, reading it, and writing what the program remembers.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/recent_selections.h"
#include "app/settings.h"
#include "platform/save_memory.h"
#include "shell/win32_code_page.h"
#include "shell/win32_files.h"

namespace capture::win32 {

// Beside capture.exe when a capture.ini is there (a portable copy keeps its settings with it),
// otherwise Capture\capture.ini in the user's roaming application data folder (%APPDATA%).
std::u16string SettingsPath();

class SettingsStore : public SaveMemory {
 public:
  // Reads the file at `path`; a missing, unreadable or too large file gives the defaults (a too
  // large one is a problem, said once).
  explicit SettingsStore(std::u16string path);

  // Reads the file again; false when its bytes are the ones read last, or it cannot be read, or
  // it is still too large (nothing to apply or say).
  bool Reload();
  const Settings& settings() const { return settings_; }
  // The bad values of the last reading, one line each.
  const std::vector<std::u16string>& problems() const { return problems_; }
  const std::u16string& path() const { return path_; }
  // Writes the defaults, each key explained, when there is no file yet.
  FileResult CreateIfMissing();
  // The last selections the file keeps, for `,` and `.`.
  RecentSelections Selections() const;
  // Keeps them in the file (newest first there); a file that cannot be written costs only the
  // next run's memory of them.
  void RememberSelections(const RecentSelections& recent);

  // ---- SaveMemory ----
  SaveSettings Saving() override;
  void RememberSave(const std::u16string& folder, const std::u16string& format) override;
  void QuickSaved(const std::u16string& path) override;
  LocalTime Now() override;

  // Told where each quick save went.
  std::function<void(const std::u16string&)> on_quick_saved;
  // Told, once each, what a change could not keep in the file (its encoding lacks a character, the
  // file is too large to have been read whole); unset, it goes to stderr.
  std::function<void(const std::u16string&)> on_not_remembered;

 private:
  // Applies `change` to the settings as the file holds them now (the user may have edited it
  // since it was read) and writes what changed, keeping the file's other lines.
  FileResult Change(const std::function<void(Settings&)>& change);
  // Reads the settings from these bytes, the file as read now.
  void Take(std::string bytes);
  // Says the message unless it was said already.
  void Tell(const std::u16string& message);

  std::u16string path_;
  std::string bytes_;  // the file as read last
  bool too_large_ = false;
  Settings settings_;
  std::vector<std::u16string> problems_;
  std::vector<std::u16string> told_;
  Win32Files files_;
  Win32CodePage ansi_;
};

}  // namespace capture::win32
