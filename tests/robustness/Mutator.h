#pragma once
// Damages a sound input the way hostile and broken files are damaged: cut short, bits flipped,
// numbers made huge, elements nested thousands deep, lines and values made very long, byte
// sequences that are not UTF-8 or not UTF-16, zeros embedded. A fixed seed makes every run feed
// the same inputs, so a failure names an input that can be made again (seed and index).
#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

namespace zevrin::test {

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : random_(seed) {}

    // One to three damages applied to `valid`.
    std::string Mutate(const std::string& valid) {
        std::string out = valid;
        const int count = 1 + static_cast<int>(Below(3));
        for (int i = 0; i < count; ++i) MutateOnce(out);
        return out;
    }

private:
    size_t Below(size_t n) { return n ? std::uniform_int_distribution<size_t>(0, n - 1)(random_) : 0; }
    size_t Anywhere(const std::string& s) { return Below(s.size() + 1); }

    void MutateOnce(std::string& s) {
        switch (Below(9)) {
        case 0: s.resize(Below(s.size() + 1)); break;  // cut short
        case 1:                                       // bits flipped
            for (size_t n = 1 + Below(8); n > 0 && !s.empty(); --n) s[Below(s.size())] ^= static_cast<char>(1 << Below(8));
            break;
        case 2: HugeNumber(s); break;
        case 3: DeepNesting(s); break;
        case 4: s.insert(Anywhere(s), std::string(1000 + Below(200000), "Aa9 /\\\"<&"[Below(9)])); break;
        case 5: s.insert(Anywhere(s), BadUtf8()); break;
        case 6: s.insert(Anywhere(s), BadUtf16()); break;
        case 7: s.insert(Anywhere(s), std::string(1 + Below(4), '\0')); break;
        default:                                       // a piece repeated, as a buffer written twice
            if (!s.empty()) {
                size_t at = Below(s.size()), length = std::min<size_t>(Below(512) + 1, s.size() - at);
                s.insert(Anywhere(s), s.substr(at, length));
            }
        }
    }

    // A run of digits, or any place when there is none, becomes a number no field can hold.
    void HugeNumber(std::string& s) {
        static const char* const kHuge[] = {"99999999999999999999999", "-9223372036854775809", "4294967296",
                                            "2147483648", "-1", "1e308", "0x7FFFFFFF", "18446744073709551616"};
        const std::string number = kHuge[Below(std::size(kHuge))];
        size_t at = s.find_first_of("0123456789", Below(s.size() + 1));
        if (at == std::string::npos) {
            s.insert(Anywhere(s), number);
            return;
        }
        size_t end = s.find_first_not_of("0123456789", at);
        s.replace(at, (end == std::string::npos ? s.size() : end) - at, number);
    }

    // Elements (or brackets, for the formats that have none) nested thousands deep.
    void DeepNesting(std::string& s) {
        const size_t depth = 1000 + Below(100000);
        std::string open, close;
        open.reserve(depth * 3);
        for (size_t i = 0; i < depth; ++i) open += "<a>";
        if (Below(2))
            for (size_t i = 0; i < depth; ++i) close += "</a>";
        s.insert(Anywhere(s), open + close);
    }

    std::string BadUtf8() {
        static const char* const kBad[] = {"\xC0\x80", "\xFF\xFE", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80\x80",
                                           "\xE2\x82", "\xF0\x9F\x98"};
        return kBad[Below(std::size(kBad))];
    }

    // A byte-order mark announcing UTF-16, lone surrogates and an odd byte out.
    std::string BadUtf16() {
        static const std::string kBad[] = {std::string("\xFF\xFE", 2), std::string("\xFE\xFF", 2),
                                           std::string("\x00\xD8\x41\x00", 4), std::string("\x00\xDC", 2),
                                           std::string("\xFF\xFE\x00\xD8", 4) + "x"};
        return kBad[Below(std::size(kBad))];
    }

    std::mt19937 random_;
};

} // namespace zevrin::test
