#pragma once
#include <windows.h>
#include <vector>
#include "markup/core/KvoMarkupObject.h"

// An immutable list of whole-pixel points with bounds from (0, 0) to the
// largest x and y (never below 0).
class CKvoMarkupPointCollection : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupPointCollection() : m_bounds{0, 0, 0, 0} {}
    explicit CKvoMarkupPointCollection(const std::vector<POINT>& points);
    const std::vector<POINT>& GetPoints() const { return m_points; }
    const RECT& GetBounds() const { return m_bounds; }
    // Text of integer pairs "x,y x,y ..." (blanks or commas between
    // numbers); no value when any number is malformed, missing or beyond
    // the int32 range.
    CKvoMarkupObject* ConvertFrom(CKvoMarkupObject* value) override;
    // The points of text, or FALSE by the rules of ConvertFrom.
    static BOOL ParsePoints(LPCWSTR text, std::vector<POINT>* points);

private:
    std::vector<POINT> m_points;
    RECT m_bounds;
};
