#include "tools/ValueFormat.h"

#include "framework/Text.h"

namespace zevrin {

namespace {

// "29.970" -> "29.97", "25.000" -> "25": zeros first, then the point they leave behind.
std::wstring StripTrailingZeros(std::wstring text) {
    while (!text.empty() && text.back() == L'0') text.pop_back();
    while (!text.empty() && text.back() == L'.') text.pop_back();
    return text;
}

std::wstring FormatDecimal(double value, const wchar_t* format) {
    return StripTrailingZeros(fw::Format(format, value));
}

} // namespace

std::wstring FormatMs(std::int64_t ms, bool secondsOnly, bool withMillis, bool forceHours) {
    // A negative time (a start before zero) reads as its magnitude with a sign instead of
    // having a minus sign in every field.
    if (ms < 0) return L"-" + FormatMs(-ms, secondsOnly, withMillis, forceHours);
    const long long s = ms / 1000;
    if (secondsOnly) return withMillis ? fw::Format(L"%.3f", ms * 0.001) : fw::Format(L"%I64d", s);
    const long long h = s / 3600;
    const int m = static_cast<int>(s % 3600 / 60);
    const int sec = static_cast<int>(s % 60);
    const int f = static_cast<int>(ms % 1000);
    if (forceHours || h > 0)
        return withMillis ? fw::Format(L"%I64d:%02d:%02d.%03d", h, m, sec, f)
                          : fw::Format(L"%I64d:%02d:%02d", h, m, sec);
    return withMillis ? fw::Format(L"%d:%02d.%03d", m, sec, f) : fw::Format(L"%d:%02d", m, sec);
}

std::wstring FormatDuration(std::int64_t us, bool secondsOnly, bool withMillis, bool forceHours) {
    return FormatMs(us / 1000, secondsOnly, withMillis, forceHours);
}

std::wstring FormatRatio(int num, int den, const wchar_t* format) {
    if (num <= 0 || den <= 0) return {};
    return FormatDecimal(static_cast<double>(num) / den, format);
}

std::wstring FormatFrameRate(int num, int den, const wchar_t* format, bool addUnit, bool autoWhenZero) {
    if (num == 0 || den == 0) return autoWhenZero ? L"Auto" : L"";
    std::wstring text = FormatRatio(num, den, format);
    if (addUnit && !text.empty()) text += L" fps"; // no bare unit for a meaningless negative rate
    return text;
}

std::wstring FormatChannels(int channels, bool autoWhenZero) {
    switch (channels) {
    case 0:
        return autoWhenZero ? L"Auto" : L"";
    case 1:
        return L"Mono";
    case 2:
        return L"Stereo";
    case 6:
        return L"5.1";
    default:
        return L"";
    }
}

std::wstring FormatBitRate(int bitsPerSecond, const wchar_t* format, bool addUnit, bool autoWhenZero) {
    if (bitsPerSecond == 0) return autoWhenZero ? L"Auto" : L"";
    if (bitsPerSecond < 0) return L"";
    std::wstring text = FormatDecimal(bitsPerSecond * 0.001, format);
    if (addUnit) text += L" kbps";
    return text;
}

} // namespace zevrin
