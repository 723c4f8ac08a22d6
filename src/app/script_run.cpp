#include "app/script_run.h"

#include "app/script_area.h"
#include "output/image_file.h"
#include "output/quick_save.h"
#include "output/save_dialog.h"
#include "platform/pixels.h"

namespace capture {
namespace {

// Dialogs that show nothing: a save's "错误" box becomes one line on stderr.
class StderrDialogs : public Dialogs {
 public:
  explicit StderrDialogs(ScriptShell& shell) : shell_(shell) {}
  std::optional<std::u16string> AskSavePath(const SaveDialogRequest&) override {
    return std::nullopt;
  }
  void ShowMessage(const std::u16string&, const std::u16string& text) override {
    std::u16string line = text;
    for (char16_t& c : line) {
      if (c == u'\r' || c == u'\n') c = u' ';
    }
    shell_.PrintProblem(line);
  }
  std::u16string ProgramFolder() override { return {}; }

 private:
  ScriptShell& shell_;  // not owned
};

// The shell's settings, with the path of each quick save printed on stdout: a script that named
// no destination reads there where its picture went.
class PrintedQuickSaves : public SaveMemory {
 public:
  PrintedQuickSaves(SaveMemory& saving, ScriptShell& shell) : saving_(saving), shell_(shell) {}
  SaveSettings Saving() override { return saving_.Saving(); }
  void RememberSave(const std::u16string& folder, const std::u16string& format) override {
    saving_.RememberSave(folder, format);
  }
  void QuickSaved(const std::u16string& path) override {
    saving_.QuickSaved(path);
    shell_.PrintLine(path);
  }
  LocalTime Now() override { return saving_.Now(); }

 private:
  SaveMemory& saving_;  // not owned
  ScriptShell& shell_;  // not owned
};

int Fail(ScriptShell& shell, int status, const std::u16string& why) {
  shell.PrintProblem(why);
  return status;
}

// PNG on standard output: written to a temporary file by the same save as any other, then sent
// and deleted.
int WriteToStdout(Platform& platform, ScriptShell& shell, const PictureRows& picture) {
  const std::u16string path = shell.StdoutFilePath();
  if (path.empty()) return Fail(shell, kNotWrittenStatus, u"无法写入标准输出");
  if (!WriteImageFile(platform, picture, path, u"png", {})) return kNotWrittenStatus;
  const bool sent = shell.SendFileToStdout(path);
  platform.files.RemoveFile(path);
  return sent ? 0 : Fail(shell, kNotWrittenStatus, u"无法写入标准输出");
}

// Every destination the request names gets the picture; with none, a quick save.
int Deliver(const ScriptRequest& request, Platform& platform, ScriptShell& shell,
            const PictureRows& picture) {
  int status = 0;
  if (request.clipboard && !platform.clipboard.PutBitmap(picture)) {
    status = Fail(shell, kNotWrittenStatus, u"无法复制到剪贴板");
  }
  if (request.out == u"-") {
    if (const int written = WriteToStdout(platform, shell, picture)) status = written;
  } else if (request.out) {
    EncoderSettings encoder;
    encoder.jpeg_quality = platform.saving.Saving().jpeg_quality;
    if (!WriteImageFile(platform, picture, *request.out, ExtensionOf(*request.out), encoder)) {
      status = kNotWrittenStatus;
    }
  } else if (!request.clipboard) {
    if (!QuickSaveTo(platform, picture)) status = kNotWrittenStatus;
  }
  return status;
}

// The window under the area scrolled to its end and its frames joined, the picture delivered; in
// both ways of ending early the picture so far is delivered.
int ScrollAndDeliver(const ScriptRequest& request, Platform& platform, ScriptShell& shell,
                     const RectI& area) {
  const ScrolledArea scrolled = shell.Scroll(area);
  if (!scrolled.picture) return Fail(shell, kScreenUnreadableStatus, u"无法读取屏幕");
  const int status = Deliver(request, platform, shell, *scrolled.picture);
  if (scrolled.unreadable) {
    Fail(shell, kScreenUnreadableStatus, u"无法读取屏幕，已写入读到的部分");
    return status != 0 ? status : kScreenUnreadableStatus;
  }
  if (scrolled.would_not_scroll) {
    Fail(shell, kStoppedEarlyStatus, u"窗口不接受滚动，未到底部，已写入截取到的部分");
    return status != 0 ? status : kStoppedEarlyStatus;
  }
  if (!scrolled.refusal) return status;
  Fail(shell, kStoppedEarlyStatus, *scrolled.refusal);
  return status != 0 ? status : kStoppedEarlyStatus;
}

}  // namespace

int RunScript(const ScriptRequest& request, const ScriptDesktop& desktop,
              const ScriptServices& services, ScriptShell& shell) {
  StderrDialogs dialogs(shell);
  PrintedQuickSaves saving(services.saving, shell);
  Platform platform{services.window, services.surface, services.screen, services.clipboard,
                    dialogs,         services.gdiplus, services.files,  saving};
  const ScreenLayout layout{desktop.origin, services.screen.Size(), services.screen.Monitors()};
  const AreaToGrab grab = AreaOf(request, layout, desktop.foreground);
  if (!grab.error.empty()) return Fail(shell, kUsageStatus, grab.error + u"\r\n" + kUsage);
  if (request.scroll) {
    const RectI on_screen{grab.area.left + desktop.origin.x, grab.area.top + desktop.origin.y,
                          grab.area.right + desktop.origin.x, grab.area.bottom + desktop.origin.y};
    return ScrollAndDeliver(request, platform, shell, on_screen);
  }
  const Picture screen = services.screen.Grab();
  if (screen.pixels.empty()) return Fail(shell, kScreenUnreadableStatus, u"无法读取屏幕");
  const Picture area = CropPixels(PixelView::Of(screen), grab.area);
  return Deliver(request, platform, shell, RowsOfPicture(area));
}

}  // namespace capture
