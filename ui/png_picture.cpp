#include "ui/png_picture.h"

#include <objbase.h>
#include <wincodec.h>

namespace {

// A COM interface pointer, released by this object.
template <typename Interface>
class CComReference {
public:
    CComReference() = default;
    CComReference(const CComReference&) = delete;
    CComReference& operator=(const CComReference&) = delete;
    ~CComReference() {
        if (m_p != nullptr) {
            m_p->Release();
        }
    }
    Interface** Out() { return &m_p; }
    Interface* operator->() const { return m_p; }
    Interface* Get() const { return m_p; }

private:
    Interface* m_p = nullptr;
};

// COM for this thread while the object lives (the program has it already: this only counts).
class CComScope {
public:
    CComScope() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;
    ~CComScope() {
        if (SUCCEEDED(m_hr)) {
            CoUninitialize();
        }
    }

private:
    HRESULT m_hr;
};

// The PNG of the bitmap, written into `stream`.
HRESULT WritePng(IWICImagingFactory* factory, const CPlotBitmap& bitmap, IStream* stream) {
    CComReference<IWICBitmapEncoder> encoder;
    CComReference<IWICBitmapFrameEncode> frame;
    CComReference<IPropertyBag2> options;
    HRESULT hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out());
    if (SUCCEEDED(hr)) {
        hr = encoder->Initialize(stream, WICBitmapEncoderNoCache);
    }
    if (SUCCEEDED(hr)) {
        hr = encoder->CreateNewFrame(frame.Out(), options.Out());
    }
    if (SUCCEEDED(hr)) {
        hr = frame->Initialize(options.Get());
    }
    if (SUCCEEDED(hr)) {
        hr = frame->SetSize(bitmap.Width(), bitmap.Height());
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(hr)) {
        hr = frame->SetPixelFormat(&format);
    }
    // The encoder may only offer another format, which these pixels are not.
    if (SUCCEEDED(hr) && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
        hr = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    }
    const UINT size = static_cast<UINT>(bitmap.Stride() * bitmap.Height());
    if (SUCCEEDED(hr)) {
        hr = frame->WritePixels(bitmap.Height(), bitmap.Stride(), size, bitmap.Bits());
    }
    if (SUCCEEDED(hr)) {
        hr = frame->Commit();
    }
    if (SUCCEEDED(hr)) {
        hr = encoder->Commit();
    }
    return hr;
}

}  // namespace

PngResult EncodePng(const CPlotBitmap& bitmap, std::string& png) {
    png.clear();
    const CComScope com;
    CComReference<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out())))) {
        return PngResult::NoImagingComponent;
    }
    // The stream owns its memory and frees it when released.
    CComReference<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out())) ||
        FAILED(WritePng(factory.Get(), bitmap, stream.Get()))) {
        return PngResult::Failed;
    }
    STATSTG stat = {};
    HGLOBAL hMemory = nullptr;
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) ||
        FAILED(GetHGlobalFromStream(stream.Get(), &hMemory))) {
        return PngResult::Failed;
    }
    const void* bytes = GlobalLock(hMemory);
    if (bytes == nullptr) {
        return PngResult::Failed;
    }
    png.assign(static_cast<const char*>(bytes), static_cast<std::size_t>(stat.cbSize.QuadPart));
    GlobalUnlock(hMemory);
    return PngResult::Encoded;
}
