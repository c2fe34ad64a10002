#pragma once
// The XML reader builds its tree recursively, one call per level of elements: a document nested
// a million deep (a damaged or hostile file) would run the thread out of stack and end the
// program. Every document the program reads is checked here first; none of its own formats
// nests more than a few levels.
#include <string_view>

namespace fw {

inline constexpr int kMaxXmlNesting = 256;

// Whether no element of the text lies deeper than maxDepth. Comments, CDATA sections, processing
// instructions, declarations and quoted attribute values are skipped; where in doubt the count
// errs towards deeper.
bool XmlNestingWithin(std::string_view xml, int maxDepth = kMaxXmlNesting);

} // namespace fw
