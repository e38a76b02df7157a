#include "ui/png_picture.h"

#include <objbase.h>
#include <wincodec.h>

#include "framework/exceptions.h"

namespace {

// The PNG of the bitmap, written into `stream`.
HRESULT WritePng(IWICImagingFactory* factory, const CMemoryBitmap& bitmap, IStream* stream) {
    CComPtr<IWICBitmapEncoder> encoder;
    CComPtr<IWICBitmapFrameEncode> frame;
    CComPtr<IPropertyBag2> options;
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

std::string EncodePng(const CMemoryBitmap& bitmap) {
    CComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, factory.OutVoid()))) {
        throw CFailure(
            "the picture cannot be saved: the Windows Imaging Component is not available on this "
            "system");
    }
    const CFailure failed("the picture could not be made");
    // The stream owns its memory and frees it when released.
    CComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out())) ||
        FAILED(WritePng(factory.Get(), bitmap, stream.Get()))) {
        throw failed;
    }
    STATSTG stat = {};
    HGLOBAL hMemory = nullptr;
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) ||
        FAILED(GetHGlobalFromStream(stream.Get(), &hMemory))) {
        throw failed;
    }
    const void* bytes = GlobalLock(hMemory);
    if (bytes == nullptr) {
        throw failed;
    }
    std::string png(static_cast<const char*>(bytes),
                    static_cast<std::size_t>(stat.cbSize.QuadPart));
    GlobalUnlock(hMemory);
    return png;
}
