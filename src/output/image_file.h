// Writes a picture to an image file in the format its extension names.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "output/save_error.h"
#include "output/temporary_file.h"
#include "platform/picture_rows.h"
#include "platform/platform.h"

namespace capture {

// What the JPEG and TIFF encoders are told: the save button's settings are the defaults.
struct EncoderSettings {
  std::int32_t jpeg_quality = 80;
  std::int32_t tiff_colour_depth = 24;  // bits per pixel
  std::int32_t tiff_compression = 6;    // EncoderValueCompressionNone
};

// Writes the picture to `path` as JPEG, PNG, GIF (a palette of 256 colours chosen for the
// picture), TIFF or BMP, by the lower-cased `extension`.
// The file is written beside `path` and replaces any file there only once it is complete, so a
// failed save leaves an existing file as it was. Shows the wait pointer while it works. Every
// failure is reported in the "错误" box (after the pointer is back to normal) and the call returns
// normally; true only when the file was written.
[[nodiscard]] bool WriteImageFile(Platform& platform, const Picture& picture,
                                  const std::u16string& path, const std::u16string& extension,
                                  const EncoderSettings& settings);

// Puts the finished temporary file where it belongs; the failure when it could not.
using PlaceFile = std::function<std::optional<SaveError>(TemporaryFile&)>;

// The same, with the temporary file written beside `beside` and put in its place by `place`
// instead of replacing the file at `beside`.
[[nodiscard]] bool WriteImageFile(Platform& platform, const Picture& picture,
                                  const std::u16string& beside, const std::u16string& extension,
                                  const EncoderSettings& settings, const PlaceFile& place);

// The same for a picture given row by row. PNG and BMP are written from the rows, piece by piece,
// with no whole copy of the picture (PNG through Gdiplus::EncodePng); JPEG, GIF and TIFF gather
// the rows into one picture first. Rows kept as one Picture are written as that picture.
[[nodiscard]] bool WriteImageFile(Platform& platform, const PictureRows& rows,
                                  const std::u16string& path, const std::u16string& extension,
                                  const EncoderSettings& settings);
[[nodiscard]] bool WriteImageFile(Platform& platform, const PictureRows& rows,
                                  const std::u16string& beside, const std::u16string& extension,
                                  const EncoderSettings& settings, const PlaceFile& place);

}  // namespace capture
