#pragma once
#include "markup/core/KvoMarkupObject.h"

class CKvoMarkupGridLength;

// What a definition is during one layout pass.
namespace KvoMarkupGridSizeType {
enum : int { None = 0, Pixel = 1, Auto = 2, Star = 4 };
}

// A grid column or row: the user's size, minimum and maximum, and the
// layout fields the grid works out in its measure and arrange passes. It
// reports the object's type record.
class CKvoMarkupDefinitionBase : public CKvoMarkupObject {
public:
    BOOL IsColumn() const { return m_bIsColumn; }
    // Width or Height: 1 star by default, so null only before the
    // definition types are registered.
    const CKvoMarkupGridLength* GetUserSize() const;
    // The unit of the user's size; Star when there is none.
    int GetUserUnit() const;
    // The user's star weight for layout (see CKvoMarkupGridLength).
    double GetUserStarWeight() const;
    // The user's pixels, whole and saturated.
    int GetUserPixels() const;
    // MinWidth or MinHeight, 0 when unset.
    int GetUserMinSize() const;
    // MaxWidth or MaxHeight, unbounded when unset.
    int GetUserMaxSize() const;
    BOOL HasUserMaxSize() const;

    // Layout fields, owned by the grid's passes.
    int minSize;
    int sizeType;
    double measureSize;
    double sizeCache;
    int finalOffset;

protected:
    explicit CKvoMarkupDefinitionBase(BOOL isColumn);

private:
    const CKvoMarkupDependencyProperty* SizeProperty() const;
    const CKvoMarkupDependencyProperty* MinProperty() const;
    const CKvoMarkupDependencyProperty* MaxProperty() const;
    const BOOL m_bIsColumn;
};

class CKvoMarkupColumnDefinition : public CKvoMarkupDefinitionBase {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupColumnDefinition() : CKvoMarkupDefinitionBase(TRUE) {}
    // "Width": GridLength, 1 star; "MinWidth", "MaxWidth": Int.
    static CKvoMarkupDependencyProperty* s_widthProperty;
    static CKvoMarkupDependencyProperty* s_minWidthProperty;
    static CKvoMarkupDependencyProperty* s_maxWidthProperty;
    static void RegisterMarkupProperties();
};

class CKvoMarkupRowDefinition : public CKvoMarkupDefinitionBase {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupRowDefinition() : CKvoMarkupDefinitionBase(FALSE) {}
    // "Height": GridLength, 1 star; "MinHeight", "MaxHeight": Int.
    static CKvoMarkupDependencyProperty* s_heightProperty;
    static CKvoMarkupDependencyProperty* s_minHeightProperty;
    static CKvoMarkupDependencyProperty* s_maxHeightProperty;
    static void RegisterMarkupProperties();
};
