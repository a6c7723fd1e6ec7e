#pragma once
#include <cstddef>
#include <cstdint>

// Where things lie in the older Jw_cad files: .jwc drawings (a 2400-byte
// header, a layer block and five sections of fixed-size records) and .jwk part
// files (a short text header and the same records). Numbers are
// little-endian, floats single precision, texts in the ANSI code page.
namespace jwc {

constexpr size_t kSignatureSize = 20;
constexpr char kDrawingSignature[] = "jw_cad(c)data.......";
constexpr char kSymbolSignature[] = "jw_cad(c)sym........";

// .jwc header.
constexpr size_t kHeaderSize = 2400;
constexpr size_t kFloatScaleMarkOffset = 20;  // "a.f.m": the group scales are floats
constexpr char kFloatScaleMark[] = "a.f.m";
constexpr size_t kFloatScaleMarkSize = 5;
constexpr size_t kMemoOffset = 40;
constexpr size_t kMemoSize = 64;
constexpr size_t kMainTextOffset = 200;
constexpr size_t kViewTextOffset = 400;
constexpr size_t kHeaderTextSize = 200;
constexpr size_t kStringPointersOffset = 600;  // four hex numbers, each with one separator
constexpr size_t kStringPointersEnd = 800;
constexpr size_t kHeaderPointXOffset = 800;    // floats of points 0 to 100 (0 unused)
constexpr size_t kHeaderPointYOffset = 1204;
constexpr size_t kHeaderPointLayerOffset = 1608;
constexpr int kHeaderPointLast = 100;
constexpr size_t kStylePenOffset = 1709;       // 11 x u16
constexpr size_t kStyleWidthOffset = 1731;     // 11 x s16, tenths of a millimetre
constexpr size_t kStyleHeightOffset = 1753;
constexpr size_t kStyleSpacingOffset = 1775;
constexpr int kStyleCount = 11;
constexpr size_t kGroupScaleOffset = 1797;     // 16 x s16, or 16 x float with "a.f.m"
constexpr uint32_t kDataOffsetShortScales = 1829;
constexpr uint32_t kDataOffsetFloatScales = 1861;

// The layer block that follows the header's group scales.
constexpr size_t kLayerBlockSize = 560;
constexpr size_t kGroupFlagOffset = 0;
constexpr size_t kLayerFlagOffset = 16;
constexpr size_t kGroupStateOffset = 272;
constexpr size_t kLayerStateOffset = 288;
constexpr size_t kGroupWriteLayerOffset = 544;

// After the last section: 256 layer names, then 16 group names.
constexpr size_t kLayerNameSize = 8;
constexpr size_t kGroupNameSize = 16;
constexpr size_t kNamesBlockSize = 256 * kLayerNameSize + 16 * kGroupNameSize;

// Fields of the .jwc main and view texts (numbered from 1).
enum MainField {
    kFieldLineCount = 1,
    kFieldCurveCount = 2,
    kFieldTextCount = 3,
    kFieldPointCount = 4,
    kFieldMarkCount = 5,
    kFieldScale = 10,
    kFieldWriteLayer = 11,
    kFieldPaper = 12,
    kFieldViewPaperSize = 31,
};
enum ViewField {
    kFieldViewX = 26,
    kFieldViewY = 27,
    kFieldViewMagnification = 28,
};
constexpr double kDefaultViewPaperSize = 518.0;

// .jwk header: the text at 200; the records begin at 400.
constexpr size_t kSymbolTextOffset = 200;
constexpr uint32_t kSymbolDataOffset = 400;
enum SymbolField {
    kSymbolFieldLineCount = 1,
    kSymbolFieldCurveCount = 2,
    kSymbolFieldPointCount = 3,
    kSymbolFieldTextCount = 4,
    kSymbolFieldScale10 = 7,
    kSymbolFieldStringSize = 8,
};

}  // namespace jwc
