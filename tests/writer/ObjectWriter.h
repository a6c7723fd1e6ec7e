#pragma once

#include <map>
#include <string>

#include "ByteWriter.h"

namespace jwwrite {

// The object tags of the stream, with the writer's own count of the table
// that a reader builds: index 0 is the null object, every new class and every
// new object takes the next index in stream order.
class ObjectWriter : public ByteWriter {
public:
    explicit ObjectWriter(uint16_t schema) : m_schema(schema) {}

    // Tags a new object of the class: the class name the first time, the
    // class's index afterwards. Returns the index the object takes.
    uint32_t BeginObject(const std::string& className);
    // A reference to an entry of the table (an earlier object, or 0 for null).
    void Reference(uint32_t index);
    void Null() { U16(0); }

    // Index of a class already written, 0 when it is not.
    uint32_t ClassIndex(const std::string& className) const;
    // The index the next new class or object takes.
    uint32_t NextIndex() const { return m_nextIndex; }

    // Writes class tags and references in the long form (0x7FFF and a DWORD)
    // even where the short one would do.
    bool longTags = false;

private:
    void NewClass(const std::string& className);
    bool IsShort(uint32_t index) const;

    uint16_t m_schema;
    uint32_t m_nextIndex = 1;
    std::map<std::string, uint32_t> m_classes;
};

}  // namespace jwwrite
