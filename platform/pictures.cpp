#include "platform/pictures.h"

#include <wincodec.h>

#include "platform/com_init.h"
#include "platform/jpeg_thumbnail.h"
#include "platform/picture_file_check.h"
#include "platform/rgb_bitmap.h"

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

// One imaging factory for the whole run, made with the first picture. COM is started
// before it is made, so it is released before COM ends.
IWICImagingFactory* imagingFactory() {
  struct Shared {
    ComPtr<IWICImagingFactory> factory;
    Shared() {
      if (comStarted()) {
        createComInstance(CLSID_WICImagingFactory, IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put()));
      }
    }
  };
  static const Shared shared;
  return shared.factory.get();
}

HRESULT openFirstFrame(IWICImagingFactory* factory, const std::wstring& path, ComPtr<IWICBitmapFrameDecode>& frame) {
  ComPtr<IWICBitmapDecoder> decoder;
  HRESULT result = factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                      WICDecodeMetadataCacheOnDemand, decoder.put());
  if (FAILED(result)) return result;
  return decoder->GetFrame(0, frame.put());
}

HRESULT convertTo(IWICImagingFactory* factory, IWICBitmapSource* source, const WICPixelFormatGUID& format,
                  ComPtr<IWICFormatConverter>& converter) {
  HRESULT result = factory->CreateFormatConverter(converter.put());
  if (FAILED(result)) return result;
  return converter->Initialize(source, format, WICBitmapDitherTypeNone, nullptr, 0.0, WICBitmapPaletteTypeCustom);
}

// The source's pixels in a format the scaler and the last conversion to 24-bit BGR
// take from every decoder: its own when that is 24-bit BGR already, otherwise 32-bit
// BGR, which every format converts to (palettes, grey levels, 16-bit, CMYK alike).
HRESULT widen(IWICImagingFactory* factory, IWICBitmapSource* source, ComPtr<IWICFormatConverter>& converter,
              IWICBitmapSource*& widened) {
  WICPixelFormatGUID format{};
  HRESULT result = source->GetPixelFormat(&format);
  if (FAILED(result)) return result;
  if (format == GUID_WICPixelFormat24bppBGR) {
    widened = source;
    return S_OK;
  }
  result = convertTo(factory, source, GUID_WICPixelFormat32bppBGR, converter);
  if (SUCCEEDED(result)) widened = converter.get();
  return result;
}

// Copies a 24-bit BGR source into a new top-down DIB section of its size. Rows are
// asked for one at a time, top to bottom, the order decoders and scalers are built
// for: no stage between the file and the bitmap then needs more than a strip of the
// picture at once.
HRESULT copyToBitmap(IWICBitmapSource* source, UniqueBitmap& bitmap, SIZE& size) {
  UINT width = 0, height = 0;
  HRESULT result = source->GetSize(&width, &height);
  if (FAILED(result)) return result;
  if (width == 0 || height == 0 || width > 65535 || height > 65535) return WINCODEC_ERR_IMAGESIZEOUTOFRANGE;

  BgrPixels pixels;
  UniqueBitmap dib = newTopDownBitmap(SIZE{static_cast<LONG>(width), static_cast<LONG>(height)}, pixels);
  if (!dib) return E_OUTOFMEMORY;

  const UINT stride = static_cast<UINT>(pixels.stride);
  BYTE* row = pixels.first;
  for (UINT y = 0; y < height; ++y, row += stride) {
    const WICRect rect{0, static_cast<INT>(y), static_cast<INT>(width), 1};
    result = source->CopyPixels(&rect, stride, stride, row);
    if (FAILED(result)) return result;
  }
  ::GdiFlush();
  bitmap = std::move(dib);
  size = SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
  return S_OK;
}

}  // namespace

UniqueBitmap loadPictureScaled(const std::wstring& path, SIZE size) {
  if (size.cx <= 0 || size.cy <= 0) return {};
  if (FAILED(checkPictureFile(path))) return {};
  if (auto jpeg = decodeJpegThumbnail(path, size)) return std::move(jpeg->bitmap);
  IWICImagingFactory* const factory = imagingFactory();
  if (factory == nullptr) return {};
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(openFirstFrame(factory, path, frame))) return {};
  ComPtr<IWICFormatConverter> wide;
  IWICBitmapSource* widened = nullptr;
  if (FAILED(widen(factory, frame.get(), wide, widened))) return {};
  ComPtr<IWICBitmapScaler> scaler;
  if (FAILED(factory->CreateBitmapScaler(scaler.put()))) return {};
  if (FAILED(scaler->Initialize(widened, static_cast<UINT>(size.cx), static_cast<UINT>(size.cy),
                                WICBitmapInterpolationModeFant))) {
    return {};
  }
  ComPtr<IWICFormatConverter> bgr;
  if (FAILED(convertTo(factory, scaler.get(), GUID_WICPixelFormat24bppBGR, bgr))) return {};
  UniqueBitmap bitmap;
  SIZE rendered{};
  if (FAILED(copyToBitmap(bgr.get(), bitmap, rendered))) return {};
  return bitmap;
}

std::optional<FullSizePicture> loadPictureFullSize(const std::wstring& path, HRESULT* failure) {
  HRESULT result = checkPictureFile(path);
  IWICImagingFactory* const factory = imagingFactory();
  if (SUCCEEDED(result) && factory == nullptr) result = CO_E_NOTINITIALIZED;
  ComPtr<IWICBitmapFrameDecode> frame;
  if (SUCCEEDED(result)) result = openFirstFrame(factory, path, frame);
  ComPtr<IWICFormatConverter> wide;
  IWICBitmapSource* widened = nullptr;
  if (SUCCEEDED(result)) result = widen(factory, frame.get(), wide, widened);
  ComPtr<IWICFormatConverter> bgr;
  if (SUCCEEDED(result)) result = convertTo(factory, widened, GUID_WICPixelFormat24bppBGR, bgr);
  FullSizePicture picture;
  if (SUCCEEDED(result)) result = copyToBitmap(bgr.get(), picture.bitmap, picture.size);
  if (SUCCEEDED(result)) return picture;
  if (failure != nullptr) *failure = result;
  return std::nullopt;
}

}  // namespace tarnwick
