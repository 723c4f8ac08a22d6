// The folders Windows names for the user (wherever they were moved to), and the environment the
// settings' %VARIABLES% come from.
#pragma once

#include <optional>
#include <string>

#include "app/save_folders.h"

namespace capture::win32 {

// The user's roaming application data folder (%APPDATA% as Windows knows it, even when the
// variable is not set); empty when the system names none.
std::u16string RoamingAppDataFolder();

// The environment's variables and the user's Pictures folder.
SystemFolders TheSystemsFolders();

}  // namespace capture::win32
