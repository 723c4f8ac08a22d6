#include "output/image_file.h"

#include <algorithm>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "output/bmp_writer.h"
#include "output/encoder_parameters.h"
#include "output/image_formats.h"
#include "output/palette_quantiser.h"
#include "platform/gdiplus.h"

namespace capture {
namespace {

// Shows the wait pointer until Restore() or the end of the call, whichever comes first.
class WaitPointer {
 public:
  explicit WaitPointer(Window& window) : window_(window) { window_.SetPointer(Pointer::Wait); }
  WaitPointer(const WaitPointer&) = delete;
  WaitPointer& operator=(const WaitPointer&) = delete;
  ~WaitPointer() { Restore(); }

  void Restore() {
    if (!on_) return;
    window_.SetPointer(Pointer::Default);
    on_ = false;
  }

 private:
  Window& window_;
  bool on_ = true;
};

// A GDI+ session for the length of one save.
class Session {
 public:
  explicit Session(Gdiplus& gdiplus) : gdiplus_(gdiplus), started_(gdiplus.Startup()) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session() {
    if (ok()) gdiplus_.Shutdown(started_.token);
  }

  bool ok() const { return started_.status == gp_status::kOk; }
  int status() const { return started_.status; }

 private:
  Gdiplus& gdiplus_;
  Gdiplus::Started started_;
};

// A GDI+ bitmap, disposed of when the save ends.
class Bitmap {
 public:
  Bitmap(Gdiplus& gdiplus, Gdiplus::Created created) : gdiplus_(gdiplus), created_(created) {}
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  ~Bitmap() {
    if (ok()) gdiplus_.DisposeImage(created_.image);
  }

  bool ok() const { return created_.status == gp_status::kOk && created_.image != 0; }
  int status() const { return created_.status; }
  Gdiplus::Image image() const { return created_.image; }

 private:
  Gdiplus& gdiplus_;
  Gdiplus::Created created_;
};

bool HasPixels(const Picture& picture) {
  return picture.width > 0 && picture.height > 0 &&
         picture.pixels.size() ==
             static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
}

Gdiplus::Created CreateBitmapFor(Gdiplus& gdiplus, const Picture& picture,
                                 std::optional<ImageFormat> format) {
  // GIF is handed over as 8-bit indexed: some GDI+ versions write a broken GIF from 32 bits.
  if (format == ImageFormat::Gif) return gdiplus.CreateIndexedBitmap(QuantisePicture(picture));
  return gdiplus.CreateBitmap(picture);
}

std::uint64_t AddressOf(const std::int32_t& value) {
  return reinterpret_cast<std::uintptr_t>(&value);
}

// How the file's bytes are made: written as they are (BMP), or by a GDI+ encoder given a
// parameter block.
struct Encoding {
  std::vector<std::uint8_t> bmp;
  std::optional<Guid> encoder;
  std::vector<std::uint8_t> block;  // refers to the settings' values: valid while they are
};

// Chooses the encoding for the format; the failure when there is none.
std::optional<SaveError> ChooseEncoding(Gdiplus& gdiplus, const Picture& picture,
                                        ImageFormat format, const EncoderSettings& settings,
                                        Encoding& encoding) {
  if (format == ImageFormat::Bmp) {
    if (!BmpFileSize(picture.width, picture.height)) return TooLargeForBmpError();
    encoding.bmp = EncodeBmp(picture);
    return std::nullopt;
  }
  encoding.encoder = gdiplus.CLSIDFromString(std::u16string(EncoderOf(format)));
  if (!encoding.encoder) return BadCallError();
  std::vector<EncoderParameter> parameters;
  const auto add = [&](std::u16string_view guid_text, const std::int32_t& value) {
    const std::optional<Guid> guid = gdiplus.CLSIDFromString(std::u16string(guid_text));
    if (guid) parameters.push_back({*guid, AddressOf(value)});
    return guid.has_value();
  };
  if (format == ImageFormat::Jpeg && !add(kEncoderQuality, settings.jpeg_quality)) {
    return BadCallError();
  }
  if (format == ImageFormat::Tiff && !(add(kEncoderCompression, settings.tiff_compression) &&
                                       add(kEncoderColorDepth, settings.tiff_colour_depth))) {
    return BadCallError();
  }
  // The block goes to GDI+ in this very process, so it is laid out for this process's pointers.
  encoding.block = BuildEncoderParameters(parameters, sizeof(void*));
  return std::nullopt;
}

// Writes the whole file beside the target and flushes it to the disk.
std::optional<SaveError> WriteTemporaryFile(Platform& platform, TemporaryFile& temporary,
                                            const std::u16string& target, const Bitmap& bitmap,
                                            const Encoding& encoding) {
  if (const FileResult error = temporary.Create(target)) {
    return FileStepError(FileStep::CreateTemporary, *error);
  }
  if (encoding.encoder) {
    const int status = platform.gdiplus.SaveImageToFile(bitmap.image(), temporary.path(),
                                                        *encoding.encoder, encoding.block);
    if (status != gp_status::kOk) return GdiplusError(GdiplusStep::Save, status);
  } else if (const FileResult error = platform.files.WriteFile(temporary.path(), encoding.bmp)) {
    return FileStepError(FileStep::Write, *error);
  }
  if (const FileResult error = platform.files.FlushFile(temporary.path())) {
    return FileStepError(FileStep::Flush, *error);
  }
  return std::nullopt;
}

// Rows a BMP file is written in at a time: a band of a tall picture, never the whole.
constexpr int kBmpBandRows = 256;
// Bytes of a PNG file written at a time.
constexpr std::size_t kWritePiece = std::size_t{4} << 20;

// Writes the rows' whole file beside the target, PNG or BMP, piece by piece, and flushes it to the
// disk.
std::optional<SaveError> WriteRowsTemporaryFile(Platform& platform, TemporaryFile& temporary,
                                                const std::u16string& target,
                                                const PictureRows& rows, ImageFormat format) {
  std::vector<std::uint8_t> bytes = format == ImageFormat::Bmp
                                        ? BmpHeader(rows.Width(), rows.Height())
                                        : std::vector<std::uint8_t>{};
  if (const FileResult error = temporary.Create(target)) {
    return FileStepError(FileStep::CreateTemporary, *error);
  }
  if (const FileResult error = platform.files.WriteFile(temporary.path(), bytes)) {
    return FileStepError(FileStep::Write, *error);
  }
  FileResult failed;
  const auto append = [&] {
    if (!bytes.empty()) failed = platform.files.AppendFile(temporary.path(), bytes);
    bytes.clear();
    return !failed;
  };
  if (format == ImageFormat::Png) {
    bytes.clear();
    // The encoder's pieces are small: they are gathered into pieces of kWritePiece bytes.
    const bool encoded = platform.gdiplus.EncodePng(rows, [&](std::span<const std::uint8_t> piece) {
      bytes.insert(bytes.end(), piece.begin(), piece.end());
      return bytes.size() < kWritePiece || append();
    });
    if (failed) return FileStepError(FileStep::Write, *failed);
    if (!encoded) return GdiplusError(GdiplusStep::Save, gp_status::kGenericError);
    if (!append()) return FileStepError(FileStep::Write, *failed);
  }
  for (int row = 0; format == ImageFormat::Bmp && row < rows.Height(); row += kBmpBandRows) {
    bytes.clear();
    AppendBmpRows(rows, row, std::min(kBmpBandRows, rows.Height() - row), bytes);
    if (!append()) return FileStepError(FileStep::Write, *failed);
  }
  if (const FileResult error = platform.files.FlushFile(temporary.path())) {
    return FileStepError(FileStep::Flush, *error);
  }
  return std::nullopt;
}

// The place of the whole temporary file: the target's.
PlaceFile Replacing(const std::u16string& path) {
  return [&path](TemporaryFile& temporary) -> std::optional<SaveError> {
    if (const FileResult error = temporary.MoveOver(path)) {
      return FileStepError(FileStep::Replace, *error);
    }
    return std::nullopt;
  };
}

}  // namespace

bool WriteImageFile(Platform& platform, const PictureRows& rows, const std::u16string& path,
                    const std::u16string& extension, const EncoderSettings& settings) {
  return WriteImageFile(platform, rows, path, extension, settings, Replacing(path));
}

bool WriteImageFile(Platform& platform, const PictureRows& rows, const std::u16string& path,
                    const std::u16string& extension, const EncoderSettings& settings,
                    const PlaceFile& place) {
  if (const Picture* whole = rows.Whole()) {
    return WriteImageFile(platform, *whole, path, extension, settings, place);
  }
  const std::optional<ImageFormat> format = FormatOfExtension(extension);
  WaitPointer wait(platform.window);
  TemporaryFile temporary(platform.files);
  const auto fail = [&](const SaveError& error) {
    temporary.Remove();
    wait.Restore();
    ShowSaveError(platform.dialogs, error);
    return false;
  };
  try {
    if (rows.Width() <= 0 || rows.Height() <= 0) return fail(InvalidPictureError());
    if (!format) return fail(NoFormatError());
    if (format == ImageFormat::Jpeg && !JpegCanHold(rows.Width(), rows.Height())) {
      return fail(TooLargeForJpegError());
    }
    if (format != ImageFormat::Png && format != ImageFormat::Bmp) {
      // GDI+'s encoders need the whole picture in one piece: the one whole copy made.
      wait.Restore();
      return WriteImageFile(platform, GatherRows(rows), path, extension, settings, place);
    }
    if (format == ImageFormat::Bmp && !BmpFileSize(rows.Width(), rows.Height())) {
      return fail(TooLargeForBmpError());
    }
    if (auto error = WriteRowsTemporaryFile(platform, temporary, path, rows, *format)) {
      return fail(*error);
    }
    if (auto error = place(temporary)) return fail(*error);
    return true;
  } catch (const std::bad_alloc&) {
    return fail(OutOfMemoryError());
  }
}

bool WriteImageFile(Platform& platform, const Picture& picture, const std::u16string& path,
                    const std::u16string& extension, const EncoderSettings& settings) {
  return WriteImageFile(platform, picture, path, extension, settings, Replacing(path));
}

bool WriteImageFile(Platform& platform, const Picture& picture, const std::u16string& path,
                    const std::u16string& extension, const EncoderSettings& settings,
                    const PlaceFile& place) {
  WaitPointer wait(platform.window);
  Gdiplus& gdiplus = platform.gdiplus;
  TemporaryFile temporary(platform.files);
  const auto fail = [&](const SaveError& error) {
    temporary.Remove();
    wait.Restore();
    ShowSaveError(platform.dialogs, error);
    return false;
  };

  try {
    const Session session(gdiplus);
    if (!session.ok()) return fail(GdiplusError(GdiplusStep::Startup, session.status()));
    if (!HasPixels(picture)) return fail(InvalidPictureError());

    const std::optional<ImageFormat> format = FormatOfExtension(extension);
    // Told before GDI+ is given the picture: its JPEG encoder would fail with no reason given.
    if (format == ImageFormat::Jpeg && !JpegCanHold(picture.width, picture.height)) {
      return fail(TooLargeForJpegError());
    }
    const Bitmap bitmap(gdiplus, CreateBitmapFor(gdiplus, picture, format));
    if (!bitmap.ok()) return fail(GdiplusError(GdiplusStep::CreateBitmap, bitmap.status()));
    if (!format) return fail(NoFormatError());

    Encoding encoding;
    if (auto error = ChooseEncoding(gdiplus, picture, *format, settings, encoding)) {
      return fail(*error);
    }
    // The file is written beside the target and takes its place only once it is whole and on the
    // disk: a full disk or a failing drive leaves an existing file as it was.
    if (auto error = WriteTemporaryFile(platform, temporary, path, bitmap, encoding)) {
      return fail(*error);
    }
    if (auto error = place(temporary)) return fail(*error);
    return true;
  } catch (const std::bad_alloc&) {
    return fail(OutOfMemoryError());
  }
}

}  // namespace capture
