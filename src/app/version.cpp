#include "app/version.h"

#include "capture_version.h"  // made by the build from CMakeLists.txt's project() version

namespace capture {

std::u16string VersionLine() {
  return u"capture " CAPTURE_VERSION;
}

}  // namespace capture
