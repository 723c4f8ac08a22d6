#include "app/quit_resident.h"

namespace capture {

QuitOutcome QuitResident(ResidentInstance& instance) {
  switch (instance.AskToQuit()) {
    case ResidentInstance::Asked::NoneRunning:
      return {};
    case ResidentInstance::Asked::Unreachable:
      return {kQuitFailedStatus, u"capture: 无法联系常驻的截图程序"};
    case ResidentInstance::Asked::Asked:
      break;
  }
  if (instance.WaitEnded(kQuitWaitMilliseconds)) {
    if (instance.LostPins()) return {0, u"capture: 常驻的截图程序已退出，但有贴图无法保存"};
    return {};
  }
  if (instance.Capturing()) {
    return {kQuitFailedStatus, u"capture: 常驻的截图程序正在截图，截图结束后才会退出"};
  }
  return {kQuitFailedStatus, u"capture: 常驻的截图程序 5 秒内没有退出"};
}

}  // namespace capture
