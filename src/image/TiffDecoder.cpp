// TIFF pictures, decoded by the platform's imaging component (WIC): TIFF has too many
// compressions and layouts to decode by hand, and every Windows has a decoder for it. The first
// page is taken; an alpha plane is kept only when some pixel is not opaque.
#include "image/ImageBuffer.h"

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <vector>

namespace zevrin {

namespace {

using Microsoft::WRL::ComPtr;

bool HasTiffSignature(ImageBytes d) {
    return d.size() >= 8 && ((d[0] == 'I' && d[1] == 'I' && d[2] == 42 && d[3] == 0) ||
                             (d[0] == 'M' && d[1] == 'M' && d[2] == 0 && d[3] == 42));
}

// COM on this thread for the decoder's lifetime; a thread that has it already keeps its own.
class ComScope {
public:
    ComScope() : hr_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool Usable() const { return SUCCEEDED(hr_) || hr_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT hr_;
};

bool DecodeFirstFrame(ImageBytes d, ImageBuffer& out) {
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))))
        return false;
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(d.data()), static_cast<DWORD>(d.size()))))
        return false;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoder(GUID_ContainerFormatTiff, nullptr, &decoder)) ||
        FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)))
        return false;
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    if (FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
        !ReasonableSize(width, height))
        return false;
    // 32-bit BGRA is the form every converter reaches (Wine's has no path from grey to 24-bit).
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    std::vector<uint8_t> bgra(static_cast<size_t>(width) * height * 4);
    if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(bgra.size()), bgra.data()))) return false;
    bool translucent = false;
    for (size_t i = 3; i < bgra.size() && !translucent; i += 4) translucent = bgra[i] != 255;
    ImageBuffer decoded;
    decoded.Allocate(static_cast<int>(width), static_cast<int>(height), translucent);
    for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
        std::copy_n(&bgra[i * 4], 3, &decoded.bgr[i * 3]);
        if (translucent) decoded.alpha[i] = bgra[i * 4 + 3];
    }
    out = std::move(decoded);
    return true;
}

} // namespace

bool DecodeTiff(ImageBytes d, ImageBuffer& out, std::string& error) {
    error = "Not a TIFF";
    if (!HasTiffSignature(d) || d.size() > MAXDWORD) return false;
    ComScope com;
    if (!com.Usable() || !DecodeFirstFrame(d, out)) {
        error = "Decode: Unknown or wrong format";
        return false;
    }
    return true;
}

} // namespace zevrin
