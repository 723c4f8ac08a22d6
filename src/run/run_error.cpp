#include "run/run_error.h"

#include <string>

#include "platform/platform.h"

namespace capture {
namespace {

std::u16string Widen(std::string_view ascii) {
  std::u16string text;
  for (const char c : ascii) text += static_cast<char16_t>(static_cast<unsigned char>(c));
  return text;
}

std::u16string ErrorLines(const RunError& error) {
  return u"错误号: " + Widen(std::to_string(error.number)) + u"\r\n错误描述: " + error.description;
}

}  // namespace

RunError OutOfMemory() {
  return {run_error::kOutOfMemory, u"内存不足"};
}

RunError InternalError(const char* what) {
  std::u16string description = u"内部错误";
  if (what != nullptr && *what != '\0') {
    description += u'（';
    description += Widen(what);
    description += u'）';
  }
  return {run_error::kInternal, description};
}

std::u16string RunErrorText(const RunError& error) {
  return u"在截图的过程中发生错误:\r\n\r\n" + ErrorLines(error);
}

std::u16string StartupErrorText(const RunError& error) {
  return u"无法冻结屏幕，截图已取消:\r\n\r\n" + ErrorLines(error);
}

void ShowRunError(Dialogs& dialogs, const RunError& error) {
  dialogs.ShowMessage(u"错误", RunErrorText(error));
}

}  // namespace capture
