#include "shell/png_stream.h"

// clang-format off
#include <windows.h>
#include <objbase.h>
#include <wincodec.h>
// clang-format on

#include <algorithm>
#include <cstddef>
#include <vector>

namespace capture::win32 {
namespace {

// The imaging component's names, written here so that no import library is needed for them.
constexpr CLSID kImagingFactory = {
    0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
constexpr GUID kPngContainer = {
    0x1b7cfaf4, 0x713f, 0x473c, {0xbb, 0xcd, 0x61, 0x37, 0x42, 0x5f, 0xae, 0xaf}};
constexpr GUID kBgr24 = {
    0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0c}};

// Pixels a band holds at most: 4 MiB of 32-bit pixels and 3 MiB of 24-bit ones.
constexpr int kBandPixels = 1 << 20;

// COM for the length of one encoding; a thread already in COM stays as it was.
class ComSession {
 public:
  ComSession() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComSession() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComSession(const ComSession&) = delete;
  ComSession& operator=(const ComSession&) = delete;
  // False only when COM cannot be used on this thread at all.
  bool ok() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

// One reference to a COM object, released at the end.
template <typename T>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (object_ != nullptr) object_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T* operator->() const { return object_; }
  T* get() const { return object_; }
  T** out() { return &object_; }
  void** out_void() { return reinterpret_cast<void**>(&object_); }

 private:
  T* object_ = nullptr;
};

// Writes every row of the picture into the frame, a band at a time, as 24-bit BGR.
bool WriteBands(IWICBitmapFrameEncode* frame, int width, int height, const ReadBand& read) {
  const int band_rows = std::clamp(kBandPixels / width, 1, height);
  const auto row_pixels = static_cast<std::size_t>(width);
  std::vector<std::uint32_t> band(row_pixels * static_cast<std::size_t>(band_rows));
  std::vector<BYTE> bgr(band.size() * 3);
  for (int first = 0; first < height; first += band_rows) {
    const int count = std::min(band_rows, height - first);
    if (!read(first, count, band.data())) return false;
    const std::size_t pixels = row_pixels * static_cast<std::size_t>(count);
    for (std::size_t i = 0; i < pixels; ++i) {
      bgr[i * 3] = static_cast<BYTE>(band[i]);
      bgr[i * 3 + 1] = static_cast<BYTE>(band[i] >> 8);
      bgr[i * 3 + 2] = static_cast<BYTE>(band[i] >> 16);
    }
    const auto stride = static_cast<UINT>(row_pixels * 3);
    if (FAILED(frame->WritePixels(static_cast<UINT>(count), stride, static_cast<UINT>(pixels * 3),
                                  bgr.data()))) {
      return false;
    }
  }
  return true;
}

// Encodes the picture into the stream; false when any step fails.
bool Encode(IStream* stream, int width, int height, const ReadBand& read) {
  Com<IWICImagingFactory> factory;
  Com<IWICBitmapEncoder> encoder;
  Com<IWICBitmapFrameEncode> frame;
  if (FAILED(::CoCreateInstance(kImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IWICImagingFactory), factory.out_void())) ||
      FAILED(factory->CreateEncoder(kPngContainer, nullptr, encoder.out())) ||
      FAILED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.out(), nullptr)) || FAILED(frame->Initialize(nullptr)) ||
      FAILED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)))) {
    return false;
  }
  // The encoder may answer with another format than the one asked for; the bands are only ever
  // written as 24-bit BGR.
  WICPixelFormatGUID format = kBgr24;
  if (FAILED(frame->SetPixelFormat(&format)) || format != kBgr24) return false;
  return WriteBands(frame.get(), width, height, read) && SUCCEEDED(frame->Commit()) &&
         SUCCEEDED(encoder->Commit());
}

}  // namespace

GlobalMemory PngInGlobalMemory(int width, int height, const ReadBand& read) {
  if (width <= 0 || height <= 0) return {};
  const ComSession com;
  // Movable memory keeps its handle when the stream grows it, so it is ours whatever happens.
  GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, 0));
  if (!com.ok() || !memory) return {};
  Com<IStream> stream;
  if (FAILED(::CreateStreamOnHGlobal(memory.get(), FALSE, stream.out()))) return {};
  try {
    if (!Encode(stream.get(), width, height, read)) return {};
  } catch (const std::bad_alloc&) {
    return {};
  }
  HGLOBAL grown = nullptr;
  if (FAILED(::GetHGlobalFromStream(stream.get(), &grown)) || grown != memory.get()) return {};
  return memory;
}

}  // namespace capture::win32
