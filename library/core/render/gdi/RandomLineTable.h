#pragma once
#include <cstdint>
#include <memory>

class CJwCADBase;

// One straight piece of a patterned line's shape: y = slope * x + intercept
// between (xa, ya) and (xb, yb), xa <= xb.
struct RandomLineSegment {
    double slope;
    double intercept;
    double xa, ya;
    double xb, yb;
};

// The shape of one patterned line type, as straight pieces over one period.
struct RandomLineEntry {
    static const int kMaxSegments = 32;
    static const int kFirstType = 11;
    static const int kLastType = 15;

    double lead;
    double length;
    double height;
    uint16_t mode;
    uint16_t kind;
    RandomLineSegment segments[kMaxSegments];
    uint16_t segmentCount;
    // 0 not started, 1 running, 255 done; used by a builder's working copy.
    uint8_t state[kMaxSegments];
};

// The shapes of line types 11 to 15.
struct RandomLineShapes {
    RandomLineEntry entries[RandomLineEntry::kLastType - RandomLineEntry::kFirstType + 1];
};

// Rebuilds the process-wide shapes from the reader's line types 11 to 15.
// Loads run on several threads while others draw: the shapes are built
// aside and published whole, so a drawing sees either the old or the new set.
void BuildRandomLineTable(CJwCADBase* reader);

// The shapes published last (all empty before the first load).
std::shared_ptr<const RandomLineShapes> CurrentRandomLineShapes();
