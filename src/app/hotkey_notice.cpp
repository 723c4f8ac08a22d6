#include "app/hotkey_notice.h"

namespace capture {
namespace {

constexpr char16_t kTitle[] = u"截图";
// Characters a balloon's text holds.
constexpr std::size_t kBalloonCharacters = 255;
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

Notice HotkeyKeptNotice(std::u16string_view wanted, std::u16string_view kept) {
  std::u16string text = u"热键 " + std::u16string(wanted) + u" 已被其他程序占用，";
  text += kept.empty() ? u"现在没有热键。" : u"仍使用 " + std::u16string(kept) + u"。";
  return Notice{kTitle, text};
}

Notice QuickSavedNotice(std::u16string_view path) {
  constexpr std::u16string_view kClick = u"\n单击此处打开文件夹。";
  // A long path keeps its end, the file's name.
  const std::size_t room = kBalloonCharacters - kClick.size() - 1;
  std::u16string text = path.size() <= room
                            ? std::u16string(path)
                            : u"…" + std::u16string(path.substr(path.size() - room + 1));
  return Notice{u"已保存", text.append(kClick)};
}

Notice SettingsProblemsNotice(const std::vector<std::u16string>& problems) {
  // As many whole lines as the balloon holds, then how many more there are.
  constexpr std::size_t kRoomForMore = 16;
  std::u16string text;
  std::size_t shown = 0;
  for (; shown < problems.size(); ++shown) {
    const std::size_t last = shown + 1 == problems.size() ? kRoomForMore : 0;
    const std::size_t needed = text.size() + (text.empty() ? 0 : 1) + problems[shown].size();
    if (needed + kRoomForMore - last > kBalloonCharacters) break;
    if (!text.empty()) text += u'\n';
    text += problems[shown];
  }
  if (shown == 0 && !problems.empty()) {
    text = problems[0].substr(0, kBalloonCharacters - kRoomForMore - 1) + u"…";
    shown = 1;
  }
  if (shown < problems.size()) {
    std::u16string count;
    for (std::size_t n = problems.size() - shown; n != 0; n /= 10) {
      count.insert(count.begin(), static_cast<char16_t>(u'0' + n % 10));
    }
    text.append(u"\n另有 ").append(count).append(u" 处无效。");
  }
  return Notice{u"设置有误", text};
}

}  // namespace capture
