// ModSavePic: writes a picture to an image file in the format its extension names.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace capture::ModSavePic {

// Writes the picture to `path` as JPEG (quality), PNG, GIF (a palette of 256 colours chosen for
// the picture), TIFF (compression, then colour depth) or BMP, by the lower-cased `extension`.
// The file is written beside `path` and replaces any file there only once it is complete, so a
// failed save leaves an existing file as it was. Shows the wait pointer while it works. Every
// failure is reported in the "错误" box (after the pointer is back to normal) and the call returns
// normally; true only when the file was written.
[[nodiscard]] bool SavePic(Platform& platform, const Picture& picture, const std::u16string& path,
                           const std::u16string& extension, std::int32_t quality,
                           std::int32_t colour_depth, std::int32_t compression);

}  // namespace capture::ModSavePic
