#pragma once
#include <map>
#include <vector>

#include "core/jwc/JwcTestSupport.h"
#include "writer/Drawing.h"

// The sample drawing's header (pens 0 to 9 coloured, A3, 1:100; a long memo)
// without entities or blocks, for a test to fill.
jwwrite::Drawing BareDrawing(uint32_t version = 700);

// A drawing file of the given contents, loaded through the reader factory.
std::vector<uint8_t> DrawingBytes(const std::vector<jwwrite::Entity>& entities, uint32_t version = 700);

// How many figures of each type code.
std::map<uint16_t, int> KindCounts(const std::vector<B_Base*>& figures);

jwwrite::Line LineOf(double x1, double y1, double x2, double y2, uint16_t pen = 1);
