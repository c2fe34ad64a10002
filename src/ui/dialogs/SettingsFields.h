#pragma once
// The decisions of the settings pages, apart from their windows: reading a number field with
// the messages the user sees when it is not acceptable, and turning what the File Type dialog
// returned into a new file type.
#include "services/FileTypeInfo.h"

#include <optional>
#include <string>

namespace zevrin {

// A number field's value, or the message that refuses it.
struct FieldCheck {
    long long value = 0;
    std::wstring message; // empty when the value is accepted
    bool Ok() const { return message.empty(); }
};

// A non-negative whole number within min..max: "Please enter a positive integer." when the
// text is not one, "Please enter an integer between <min> and <max>." when out of range.
FieldCheck CheckUnsignedField(const std::wstring& text, long long min, long long max);
// A whole number, optionally signed, within min..max: "Please enter an integer." otherwise.
FieldCheck CheckIntegerField(const std::wstring& text, long long min, long long max);

// The type the File Type dialog describes: name and extension trimmed, a "." put in front of
// the extension, the icon box's entry i standing for the program's icon i + 2. Nothing when
// the name or the extension is empty or no icon was chosen.
std::optional<CFileTypeInfo> NewFileType(const std::wstring& name, const std::wstring& extension, int iconEntry);

} // namespace zevrin
