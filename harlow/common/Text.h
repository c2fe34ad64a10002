// UTF-8 <-> UTF-16: FFmpeg speaks UTF-8, Windows and our command lines speak UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace harlow {

std::string ToUtf8(std::wstring_view text);
std::wstring ToWide(std::string_view text);

// Copies text into a fixed NUL-terminated field, cutting at a character boundary.
void CopyField(char* field, std::size_t size, std::string_view text);

} // namespace harlow

namespace harlow {

// Valid UTF-8 without control characters (tags in the wild carry both); bad bytes become U+FFFD.
std::string CleanUtf8(std::string_view text);

} // namespace harlow
