#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace jwwrite {

// Records of the older .jwc drawings and .jwk part files.
struct JwcLine {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    uint8_t lineType = 1, pen = 1, layer = 0;
};

// Angles in 1/65536 degree; flatness = y radius / x radius x 10000.
struct JwcCurve {
    float cx = 0, cy = 0, radius = 1;
    int16_t flatness = 10000;
    int32_t start = 0, end = 0, tilt = 0;
    uint8_t lineType = 1, pen = 1, layer = 0;
};

struct JwcText {
    float x1 = 0, y1 = 0, x2 = 1, y2 = 0;
    uint32_t stringOffset = 0;
    uint8_t style = 0, layer = 0, flags = 0;
};

struct JwcPoint {
    float x = 0, y = 0;
    uint8_t layer = 0, pen = 1, flags = 0;
};

struct JwcHeaderPoint {
    float x = 0, y = 0;
    uint8_t layer = 0;
};

struct JwcTextStyle {
    uint16_t pen = 1;
    int16_t width = 25, height = 25, spacing = 0;  // tenths of a millimetre
};

// What both formats hold after their headers. strings is the string area,
// byte for byte (texts in Shift-JIS, each ending with a NUL).
struct JwcRecords {
    std::vector<JwcLine> lines;
    std::vector<JwcCurve> curves;
    std::vector<JwcText> texts;
    std::vector<JwcPoint> points;
    std::string strings;
};

// Header text fields by number (from 1); the writer fills the counts and
// sizes it knows unless a test gives them itself.
using JwcFields = std::map<int, std::string>;

struct JwcDrawing : JwcRecords {
    JwcDrawing();

    std::string memo;
    bool floatScales = false;  // "a.f.m": the group scales are floats
    JwcFields mainFields;      // 1-5 counts, 10 scale, 11 write layer, 12 paper, 31 view paper size
    JwcFields viewFields;      // 26, 27 view point, 28 magnification
    uint32_t stringAddress = 0;  // first address of the string area as the header keeps it
    std::string stringPointers;  // the text at 600; empty: made from stringAddress and the area's size
    std::vector<JwcHeaderPoint> headerPoints;  // points 1 to 100
    JwcTextStyle styles[11];
    double groupScale[16];
    uint8_t groupFlag[16], layerFlag[256], groupState[16], layerState[256], groupWriteLayer[16];
    std::string layerNames[256], groupNames[16];
    bool withNames = true;     // the names block after the point section
};

struct JwkSymbol : JwcRecords {
    JwcFields fields;  // 1-4 counts, 7 scale x 10, 8 string area size
};

std::vector<uint8_t> WriteJwc(const JwcDrawing& drawing);
std::vector<uint8_t> WriteJwk(const JwkSymbol& symbol);

}  // namespace jwwrite
