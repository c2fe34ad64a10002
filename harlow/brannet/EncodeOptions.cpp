#include "EncodeOptions.h"

#include "CommandLine.h"
#include "Text.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace harlow::brannet {

namespace {

bool ParsePair(const std::wstring& text, wchar_t separator, int& a, int& b) {
    const std::size_t at = text.find(separator);
    if (at == std::wstring::npos) return false;
    const std::optional<long long> x = ParseInteger(text.substr(0, at));
    const std::optional<long long> y = ParseInteger(text.substr(at + 1));
    if (!x || !y || *x < 0 || *y < 0 || *x > 65535 || *y > 1000000) return false;
    a = static_cast<int>(*x);
    b = static_cast<int>(*y);
    return true;
}

// "25", "30000/1001", "29.97"
bool ParseRate(const std::wstring& text, int& num, int& den) {
    if (ParsePair(text, L'/', num, den)) return num > 0 && den > 0;
    const std::optional<double> v = ParseNumber(text);
    if (!v || *v <= 0 || *v > 1000) return false;
    num = static_cast<int>(*v * 1000 + 0.5);
    den = 1000;
    return true;
}

// Rates may carry a k or M suffix ("128k").
std::optional<std::int64_t> ParseBitRate(const std::wstring& text) {
    if (text.empty()) return std::nullopt;
    double scale = 1;
    std::wstring digits = text;
    if (digits.back() == L'k' || digits.back() == L'K') {
        scale = 1000;
        digits.pop_back();
    } else if (digits.back() == L'M') {
        scale = 1000000;
        digits.pop_back();
    }
    const std::optional<double> v = ParseNumber(digits);
    if (!v || *v <= 0 || *v * scale > 1e9) return std::nullopt;
    return static_cast<std::int64_t>(*v * scale);
}

class Parser {
public:
    explicit Parser(EncodeOptions& o) : o_(o) {}

    // False with error_ set when the value can't be used.
    bool Apply(const std::wstring& name, const std::wstring& value);
    std::string error_;

private:
    bool Fail(const std::wstring& name, const std::wstring& value) {
        error_ = "invalid value \"" + ToUtf8(value) + "\" for " + ToUtf8(name);
        return false;
    }
    bool Integer(const std::wstring& name, const std::wstring& value, long long low, long long high, auto& target) {
        const std::optional<long long> v = ParseInteger(value);
        if (!v || *v < low || *v > high) return Fail(name, value);
        target = static_cast<std::remove_reference_t<decltype(target)>>(*v);
        return true;
    }
    bool Time(const std::wstring& name, const std::wstring& value, std::int64_t& target) {
        const std::optional<long long> v = ParseTime(value);
        if (!v || *v < 0) return Fail(name, value);
        target = *v;
        return true;
    }
    bool Preset(const std::wstring& value, std::map<std::string, std::string>& target) {
        if (LoadPreset(value, target)) return true;
        error_ = "preset \"" + ToUtf8(value) + "\" can't be read";
        return false;
    }

    EncodeOptions& o_;
    std::int64_t pendingOffset_ = 0;
};

bool Parser::Apply(const std::wstring& name, const std::wstring& value) {
    if (name == L"-i") {
        o_.inputs.push_back({value, pendingOffset_});
        pendingOffset_ = 0;
        return true;
    }
    if (name == L"-itsoffset") return Time(name, value, pendingOffset_);
    if (name == L"-f") {
        o_.format = ToUtf8(value);
        return true;
    }
    if (name == L"-y") return o_.overwrite = true;
    if (name == L"-threads") return Integer(name, value, 0, 64, o_.threads);
    if (name == L"-bufsize") return Integer(name, value, 0, 1000000000, o_.bufferSize);
    if (name == L"-ss") return Time(name, value, o_.startUs);
    if (name == L"-t") return Time(name, value, o_.durationUs);
    if (name == L"-fs") return Integer(name, value, 0, INT64_MAX, o_.sizeLimit);
    if (name == L"-map") {
        StreamMap m;
        if (!ParsePair(value, L':', m.input, m.stream)) return Fail(name, value);
        o_.maps.push_back(m);
        return true;
    }
    static const std::map<std::wstring, std::string> tags{{L"-title", "title"},
                                                          {L"-author", "artist"},
                                                          {L"-copyright", "copyright"},
                                                          {L"-comment", "comment"},
                                                          {L"-album", "album"}};
    if (const auto tag = tags.find(name); tag != tags.end()) {
        o_.metadata[tag->second] = ToUtf8(value);
        return true;
    }
    if (name == L"-year") {
        int year = 0;
        return Integer(name, value, 0, 9999, year) && (o_.metadata["date"] = std::to_string(year), true);
    }
    if (name == L"-track") {
        int track = 0;
        return Integer(name, value, 0, 100000, track) && (o_.metadata["track"] = std::to_string(track), true);
    }
    if (name == L"-vn") return o_.noVideo = true;
    if (name == L"-an") return o_.noAudio = true;
    if (name == L"-sameq") return o_.sameQuality = true;
    if (name == L"-vcodec") {
        o_.videoCodec = ToUtf8(value);
        return true;
    }
    if (name == L"-acodec") {
        o_.audioCodec = ToUtf8(value);
        return true;
    }
    if (name == L"-s")
        return (ParsePair(value, L'x', o_.width, o_.height) && o_.width > 0 && o_.height > 0) || Fail(name, value);
    if (name == L"-aspect") {
        if (ParsePair(value, L':', o_.aspectNum, o_.aspectDen) || ParsePair(value, L'/', o_.aspectNum, o_.aspectDen))
            return true;
        return ParseRate(value, o_.aspectNum, o_.aspectDen) || Fail(name, value);
    }
    if (name == L"-r") return ParseRate(value, o_.frameRateNum, o_.frameRateDen) || Fail(name, value);
    if (name == L"-b:v" || name == L"-b:a") {
        const std::optional<std::int64_t> rate = ParseBitRate(value);
        if (!rate) return Fail(name, value);
        (name == L"-b:v" ? o_.videoBitRate : o_.audioBitRate) = *rate;
        return true;
    }
    if (name == L"-cropleft") return Integer(name, value, 0, 65535, o_.cropLeft);
    if (name == L"-croptop") return Integer(name, value, 0, 65535, o_.cropTop);
    if (name == L"-cropright") return Integer(name, value, 0, 65535, o_.cropRight);
    if (name == L"-cropbottom") return Integer(name, value, 0, 65535, o_.cropBottom);
    if (name == L"-vframes") return Integer(name, value, 0, INT64_MAX, o_.frameCount);
    if (name == L"-vpre") return Preset(value, o_.videoPreset);
    if (name == L"-apre") return Preset(value, o_.audioPreset);
    if (name == L"-ac") return Integer(name, value, 1, 8, o_.channels);
    if (name == L"-ar") return Integer(name, value, 1000, 384000, o_.sampleRate);
    if (name == L"-vol") return Integer(name, value, 0, 65536, o_.volume);
    return true; // -callbackwindow, -context: read elsewhere
}

// Preset entries that stand for the tool's own options rather than the encoder's.
void ApplyPresetDefaults(EncodeOptions& o) {
    auto take = [](std::map<std::string, std::string>& preset, const char* key) -> std::optional<std::wstring> {
        const auto it = preset.find(key);
        if (it == preset.end()) return std::nullopt;
        std::wstring value = ToWide(it->second);
        preset.erase(it);
        return value;
    };
    EncodeOptions fromPreset;
    Parser parser(fromPreset);
    const std::pair<const char*, const wchar_t*> video[] = {
        {"vcodec", L"-vcodec"}, {"b:v", L"-b:v"}, {"s", L"-s"}, {"r", L"-r"}, {"aspect", L"-aspect"}};
    for (const auto& [key, option] : video)
        if (const std::optional<std::wstring> v = take(o.videoPreset, key)) parser.Apply(option, *v);
    const std::pair<const char*, const wchar_t*> audio[] = {
        {"acodec", L"-acodec"}, {"b:a", L"-b:a"}, {"ar", L"-ar"}, {"ac", L"-ac"}};
    for (const auto& [key, option] : audio)
        if (const std::optional<std::wstring> v = take(o.audioPreset, key)) parser.Apply(option, *v);
    if (o.videoCodec.empty()) o.videoCodec = fromPreset.videoCodec;
    if (o.videoBitRate == 0) o.videoBitRate = fromPreset.videoBitRate;
    if (o.width == 0) {
        o.width = fromPreset.width;
        o.height = fromPreset.height;
    }
    if (o.frameRateNum == 0) {
        o.frameRateNum = fromPreset.frameRateNum;
        o.frameRateDen = fromPreset.frameRateDen;
    }
    if (o.aspectNum == 0) {
        o.aspectNum = fromPreset.aspectNum;
        o.aspectDen = fromPreset.aspectDen;
    }
    if (o.audioCodec.empty()) o.audioCodec = fromPreset.audioCodec;
    if (o.audioBitRate == 0) o.audioBitRate = fromPreset.audioBitRate;
    if (o.sampleRate == 0) o.sampleRate = fromPreset.sampleRate;
    if (o.channels == 0) o.channels = fromPreset.channels;
}

} // namespace

const std::vector<std::wstring>& FlagOptions() {
    static const std::vector<std::wstring> flags{L"-y", L"-vn", L"-an", L"-sameq"};
    return flags;
}

const std::vector<std::wstring>& ValuedOptions() {
    static const std::vector<std::wstring> valued{L"-i",         L"-f",
                                                  L"-ss",        L"-t",
                                                  L"-fs",        L"-itsoffset",
                                                  L"-title",     L"-author",
                                                  L"-copyright", L"-comment",
                                                  L"-album",     L"-year",
                                                  L"-track",     L"-vcodec",
                                                  L"-s",         L"-r",
                                                  L"-b:v",       L"-aspect",
                                                  L"-cropleft",  L"-croptop",
                                                  L"-cropright", L"-cropbottom",
                                                  L"-vpre",      L"-vframes",
                                                  L"-acodec",    L"-ac",
                                                  L"-ar",        L"-b:a",
                                                  L"-vol",       L"-apre",
                                                  L"-map",       L"-threads",
                                                  L"-bufsize",   L"-callbackwindow",
                                                  L"-context"};
    return valued;
}

ParseResult ParseEncodeOptions(const CommandLine& args) {
    EncodeOptions o;
    Parser parser(o);
    for (const Argument& a : args.Arguments()) {
        if (a.name.empty()) {
            o.output = a.value; // the last positional argument names the output
            continue;
        }
        if (!parser.Apply(a.name, a.value)) return {std::nullopt, parser.error_};
    }
    if (o.inputs.empty()) return {std::nullopt, "no input"};
    if (o.output.empty()) return {std::nullopt, "no output"};
    if (o.inputs.size() > 2) return {std::nullopt, "at most two inputs"};
    ApplyPresetDefaults(o);
    return {std::move(o), {}};
}

bool LoadPreset(const std::wstring& path, std::map<std::string, std::string>& entries) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (content.size() < 65536 && ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    CloseHandle(file);
    std::istringstream lines(content);
    std::string line;
    while (std::getline(lines, line)) {
        if (const std::size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        auto trim = [](std::string s) {
            const std::size_t a = s.find_first_not_of(" \t\r");
            const std::size_t b = s.find_last_not_of(" \t\r");
            return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
        };
        const std::string key = trim(line.substr(0, eq));
        if (!key.empty()) entries[key] = trim(line.substr(eq + 1));
    }
    return true;
}

} // namespace harlow::brannet
