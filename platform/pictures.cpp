#include "platform/pictures.h"

#include <wincodec.h>

#include "platform/error_text.h"

namespace tarnwick {
namespace {

// Owns one COM interface pointer.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (pointer_) pointer_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  Interface* operator->() const { return pointer_; }
  Interface* get() const { return pointer_; }
  Interface** put() { return &pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

 private:
  Interface* pointer_ = nullptr;
};

HRESULT createFactory(ComPtr<IWICImagingFactory>& factory) {
  return ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                            reinterpret_cast<void**>(factory.put()));
}

HRESULT openFirstFrame(IWICImagingFactory* factory, const std::wstring& path, ComPtr<IWICBitmapFrameDecode>& frame) {
  ComPtr<IWICBitmapDecoder> decoder;
  HRESULT result = factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                      WICDecodeMetadataCacheOnDemand, decoder.put());
  if (FAILED(result)) return result;
  return decoder->GetFrame(0, frame.put());
}

// Pulls `source` through a converter to 24-bit BGR into a DIB section of its size.
HRESULT renderToBitmap(IWICImagingFactory* factory, IWICBitmapSource* source, UniqueBitmap& bitmap, SIZE& size) {
  ComPtr<IWICFormatConverter> converter;
  HRESULT result = factory->CreateFormatConverter(converter.put());
  if (FAILED(result)) return result;
  result = converter->Initialize(source, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                 WICBitmapPaletteTypeCustom);
  if (FAILED(result)) return result;
  UINT width = 0, height = 0;
  result = converter->GetSize(&width, &height);
  if (FAILED(result)) return result;
  if (width == 0 || height == 0 || width > 65535 || height > 65535) return WINCODEC_ERR_IMAGESIZEOUTOFRANGE;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, as WIC delivers rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || bits == nullptr) return E_OUTOFMEMORY;
  const UINT stride = (width * 3 + 3) & ~3u;
  const UINT bufferSize = stride * height;
  result = converter->CopyPixels(nullptr, stride, bufferSize, static_cast<BYTE*>(bits));
  if (FAILED(result)) return result;
  ::GdiFlush();
  bitmap = std::move(dib);
  size = SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
  return S_OK;
}

}  // namespace

UniqueBitmap loadPictureScaled(const std::wstring& path, SIZE size) {
  if (size.cx <= 0 || size.cy <= 0) return {};
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(createFactory(factory))) return {};
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(openFirstFrame(factory.get(), path, frame))) return {};
  ComPtr<IWICBitmapScaler> scaler;
  if (FAILED(factory->CreateBitmapScaler(scaler.put()))) return {};
  if (FAILED(scaler->Initialize(frame.get(), static_cast<UINT>(size.cx), static_cast<UINT>(size.cy),
                                WICBitmapInterpolationModeFant))) {
    return {};
  }
  UniqueBitmap bitmap;
  SIZE rendered{};
  if (FAILED(renderToBitmap(factory.get(), scaler.get(), bitmap, rendered))) return {};
  return bitmap;
}

std::optional<FullSizePicture> loadPictureFullSize(const std::wstring& path, std::wstring* failure) {
  ComPtr<IWICImagingFactory> factory;
  HRESULT result = createFactory(factory);
  ComPtr<IWICBitmapFrameDecode> frame;
  if (SUCCEEDED(result)) result = openFirstFrame(factory.get(), path, frame);
  FullSizePicture picture;
  if (SUCCEEDED(result)) result = renderToBitmap(factory.get(), frame.get(), picture.bitmap, picture.size);
  if (SUCCEEDED(result)) return picture;
  if (failure != nullptr) *failure = systemErrorText(static_cast<DWORD>(result));
  return std::nullopt;
}

}  // namespace tarnwick
