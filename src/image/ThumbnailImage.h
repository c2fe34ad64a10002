#pragma once
// The picture of a playlist item: decoded from an artwork file, an extracted frame or one of
// the program's image resources, fitted into the thumbnail box and drawn with per-pixel alpha.
#include "image/ImageBuffer.h"

#include <windows.h>

#include <string>

namespace zevrin {

class CThumbnailImage {
public:
    // Format codes of the loaders: 0 finds the format from the content.
    enum Format { Detect = 0, Bmp = 1, Gif = 2, Jpeg = 3, Png = 4, Tga = 5, Tiff = 6 };

    bool LoadFile(const std::wstring& path, int format = Detect);
    bool LoadResource(UINT id, int format, HMODULE module, const wchar_t* type = L"PNG");
    bool LoadMemory(ImageBytes data, int format = Detect);
    void Release() { buffer_ = ImageBuffer{}; }

    bool IsEmpty() const { return buffer_.Empty(); }
    int Width() const { return buffer_.width; }
    int Height() const { return buffer_.height; }
    bool HasAlpha() const { return !buffer_.alpha.empty(); }
    const std::string& LastError() const { return error_; }

    // The colour packed as 0x00BBGGRR, with the alpha byte on top when asked for.
    DWORD PixelColor(int x, int y, bool withAlpha = false) const;

    // Scales the picture down into the box when it is larger (never up) and centres it on a
    // canvas of exactly the box size. The result replaces this image unless `out` is given.
    bool FitIntoBox(int boxWidth, int boxHeight, COLORREF canvas = 0, CThumbnailImage* out = nullptr);

    // Draws into `dest` (a negative width or height means the picture's own); clipped to
    // `clip` when given. Pictures with alpha are blended over what is there.
    bool Draw(HDC dc, RECT dest, const RECT* clip = nullptr, bool smooth = false) const;

    int globalAlpha = 255; // scales the alpha plane when drawing

    const ImageBuffer& Buffer() const { return buffer_; }

private:
    ImageBuffer buffer_;
    std::string error_;
};

// 1 when the picture has detail, 0 when it is blank (one colour, or nearly), -1 for no image.
int IsBlankFrame(const CThumbnailImage* image);
// The spread the blank test measures: the standard deviation of the packed colour values.
double ColorSpread(const CThumbnailImage& image);

} // namespace zevrin
