#include "ui/dialogs/PropertyRows.h"

#include "framework/Text.h"
#include "playlist/PlaylistItem.h"
#include "tools/ValueFormat.h"

#include <windows.h>

namespace zevrin {

namespace {

std::wstring FileNamePart(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring StreamBitRate(int bitRate) { return bitRate > 0 ? FormatBitRate(bitRate, L"%.3f", true, false) : L""; }

void AddStreamBlock(std::vector<PropertyRow>& rows, const CMediaStream& s, int number) {
    std::wstring heading = fw::Format(L"Stream #%d", number);
    if (s.type == kStreamTypeVideo) {
        rows.push_back({heading, L"Video"});
        rows.push_back({L"Format", s.format});
        rows.push_back({L"Width x Height", fw::Format(L"%d x %d", s.width, s.height)});
        rows.push_back({L"Frame Rate", FormatFrameRate(s.frameRateNum, s.frameRateDen, L"%.3f", true, false)});
    } else {
        rows.push_back({heading, L"Audio"});
        rows.push_back({L"Format", s.format});
        rows.push_back({L"Channels", FormatChannels(s.channels, true)});
        rows.push_back({L"Sample Rate", fw::Format(L"%d", s.sampleRate)});
    }
    rows.push_back({L"Bit Rate", StreamBitRate(s.bitRate)});
}

} // namespace

std::wstring FormatByteCount(int64_t bytes) {
    std::wstring digits = fw::Format(L"%I64d", bytes);
    NUMBERFMTW format{};
    wchar_t decimal[8] = L".", thousand[8] = L",", grouping[16] = L"3;0";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousand, 8);
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SGROUPING, grouping, 16);
    format.NumDigits = 0;
    format.LeadingZero = 1;
    format.Grouping = static_cast<UINT>(grouping[0] - L'0'); // "3;0" and "3;2;0" both start with the group size
    format.lpDecimalSep = decimal;
    format.lpThousandSep = thousand;
    format.NegativeOrder = 1;
    wchar_t out[64];
    int n = GetNumberFormatW(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format, out, 64);
    return n > 0 ? std::wstring(out) : digits;
}

std::vector<PropertyRow> MediaPropertyRows(const std::wstring& path, const CMediaInfo& info) {
    std::vector<PropertyRow> rows;
    rows.push_back({L"File Name", FileNamePart(path)});
    rows.push_back({L"File Size", FormatByteCount(info.size)});
    rows.push_back({L"Duration", info.duration > 0 ? FormatDuration(info.duration, false, true, true) : L""});
    rows.push_back({L"Format", info.format});
    rows.push_back({L"Bit Rate", info.bitRate > 0 ? fw::Format(L"%d kbps", info.bitRate / 1000) : L""});
    for (size_t i = 0; i < info.streams.size(); ++i) {
        const CMediaStream& s = info.streams[i];
        if (s.type == kStreamTypeVideo || s.type == kStreamTypeAudio) AddStreamBlock(rows, s, static_cast<int>(i) + 1);
    }
    return rows;
}

} // namespace zevrin
