#pragma once
#include "foundation/images/KvoImageManagerIconHandle.h"

class CKvoImageManagerIconSet;
class CKvoImageManagerImageList;

// One command image at one size with its state variants: the images callers
// give (normal, hot, checked, pressed, disabled) and those computed on first
// use (faded, shadow, disabled). Reference counted: owners release it.
class CKvoImageManagerIcon : public CCmdTarget
{
public:
    CKvoImageManagerIcon(UINT id, int width, int height, CKvoImageManagerIconSet* set = nullptr);
    // An icon that draws image (id - the list's base id) of the list.
    CKvoImageManagerIcon(UINT id, int width, int height, CKvoImageManagerImageList* list);
    ~CKvoImageManagerIcon() override;

    // The normal image: clears every variant first and takes the image's
    // size; every icon of the set drops its computed variants.
    BOOL SetIcon(const CKvoImageManagerIconHandle& icon);
    void SetHotIcon(const CKvoImageManagerIconHandle& icon);
    void SetCheckedIcon(const CKvoImageManagerIconHandle& icon);
    void SetPressedIcon(const CKvoImageManagerIconHandle& icon);
    void SetDisabledIcon(const CKvoImageManagerIconHandle& icon);

    // Drops the computed variants; they are made again on next use, with
    // the colours of that moment.
    void Refresh();
    // Clears the variants after the normal one, and the normal one too when
    // asked.
    void Clear(BOOL normal = FALSE);

    CKvoImageManagerIconHandle& GetIcon();
    CKvoImageManagerIconHandle& GetHotIcon();
    CKvoImageManagerIconHandle& GetCheckedIcon();
    CKvoImageManagerIconHandle& GetPressedIcon();
    CKvoImageManagerIconHandle& GetDisabledIcon(BOOL create = TRUE);
    CKvoImageManagerIconHandle& GetFadedIcon();
    CKvoImageManagerIconHandle& GetShadowIcon();
    CKvoImageManagerIconHandle& GetStateIcon(int state);

    BOOL HasDisabledIcon() const;
    BOOL IsAlpha() const;
    CSize GetExtent() const;
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    UINT GetID() const { return m_id; }
    CKvoImageManagerImageList* GetImageList() const { return m_imageList; }

    // Non-alpha images drawn by turning them into alpha images and blending
    // them; callers that draw onto layered surfaces set it.
    void SetDrawComposited(BOOL composited) { m_composited = composited; }
    BOOL IsDrawComposited() const { return m_composited; }

    // The size of an icon's mask (halved for monochrome icons); 0 x 0 when
    // the icon cannot be read.
    static CSize GetIconSize(HICON icon);

    // Makes the computed disabled image when it is empty: grey by brightness,
    // or, with both colours given, a mix from dark to light by brightness.
    void CreateDisabledIcon(COLORREF light = 0xFFFFFFFF, COLORREF dark = 0xFFFFFFFF);
    void CreateFadedIcon();
    void CreateShadowIcon();

    void Draw(CDC* dc, CPoint point);
    void DrawScaled(CDC* dc, CPoint point, int cx, int cy);
    void DrawScaled(CDC* dc, CPoint point, CSize size) { DrawScaled(dc, point, size.cx, size.cy); }
    // cx 0: the icon's width; cy 0: the height scaled like the width.
    void DrawHandle(CDC* dc, CPoint point, const CKvoImageManagerIconHandle& handle, int cx = 0, int cy = 0);
    void DrawHandle(CDC* dc, CPoint point, HICON icon) { DrawHandle(dc, point, CKvoImageManagerIconHandle(icon)); }
    // The image's shape in one colour; alpha images are not drawn.
    void DrawMono(CDC* dc, CPoint point, const CKvoImageManagerIconHandle& handle, int cx, int cy, COLORREF color);

    // The icon's record: height, schema, then its given variants.
    void Serialize(CArchive& ar) override;

private:
    enum Variant
    {
        normalVariant,
        fadedVariant,
        shadowVariant,
        hotVariant,
        checkedVariant,
        pressedVariant,
        disabledVariant,
        computedDisabledVariant,
        variantCount
    };

    void Init(UINT id, int width, int height, CKvoImageManager* manager);
    void SetVariant(Variant variant, const CKvoImageManagerIconHandle& icon);
    CSize DrawSize(int cx, int cy) const;

    BOOL m_composited;
    UINT m_id;
    int m_width;
    int m_height;
    CKvoImageManagerIconHandle m_variants[variantCount];
    CKvoImageManagerIconSet* m_set;              // owns the icon; not owned
    CKvoImageManagerImageList* m_imageList;      // not owned
};
