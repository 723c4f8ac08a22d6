// The errors of copying and saving the selection: their numbers, descriptions and the "错误"
// message box.
#pragma once

#include <string>

#include "platform/files.h"
#include "platform/platform.h"

namespace capture {

struct SaveError {
  int number = 0;
  std::u16string description;
};

// Error numbers, with the runtime's usual meanings where one fits.
namespace save_error {
inline constexpr int kBadCall = 5;           // an encoder's GUID text did not parse
inline constexpr int kOverflow = 6;          // the picture is too large for a BMP or JPEG file
inline constexpr int kOutOfMemory = 7;       // the picture did not fit in memory
inline constexpr int kNoFreeName = 58;       // every name the pattern gave was taken
inline constexpr int kNoFormat = 9;          // the extension names no format we write
inline constexpr int kFileAccess = 75;       // a file call failed and the system said no more
inline constexpr int kInvalidPicture = 481;  // no picture, or one without pixels
inline constexpr int kClipboard = 521;       // the clipboard did not take the copy
inline constexpr int kGdiplusBase = 1000;    // plus the status of the GDI+ call that failed
}  // namespace save_error

// The GDI+ calls whose failure is reported, named in the description.
enum class GdiplusStep { Startup, CreateBitmap, Save };
// The steps of writing the file, named in the description.
enum class FileStep { CreateTemporary, Write, Flush, Replace, Rename, MakeFolder };

SaveError BadCallError();
SaveError TooLargeForBmpError();
SaveError TooLargeForJpegError();
SaveError OutOfMemoryError();
SaveError NoFormatError();
SaveError NoFreeNameError();
SaveError InvalidPictureError();
SaveError ClipboardError();
// Number 1000 + status; the description names the step and the status.
SaveError GdiplusError(GdiplusStep step, int status);
// The number is the system's error as Windows shows it in an HRESULT (0x8007xxxx, negative in
// decimal); the description names the step and gives the system's text.
SaveError FileStepError(FileStep step, const FileError& error);

// A "错误" box's text: the lead-in, the number in decimal and the description.
std::u16string ErrorText(std::u16string_view lead_in, const SaveError& error);
// The save's box text.
std::u16string SaveErrorText(const SaveError& error);
// Shows the "错误" box and returns when it is closed.
void ShowSaveError(Dialogs& dialogs, const SaveError& error);
// The same for an error of the copy to the clipboard, whose lead-in speaks of copying.
void ShowCopyError(Dialogs& dialogs, const SaveError& error);

}  // namespace capture
