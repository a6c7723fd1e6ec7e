#pragma once

#include <string>
#include <vector>

#include "Entities.h"
#include "JwsHeader.h"
#include "JwwHeader.h"

namespace jwwrite {

// What follows either header: the entity list, the block-definition list and,
// from version 700 on, the count and contents of the embedded images.
struct Contents {
    std::vector<Entity> entities;
    std::vector<Block> blocks;
    std::vector<EmbeddedImage> images;
};

struct Drawing : Contents {
    JwwHeader header;
};

struct Symbol : Contents {
    JwsHeader header;
};

std::vector<uint8_t> WriteDrawing(const Drawing& drawing);
std::vector<uint8_t> WriteSymbol(const Symbol& symbol);

// Creates or replaces the file; false when it cannot be written whole.
bool SaveFile(const std::wstring& path, const std::vector<uint8_t>& bytes);

}  // namespace jwwrite
