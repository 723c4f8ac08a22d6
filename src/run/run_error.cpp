#include "run/run_error.h"

#include <new>

namespace capture {

RunError InternalError(const char* what) {
  std::u16string description = u"内部错误";
  if (what != nullptr && *what != '\0') {
    description += u'（';
    for (const char* c = what; *c != '\0'; ++c) {
      description += static_cast<char16_t>(static_cast<unsigned char>(*c));
    }
    description += u'）';
  }
  return {run_error::kInternal, description};
}

RunError FailureOf(const std::exception_ptr& exception) {
  try {
    std::rethrow_exception(exception);
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError();
  } catch (const std::exception& e) {
    return InternalError(e.what());
  } catch (...) {
    return InternalError(nullptr);
  }
}

std::u16string StartupErrorText(const RunError& error) {
  return ErrorText(u"无法冻结屏幕，截图已取消", error);
}

void ShowRunError(Dialogs& dialogs, const RunError& error) {
  dialogs.ShowMessage(u"错误", ErrorText(u"在截图的过程中发生错误", error));
}

}  // namespace capture
