#include "ObjectWriter.h"

namespace jwwrite {

namespace {
const uint16_t kNewClassTag = 0xFFFF;
const uint16_t kLongTag = 0x7FFF;
const uint16_t kClassBit = 0x8000;
const uint32_t kLongClassBit = 0x80000000;
const uint32_t kLargestShortIndex = 0x7FFE;
}

uint32_t ObjectWriter::BeginObject(const std::string& className)
{
    uint32_t classIndex = ClassIndex(className);
    if (classIndex == 0) {
        NewClass(className);
    } else if (IsShort(classIndex)) {
        U16(static_cast<uint16_t>(kClassBit | classIndex));
    } else {
        U16(kLongTag);
        U32(kLongClassBit | classIndex);
    }
    return m_nextIndex++;
}

void ObjectWriter::Reference(uint32_t index)
{
    if (IsShort(index)) {
        U16(static_cast<uint16_t>(index));
        return;
    }
    U16(kLongTag);
    U32(index);
}

uint32_t ObjectWriter::ClassIndex(const std::string& className) const
{
    auto found = m_classes.find(className);
    return found == m_classes.end() ? 0 : found->second;
}

bool ObjectWriter::IsShort(uint32_t index) const
{
    return !longTags && index <= kLargestShortIndex;
}

void ObjectWriter::NewClass(const std::string& className)
{
    U16(kNewClassTag);
    U16(m_schema);
    U16(static_cast<uint16_t>(className.size()));
    Raw(className.data(), className.size());
    m_classes[className] = m_nextIndex++;
}

}  // namespace jwwrite
