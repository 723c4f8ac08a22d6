#include "output/save_error.h"

#include <array>
#include <string_view>

namespace capture {
namespace {

// Gdiplus::Status 0 to 21, in order.
constexpr std::array<std::u16string_view, 22> kStatusTexts{
    u"成功",
    u"一般性错误",
    u"参数无效",
    u"内存不足",
    u"对象正忙",
    u"缓冲区太小",
    u"功能未实现",
    u"Win32 错误",
    u"状态错误",
    u"操作已中止",
    u"找不到文件",
    u"数值溢出",
    u"拒绝访问",
    u"未知的图像格式",
    u"找不到字体系列",
    u"找不到字体样式",
    u"不是 TrueType 字体",
    u"不支持的 GDI+ 版本",
    u"GDI+ 未初始化",
    u"找不到属性",
    u"不支持的属性",
    u"找不到颜色配置文件",
};

std::u16string_view StatusText(int status) {
  if (status < 0 || status >= static_cast<int>(kStatusTexts.size())) return u"未知错误";
  return kStatusTexts[static_cast<std::size_t>(status)];
}

std::u16string_view StepText(GdiplusStep step) {
  switch (step) {
    case GdiplusStep::Startup:
      return u"GDI+ 启动失败";
    case GdiplusStep::CreateBitmap:
      return u"无法创建 GDI+ 位图";
    case GdiplusStep::Save:
      return u"GDI+ 无法写入图片文件";
  }
  return u"GDI+ 调用失败";
}

std::u16string_view StepText(FileStep step) {
  switch (step) {
    case FileStep::CreateTemporary:
      return u"无法在目标文件夹中创建临时文件";
    case FileStep::Write:
      return u"无法写入临时文件";
    case FileStep::Flush:
      return u"无法把文件写到磁盘上";
    case FileStep::Replace:
      return u"无法用新文件替换原有的文件";
    case FileStep::Rename:
      return u"无法给新文件改名";
    case FileStep::MakeFolder:
      return u"无法创建保存截图的文件夹";
  }
  return u"文件操作失败";
}

std::u16string Decimal(int number) {
  std::u16string text;
  const bool negative = number < 0;
  long long n = number;
  if (negative) n = -n;
  do {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + n % 10));
    n /= 10;
  } while (n != 0);
  if (negative) text.insert(text.begin(), u'-');
  return text;
}

}  // namespace

SaveError BadCallError() {
  return {save_error::kBadCall, u"无效的过程调用或参数"};
}
SaveError TooLargeForBmpError() {
  return {save_error::kOverflow, u"溢出：图片太大，BMP 文件放不下（最大 4 GB），请换用 PNG 等格式"};
}
SaveError TooLargeForJpegError() {
  return {save_error::kOverflow,
          u"溢出：图片太大，JPEG 的宽和高最多 65535 像素，请换用 PNG 等格式"};
}
SaveError OutOfMemoryError() {
  return {save_error::kOutOfMemory, u"内存不足"};
}
SaveError NoFormatError() {
  return {save_error::kNoFormat, u"下标越界"};
}
SaveError NoFreeNameError() {
  return {save_error::kNoFreeName,
          u"文件已存在：找不到未被占用的文件名，请换一个文件名模式或文件夹"};
}
SaveError InvalidPictureError() {
  return {save_error::kInvalidPicture, u"无效图片"};
}
SaveError ClipboardError() {
  return {save_error::kClipboard, u"剪贴板无法打开或不接受图片，选区没有复制到剪贴板"};
}

SaveError GdiplusError(GdiplusStep step, int status) {
  std::u16string description(StepText(step));
  description += u"：";
  description += StatusText(status);
  return {save_error::kGdiplusBase + status, description};
}

std::u16string ErrorText(std::u16string_view lead_in, const SaveError& error) {
  return std::u16string(lead_in) + u":\r\n\r\n错误号: " + Decimal(error.number) +
         u"\r\n错误描述: " + error.description;
}

SaveError FileStepError(FileStep step, const FileError& error) {
  std::u16string description(StepText(step));
  description += u"：";
  description +=
      error.text.empty() ? u"Windows 错误 " + Decimal(static_cast<int>(error.code)) : error.text;
  // HRESULT_FROM_WIN32; a failure the system gave no code for is the runtime's file access error.
  const int number = error.code == 0 ? save_error::kFileAccess
                                     : static_cast<int>(0x80070000u | (error.code & 0xFFFFu));
  return {number, description};
}

std::u16string SaveErrorText(const SaveError& error) {
  return ErrorText(u"在保存图片的过程中发生错误", error);
}

void ShowSaveError(Dialogs& dialogs, const SaveError& error) {
  dialogs.ShowMessage(u"错误", SaveErrorText(error));
}

void ShowCopyError(Dialogs& dialogs, const SaveError& error) {
  dialogs.ShowMessage(u"错误", ErrorText(u"在复制图片的过程中发生错误", error));
}

}  // namespace capture
