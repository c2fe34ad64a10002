#include "ui/display/VideoLayout.h"

namespace zevrin {

namespace {

// The picture as it is meant to be seen: stored pixels need not be square.
void ApplyAspect(const VideoFormat& video, int& dw, int& dh) {
    float aspect =
        video.aspectDen > 0 ? static_cast<float>(video.aspectNum) / static_cast<float>(video.aspectDen) : 0.0f;
    if (aspect <= 0.01f) return;
    if (aspect >= 1.0f) {
        dw = static_cast<int>(static_cast<float>(dh) * aspect);
        dw += dw % 2;
    } else {
        dh = static_cast<int>(static_cast<float>(dw) / aspect);
        dh += dh % 2;
    }
}

int Place(int origin, int extent, int size, int end) {
    int p = origin + (extent - size) / 2;
    if (p < origin) return origin;
    if (p + size > end) return end - size;
    return p;
}

} // namespace

std::optional<RECT> LayOutVideo(const RECT& client, const VideoFormat& video, int zoom) {
    if (video.width <= 0 || video.height <= 0) return std::nullopt;
    const int W = client.right - client.left, H = client.bottom - client.top;
    int dw = video.width, dh = video.height;
    ApplyAspect(video, dw, dh);
    int w = 0, h = 0;
    if (zoom == 0) {
        double r = static_cast<double>(dw) / dh;
        w = W;
        h = H;
        int f = static_cast<int>(W / r + 0.5);
        if (f > H)
            w = static_cast<int>(H * r + 0.5);
        else
            h = f;
        w -= w % 2;
        h -= h % 2;
    } else {
        w = static_cast<int>(dw * zoom * 0.01);
        h = static_cast<int>(dh * zoom * 0.01);
        if (W < w || H < h) {
            double r = static_cast<double>(w) / h;
            w = W;
            h = H;
            int g = static_cast<int>(W / r);
            g += g % 2;
            if (g > H) {
                w = static_cast<int>(H * r);
                w += w % 2;
            } else {
                h = g;
            }
        }
    }
    int x = Place(client.left, W, w, client.right);
    int y = Place(client.top, H, h, client.bottom);
    return RECT{x, y, x + w, y + h};
}

} // namespace zevrin
