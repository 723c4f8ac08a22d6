// A recording stand-in for GDI+ and the file system: results come from fields a test sets, calls
// are recorded, and "files" are kept in memory.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/gdiplus.h"

namespace capture::fake {

// GDI+ writes its files where the file calls find them, so one object stands for both.
class FakeGdiplus : public Gdiplus, public Files {
 public:
  Started Startup() override;
  void Shutdown(Token token) override;
  Created CreateBitmap(const Picture& picture) override;
  Created CreateIndexedBitmap(const IndexedPicture& picture) override;
  int SaveImageToFile(Image image, const std::u16string& path, const Guid& encoder,
                      std::span<const std::uint8_t> parameters) override;
  // Records the rows gathered in `bitmaps` and "encodes" them as the bytes "PNG", written one by
  // one (a failure when save_status is not Ok).
  bool EncodePng(const PictureRows& rows, const WriteBytes& write) override;
  int DisposeImage(Image image) override;
  std::optional<Guid> CLSIDFromString(const std::u16string& text) override;
  FileResult CreateTemporaryFile(const std::u16string& target, std::u16string& temporary) override;
  FileResult WriteFile(const std::u16string& path, std::span<const std::uint8_t> bytes) override;
  FileResult AppendFile(const std::u16string& path, std::span<const std::uint8_t> bytes) override;
  FileResult FlushFile(const std::u16string& path) override;
  FileResult MoveOver(const std::u16string& from, const std::u16string& to) override;
  FileResult MoveIn(const std::u16string& from, const std::u16string& to) override;
  bool RemoveFile(const std::u16string& path) override;
  bool Exists(const std::u16string& path) override;
  FileResult MakeFolders(const std::u16string& folder) override;

  // ---- Answers ----
  int startup_status = gp_status::kOk;
  int create_status = gp_status::kOk;
  int save_status = gp_status::kOk;
  // Errors of the file-system calls; nothing: the call succeeds.
  FileResult create_file_error, write_error, flush_error, move_error, make_folder_error;
  std::function<void()> on_save;  // runs inside SaveImageToFile and WriteFile
  // Runs as a move starts, given its target: another program may take that name meanwhile.
  std::function<void(const std::u16string&)> before_move;

  // ---- Records ----
  struct SaveCall {
    Image image = 0;
    std::u16string path;
    Guid encoder;
    std::vector<std::uint8_t> parameters;
    // The 32-bit values the block's records pointed at, read during the call.
    std::vector<std::int32_t> values;
  };
  std::vector<std::string> calls;  // method names, in order
  std::vector<SaveCall> saves;
  std::vector<Picture> bitmaps;         // what CreateBitmap was given (and EncodePng, gathered)
  std::vector<IndexedPicture> indexed;  // what CreateIndexedBitmap was given
  std::map<std::u16string, std::vector<std::uint8_t>> files;  // every file there is
  std::set<std::u16string> folders;                           // the folders MakeFolders made
  std::set<Image> live_images;
  std::vector<Token> shutdowns;
  int open_sessions = 0;
  static constexpr Token kToken = 0x5eed;

 private:
  Created Create();
  Image next_image_ = 0x100;
  int temporaries_ = 0;
};

// Reads "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; nothing for any other text.
std::optional<Guid> ParseGuid(std::u16string_view text);

}  // namespace capture::fake
