#pragma once

#include <string>

#include "Entities.h"
#include "ObjectWriter.h"

namespace jwwrite {

// Writes entity records as tagged objects, each with the fields of the file
// version; returns the index each object takes in the reader's table.
class EntityWriter {
public:
    EntityWriter(ObjectWriter& out, uint32_t version) : m_out(out), m_version(version) {}

    uint32_t Write(const Line& line);
    uint32_t Write(const Curve& curve);
    uint32_t Write(const Point& point);
    uint32_t Write(const Text& text);
    uint32_t Write(const Dimension& dimension);
    uint32_t Write(const Solid& solid);
    uint32_t Write(const BlockInsert& insert);
    uint32_t Write(const Entity& entity);
    // The definition up to its list count; count entities must follow.
    uint32_t WriteDefinitionHead(const BlockDefinition& definition, uint32_t count);
    uint32_t Write(const Block& block);
    // An object whose record is the common fields alone: the base class, or
    // another class of that layout.
    uint32_t WriteBase(const Common& common, const std::string& className = "CData");

    void List(const std::vector<Entity>& entities);

private:
    void Fields(const Common& common);
    void Fields(const Line& line);
    void Fields(const Point& point);
    void Fields(const Text& text);

    ObjectWriter& m_out;
    uint32_t m_version;
};

}  // namespace jwwrite
