// The program's version, as the build names it.
#pragma once

#include <string>

namespace capture {

// "capture <major.minor.patch>": the line --version prints.
std::u16string VersionLine();

}  // namespace capture
