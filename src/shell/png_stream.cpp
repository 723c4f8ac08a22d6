#include "shell/png_stream.h"

// clang-format off
#include <windows.h>
#include <objbase.h>
#include <wincodec.h>
// clang-format on

#include <algorithm>
#include <cstddef>
#include <new>
#include <utility>
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

// A stream that only goes forward, handing what is written to a WriteBytes: what the encoder
// writes a file through without keeping the file in memory. It lives on the stack of one call.
class ForwardStream final : public IStream {
 public:
  explicit ForwardStream(const WriteBytes& write) : write_(write) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(ISequentialStream) || id == __uuidof(IStream)) {
      *out = static_cast<IStream*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // owned by the call, never freed here
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Read(void*, ULONG, ULONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Write(const void* bytes, ULONG count, ULONG* written) override {
    if (written != nullptr) *written = 0;
    if (!write_(static_cast<const std::uint8_t*>(bytes), count)) return STG_E_CANTSAVE;
    position_ += count;
    if (written != nullptr) *written = count;
    return S_OK;
  }
  // Only where it stands: asking for the position, or going to it.
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* at) override {
    const bool stays =
        (origin == STREAM_SEEK_CUR && move.QuadPart == 0) ||
        (origin == STREAM_SEEK_SET && static_cast<ULONGLONG>(move.QuadPart) == position_);
    if (!stays) return STG_E_INVALIDFUNCTION;
    if (at != nullptr) at->QuadPart = position_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*,
                                   ULARGE_INTEGER*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override {
    if (stat == nullptr) return E_POINTER;
    *stat = {};
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = position_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

 private:
  const WriteBytes& write_;
  ULONGLONG position_ = 0;
};

}  // namespace

bool WritePng(int width, int height, const ReadBand& read, const WriteBytes& write) {
  if (width <= 0 || height <= 0) return false;
  const ComSession com;
  if (!com.ok()) return false;
  ForwardStream stream(write);
  try {
    return Encode(&stream, width, height, read);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

PngMemory PngInGlobalMemory(int width, int height, const ReadBand& read) {
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
  ULARGE_INTEGER end{};
  if (FAILED(::GetHGlobalFromStream(stream.get(), &grown)) || grown != memory.get() ||
      FAILED(stream->Seek({}, STREAM_SEEK_END, &end))) {
    return {};
  }
  return {std::move(memory), static_cast<std::size_t>(end.QuadPart)};
}

}  // namespace capture::win32
