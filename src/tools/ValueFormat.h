#pragma once
// How media values read as text wherever the program shows them: durations, frame rates,
// channel layouts and bit rates. Pure functions, so the playlist, the properties dialog and the
// tools' command lines all agree.
#include <cstdint>
#include <string>

namespace zevrin {

// "m:ss", "h:mm:ss", with ".fff" when withMillis; hours appear when non-zero or forceHours.
// secondsOnly gives whole seconds ("61") or, with withMillis, seconds with three decimals.
std::wstring FormatMs(std::int64_t ms, bool secondsOnly, bool withMillis, bool forceHours);
// The same for a time in microseconds, truncated to whole milliseconds.
std::wstring FormatDuration(std::int64_t us, bool secondsOnly, bool withMillis, bool forceHours);

// num / den through a printf format for a double, without trailing zeros; "" unless both > 0.
std::wstring FormatRatio(int num, int den, const wchar_t* format);
std::wstring FormatFrameRate(int num, int den, const wchar_t* format, bool addUnit, bool autoWhenZero);
std::wstring FormatChannels(int channels, bool autoWhenZero);
std::wstring FormatBitRate(int bitsPerSecond, const wchar_t* format, bool addUnit, bool autoWhenZero);

} // namespace zevrin
