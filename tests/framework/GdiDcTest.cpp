// CDC and the GDI object classes: ownership of handles, the handle maps,
// selection, and drawing read back from a DIB section.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <thread>

namespace
{

// A 32 x 32 24-bit DIB section selected into a memory DC held by a CDC.
class CDibFixture
{
public:
    CDibFixture()
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kSide;
        info.bmiHeader.biHeight = kSide;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        m_bitmap.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &m_pBits, NULL, 0));
        m_dc.CreateCompatibleDC(NULL);
        m_pOld = m_dc.SelectObject(&m_bitmap);
    }
    ~CDibFixture()
    {
        m_dc.SelectObject(m_pOld);
    }

    // The colour stored at (x, y), top-down coordinates; rows are bottom-up
    // and hold B, G, R.
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        const BYTE* row = static_cast<const BYTE*>(m_pBits) + (kSide - 1 - y) * kStride;
        const BYTE* p = row + x * 3;
        return RGB(p[2], p[1], p[0]);
    }

    static const int kSide = 32;
    static const int kStride = (kSide * 3 + 3) & ~3;
    CBitmap m_bitmap;
    CDC m_dc;
    CBitmap* m_pOld = nullptr;
    void* m_pBits = nullptr;
};

} // namespace

TEST(CDC, AttachDetachAndDelete)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(hDC));
        EXPECT_EQ(dc.m_hAttribDC, hDC);
        EXPECT_FALSE(dc.Attach(hDC)) << "a DC is held already";
        EXPECT_EQ(CDC::FromHandle(hDC), &dc) << "the attached object answers for its handle";
        EXPECT_EQ(dc.Detach(), hDC);
        EXPECT_EQ(dc.m_hAttribDC, static_cast<HDC>(NULL));
        EXPECT_NE(CDC::FromHandle(hDC), &dc);
    }
    EXPECT_EQ(::GetObjectType(hDC), static_cast<DWORD>(OBJ_MEMDC)) << "a detached DC survives its object";
    {
        CDC dc;
        dc.Attach(hDC);
    }
    EXPECT_EQ(::GetObjectType(hDC), 0u) << "the object deletes the DC it holds";
}

TEST(CDC, TemporaryObjectsLeaveTheirHandles)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    AfxLockTempMaps();
    CDC* pTempDC = CDC::FromHandle(hDC);
    ASSERT_NE(pTempDC, nullptr);
    EXPECT_EQ(pTempDC->m_hDC, hDC);
    EXPECT_EQ(CDC::FromHandle(hDC), pTempDC) << "one temporary object per handle";
    CGdiObject* pTempPen = CGdiObject::FromHandle(hPen);
    ASSERT_NE(pTempPen, nullptr);
    EXPECT_TRUE(pTempPen->IsKindOf(RUNTIME_CLASS(CPen))) << "a temporary object has its handle's kind";
    EXPECT_EQ(CPen::FromHandle(hPen), pTempPen);
    EXPECT_FALSE(AfxUnlockTempMaps());
    EXPECT_EQ(::GetObjectType(hDC), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(::GetObjectType(hPen), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(CDC::FromHandle(NULL), nullptr);
    EXPECT_FALSE(AfxUnlockTempMaps()) << "an unlock without a lock does nothing";
    ::DeleteObject(hPen);
    ::DeleteDC(hDC);
}

TEST(CDC, AttachedObjectsAnswerOnEveryThread)
{
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(9, 9, 9)));
    CGdiObject* pFound = nullptr;
    std::thread([&] { pFound = CGdiObject::FromHandle(brush.m_hObject); }).join();
    EXPECT_EQ(pFound, &brush);
}

TEST(CGdiObject, KindsFromHandle)
{
    struct Case
    {
        HGDIOBJ hObject;
        const CRuntimeClass* pClass;
    };
    const Case cases[] = {
        {::GetStockObject(BLACK_PEN), RUNTIME_CLASS(CPen)},
        {::GetStockObject(WHITE_BRUSH), RUNTIME_CLASS(CBrush)},
        {::GetStockObject(DEFAULT_GUI_FONT), RUNTIME_CLASS(CFont)},
        {::GetStockObject(DEFAULT_PALETTE), RUNTIME_CLASS(CPalette)},
    };
    AfxLockTempMaps();
    for (const Case& c : cases)
    {
        CGdiObject* pObject = CGdiObject::FromHandle(c.hObject);
        ASSERT_NE(pObject, nullptr);
        EXPECT_TRUE(pObject->IsKindOf(c.pClass)) << c.pClass->m_lpszClassName;
    }
    AfxUnlockTempMaps();
}

TEST(CGdiObject, ThrowingConstructorsAndDelete)
{
    LOGBRUSH lb = {BS_SOLID, RGB(0, 0, 0), 0};
    const DWORD zeros[2] = {0, 0};
    bool thrown = false;
    try
    {
        CPen pen(PS_GEOMETRIC | PS_USERSTYLE, 1, &lb, 2, zeros);
    }
    catch (CResourceException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown) << "an all-zero style makes no pen";

    CPen pen(PS_DOT, 1, RGB(1, 2, 3));
    LOGPEN logPen = {};
    ASSERT_EQ(pen.GetLogPen(&logPen), static_cast<int>(sizeof logPen));
    EXPECT_EQ(logPen.lopnStyle, static_cast<UINT>(PS_DOT));
    HGDIOBJ hPen = pen.m_hObject;
    EXPECT_TRUE(pen.DeleteObject());
    EXPECT_EQ(::GetObjectType(hPen), 0u);
    EXPECT_FALSE(pen.DeleteObject()) << "nothing left to delete";
}

TEST(CFont, PointFontAndLogFont)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, L"Arial"));
    LOGFONT logFont = {};
    ASSERT_EQ(font.GetLogFont(&logFont), static_cast<int>(sizeof logFont));
    HDC hScreen = ::GetDC(NULL);
    int expected = -::MulDiv(::GetDeviceCaps(hScreen, LOGPIXELSY), 120, 720);
    ::ReleaseDC(NULL, hScreen);
    EXPECT_EQ(logFont.lfHeight, expected) << "12 points in pixels, as a character height";
    EXPECT_STREQ(logFont.lfFaceName, L"Arial");
}

TEST(CRgn, CombineAndHitTest)
{
    CRgn outer, inner, ring;
    ASSERT_TRUE(outer.CreateEllipticRgn(0, 0, 20, 20));
    ASSERT_TRUE(inner.CreateEllipticRgn(5, 5, 15, 15));
    ASSERT_TRUE(ring.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(ring.CombineRgn(&outer, &inner, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(ring.PtInRegion(10, 10)) << "the hole";
    EXPECT_TRUE(ring.PtInRegion(2, 10)) << "the band";
    CRect box;
    EXPECT_NE(ring.GetRgnBox(&box), ERROR);
    EXPECT_EQ(box.TopLeft(), CPoint(0, 0));
    EXPECT_GE(box.right, 19) << "an elliptic region may leave out its last column";
    EXPECT_LE(box.right, 20);
    CRgn copy;
    copy.CreateRectRgn(0, 0, 1, 1);
    copy.CopyRgn(&ring);
    EXPECT_TRUE(copy.EqualRgn(&ring));
    copy.OffsetRgn(CPoint(1, 0));
    EXPECT_FALSE(copy.EqualRgn(&ring));
}

TEST(CDC, DrawsIntoADibSection)
{
    CDibFixture dib;
    CDC& dc = dib.m_dc;
    ASSERT_NE(dib.m_pOld, nullptr) << "the previous bitmap comes back as an object";
    EXPECT_TRUE(dib.m_pOld->IsKindOf(RUNTIME_CLASS(CBitmap)));

    dc.FillSolidRect(0, 0, 32, 32, RGB(255, 255, 255));
    EXPECT_EQ(dc.GetBkColor(), RGB(255, 255, 255)) << "the fill leaves its colour as background";
    EXPECT_EQ(dib.Pixel(31, 31), RGB(255, 255, 255));

    CPen pen(PS_SOLID, 1, RGB(10, 20, 30));
    CPen* pOldPen = dc.SelectObject(&pen);
    ASSERT_NE(pOldPen, nullptr);
    dc.MoveTo(0, 5);
    EXPECT_TRUE(dc.LineTo(10, 5));
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(10, 5));
    EXPECT_EQ(dib.Pixel(3, 5), RGB(10, 20, 30)) << "24-bit rows hold blue, green, red";
    EXPECT_EQ(dib.Pixel(10, 5), RGB(255, 255, 255)) << "a line leaves out its last point";
    EXPECT_EQ(dc.SelectObject(pOldPen), &pen);

    CBrush brush(RGB(200, 0, 0));
    CRgn rgn;
    rgn.CreateRectRgn(20, 20, 24, 24);
    EXPECT_TRUE(dc.FillRgn(&rgn, &brush));
    EXPECT_EQ(dib.Pixel(21, 21), RGB(200, 0, 0));
    EXPECT_TRUE(dc.SetPixelV(CPoint(1, 1), RGB(0, 0, 255)));
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 0, 255));
}

TEST(CDC, StretchesOneDcIntoAnother)
{
    CDibFixture source, target;
    source.m_dc.FillSolidRect(0, 0, 32, 32, RGB(0, 128, 0));
    target.m_dc.FillSolidRect(0, 0, 32, 32, RGB(255, 255, 255));
    target.m_dc.SetStretchBltMode(COLORONCOLOR);
    EXPECT_EQ(target.m_dc.GetStretchBltMode(), COLORONCOLOR);
    EXPECT_TRUE(target.m_dc.StretchBlt(0, 0, 16, 16, &source.m_dc, 0, 0, 32, 32, SRCCOPY));
    EXPECT_EQ(target.Pixel(8, 8), RGB(0, 128, 0));
    EXPECT_EQ(target.Pixel(20, 20), RGB(255, 255, 255));
}

TEST(CDC, TextAttributesAndExtent)
{
    CDibFixture dib;
    CDC& dc = dib.m_dc;
    EXPECT_EQ(dc.SetTextColor(RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));
    dc.SetBkMode(TRANSPARENT);
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
    CSize extent = dc.GetTextExtent(CString(L"WWW"));
    EXPECT_GT(extent.cx, 0);
    EXPECT_GT(extent.cy, 0);
    EXPECT_GT(dc.SaveDC(), 0);
    dc.SetTextColor(RGB(7, 7, 7));
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));
}

TEST(AtlTypes, RectPointAndSize)
{
    CRect rect(10, 20, 30, 60);
    EXPECT_EQ(rect.Width(), 20);
    EXPECT_EQ(rect.Height(), 40);
    EXPECT_EQ(rect.CenterPoint(), CPoint(20, 40));
    EXPECT_EQ(rect.Size(), CSize(20, 40));
    rect.OffsetRect(CPoint(-10, -20));
    EXPECT_EQ(rect, CRect(0, 0, 20, 40));
    rect.DeflateRect(1, 2);
    EXPECT_EQ(rect.TopLeft(), CPoint(1, 2));
    EXPECT_EQ(rect.BottomRight(), CPoint(19, 38));
    CRect swapped(5, 5, 0, 0);
    swapped.NormalizeRect();
    EXPECT_EQ(swapped, CRect(0, 0, 5, 5));
    EXPECT_EQ(CPoint(5, 7) - CPoint(2, 3), CSize(3, 4));
    EXPECT_EQ(CPoint(MAKELPARAM(-3, 4)), CPoint(-3, 4)) << "mouse coordinates are signed";
    EXPECT_TRUE((CRect(0, 0, 2, 2) & CRect(5, 5, 6, 6)).IsRectEmpty());
}
