#include "app/hotkey_notice.h"

namespace capture {
namespace {

constexpr char16_t kTitle[] = u"截图";
constexpr char16_t kTurnOffSnipping[] =
    u"如要改用 Print Screen 键：打开“设置 › 辅助功能 › 键盘”，关闭“使用 Print Screen "
    u"键打开屏幕截图”，然后重新启动本程序。";

}  // namespace

std::optional<Notice> HotkeyNotice(Hotkey hotkey, bool snipping_setting_on) {
  const std::u16string holder = snipping_setting_on ? u"Print Screen 键已由系统的屏幕截图功能使用"
                                                    : u"Print Screen 键已被其他程序占用";
  const std::u16string advice = snipping_setting_on ? kTurnOffSnipping : u"";
  switch (hotkey) {
    case Hotkey::PrintScreen:
      return std::nullopt;
    case Hotkey::CtrlPrintScreen:
      return Notice{kTitle, holder + u"，请按 Ctrl+Print Screen 截图。" + advice};
    case Hotkey::None:
      return Notice{kTitle,
                    holder +
                        u"，Ctrl+Print Screen 也不可用，请右键单击通知区域中的图标，选择“截图”。" +
                        advice};
  }
  return std::nullopt;
}

}  // namespace capture
