#pragma once

#include <string>

namespace jwwrite {

// A string of the object stream: 8-bit characters (written as they are, in
// whatever code page the bytes are) or UTF-16 code units.
struct JwText {
    JwText() = default;
    JwText(const char* text) : bytes(text) {}
    JwText(std::string text) : bytes(std::move(text)) {}
    JwText(const char16_t* text) : units(text), utf16(true) {}
    JwText(std::u16string text) : units(std::move(text)), utf16(true) {}

    size_t Length() const { return utf16 ? units.size() : bytes.size(); }

    std::string bytes;
    std::u16string units;
    bool utf16 = false;
};

}  // namespace jwwrite
