#include <gtest/gtest.h>
#include <afxwin.h>
#include <vector>
#include "Office2007BlackGeometry.h"
#include "foundation/images/KvoOffice2007Images.h"
#include "toolkit/foundation/Office2007DiagnosticThemeScope.h"

namespace {

const COLORREF kCanvasGround = RGB(255, 255, 255);

// A 32-bit top-down DIB with a memory DC to draw into and read back.
class ThemeCanvas {
public:
    ThemeCanvas(int width, int height) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<const DWORD*>(bits);
        m_dc.CreateCompatibleDC(nullptr);
        m_replaced = ::SelectObject(m_dc.m_hDC, m_bitmap);
        m_dc.FillSolidRect(0, 0, width, height, kCanvasGround);
    }
    ~ThemeCanvas()
    {
        ::SelectObject(m_dc.m_hDC, m_replaced);
        ::DeleteObject(m_bitmap);
    }
    CDC* DC() { return &m_dc; }
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        const DWORD pixel = m_bits[y * m_width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

private:
    int m_width, m_height;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_replaced = nullptr;
    const DWORD* m_bits = nullptr;
    CDC m_dc;
};

// Which of a cell's nine parts a pixel of the picture lies in: 2 corners,
// 1 edges, 0 the middle (as the theme's pictures are painted).
int PartAt(const Office2007BlackPicture& picture, int x, int y)
{
    const bool inColumn = x < picture.left || x >= picture.cellWidth - picture.right;
    const bool inRow = y < picture.top || y >= picture.cellHeight - picture.bottom;
    return inColumn && inRow ? 2 : inColumn || inRow ? 1 : 0;
}

CString Upper(const wchar_t* name)
{
    CString upper(name);
    return upper.MakeUpper();
}

// A set of the test's own on the diagnostic theme module, whose pictures
// tell cells and parts apart by colour.
class KvoOffice2007ImagesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_images.SetHandle(m_diagnostic.Module())); }

    const Office2007BlackPicture& Picture(const wchar_t* name)
    {
        for (const Office2007BlackPicture& picture : kOffice2007BlackPictures) {
            if (_wcsicmp(picture.name, name) == 0)
                return picture;
        }
        ADD_FAILURE() << "no picture " << CStringA(name).GetString();
        return kOffice2007BlackPictures[0];
    }

    Office2007DiagnosticThemeScope m_diagnostic;
    CKvoOffice2007Images m_images;
};

// Every picture the description lists loads by its upper-case name, once,
// with its cells stacked as the geometry says; each cell drawn at its own
// size shows its nine parts where the sizing margins put them.
TEST_F(KvoOffice2007ImagesTest, EveryPictureLoadsWithItsGeometry)
{
    EXPECT_TRUE(m_images.IsValid());
    for (const Office2007BlackPicture& picture : kOffice2007BlackPictures) {
        const CStringA what(picture.name);
        CKvoOffice2007Image* image = m_images.LoadFile(Upper(picture.name));
        ASSERT_NE(image, nullptr) << what.GetString();
        EXPECT_EQ(m_images.LoadFile(Upper(picture.name)), image) << "cached";
        EXPECT_EQ(image->GetExtent(), CSize(picture.cellWidth, picture.cellHeight * picture.cells)) << what.GetString();
        EXPECT_EQ(image->HasAlpha(), picture.alpha ? TRUE : FALSE) << what.GetString();
        EXPECT_FALSE(image->IsAlphaImage());
        for (int cell = 0; cell < picture.cells; ++cell) {
            const CRect source = image->GetSource(cell, picture.cells);
            ASSERT_EQ(source, CRect(0, cell * picture.cellHeight, picture.cellWidth, (cell + 1) * picture.cellHeight))
                << what.GetString();
            ThemeCanvas canvas(picture.cellWidth, picture.cellHeight);
            image->DrawImageNoMargins(canvas.DC(), CRect(0, 0, picture.cellWidth, picture.cellHeight), source);
            for (int y = 0; y < picture.cellHeight; ++y) {
                for (int x = 0; x < picture.cellWidth; ++x) {
                    ASSERT_EQ(canvas.Pixel(x, y), Office2007BlackPartColour(cell, PartAt(picture, x, y)))
                        << what.GetString() << " cell " << cell << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST_F(KvoOffice2007ImagesTest, ColoursOfTheDescription)
{
    for (const Office2007BlackColour& colour : kOffice2007BlackColours)
        EXPECT_EQ(m_images.GetImageColor(colour.section, colour.key), RGB(colour.red, colour.green, colour.blue));
    EXPECT_EQ(m_images.GetImageColor(L"controls", L"groupboxframe"), RGB(70, 70, 70));
    EXPECT_EQ(m_images.GetImageColor(L"Controls", L"Missing"), CLR_NONE);
    EXPECT_EQ(m_images.GetImageColor(L"Missing", L"GroupBoxFrame"), CLR_NONE);
    EXPECT_STREQ(m_images.GetProfileString(L"Images", L"PushButton"), L"OFFICE2007BLACK\\PUSHBUTTON.BMP");
}

// The shared set starts with the library's own theme; the diagnostic scope
// serves its pictures for a while and puts the library's back.
TEST(KvoOffice2007SharedImagesTest, LibraryThemeAndTheDiagnosticScope)
{
    CKvoOffice2007Images* shared = CKvoOffice2007Images::Instance();
    ASSERT_EQ(shared, CKvoOffice2007Images::Instance());
    ASSERT_TRUE(shared->IsValid());
    const HMODULE library = shared->GetHandle();
    EXPECT_EQ(library, AfxGetInstanceHandle());
    EXPECT_EQ(shared->GetImageColor(L"Controls", L"GroupBoxFrame"), RGB(70, 70, 70));
    const auto middleOfFirstCell = [shared]() {
        CKvoOffice2007Image* image = shared->LoadFile(L"PUSHBUTTON");
        if (image == nullptr)
            return CLR_NONE;
        ThemeCanvas canvas(50, 22);
        image->DrawImageNoMargins(canvas.DC(), CRect(0, 0, 50, 22), image->GetSource(0, 5));
        return canvas.Pixel(25, 11);
    };
    EXPECT_NE(middleOfFirstCell(), Office2007BlackPartColour(0, 0));
    {
        Office2007DiagnosticThemeScope diagnostic;
        ASSERT_TRUE(diagnostic.IsInstalled());
        EXPECT_EQ(shared->GetHandle(), diagnostic.Module());
        EXPECT_EQ(middleOfFirstCell(), Office2007BlackPartColour(0, 0));
        EXPECT_EQ(shared->GetImageColor(L"Controls", L"GroupBoxFrame"), RGB(70, 70, 70)) << "the same theme text";
    }
    EXPECT_EQ(shared->GetHandle(), library);
    EXPECT_NE(middleOfFirstCell(), Office2007BlackPartColour(0, 0));
}

TEST_F(KvoOffice2007ImagesTest, MissingPicturesAndTexts)
{
    EXPECT_EQ(m_images.LoadFile(L"NOSUCHPICTURE"), nullptr);
    EXPECT_EQ(m_images.LoadFile(L"NOSUCHPICTURE"), nullptr) << "a failure is not cached";
    EXPECT_EQ(m_images.LoadFile(nullptr), nullptr);
    EXPECT_EQ(m_images.LoadFile(L""), nullptr);

    // Without its text every picture name is its own resource name.
    EXPECT_FALSE(m_images.SetHandle(m_diagnostic.Module(), L"NO.SUCH"));
    EXPECT_FALSE(m_images.IsValid());
    EXPECT_EQ(m_images.GetImageColor(L"Controls", L"GroupBoxFrame"), CLR_NONE);
    EXPECT_EQ(m_images.LoadFile(L"PUSHBUTTON"), nullptr);
    EXPECT_NE(m_images.LoadFile(L"OFFICE2007BLACK.PUSHBUTTON.BMP"), nullptr);

    // No name: the blue theme is missing, so the module's first text.
    EXPECT_TRUE(m_images.SetHandle(m_diagnostic.Module(), nullptr));
    EXPECT_EQ(m_images.GetImageColor(L"Controls", L"GroupBoxFrame"), RGB(70, 70, 70));
    EXPECT_TRUE(m_images.SetHandle(m_diagnostic.Module(), L"OFFICE2007BLACK.INI")) << "'.' read as '_'";

    EXPECT_FALSE(m_images.SetHandle(nullptr));
    EXPECT_EQ(m_images.LoadFile(L"PUSHBUTTON"), nullptr);
    EXPECT_EQ(m_images.GetImageColor(L"Controls", L"GroupBoxFrame"), CLR_NONE);
}

// A listener hears of every switch of the theme, and can read the new
// colours from inside the event.
TEST_F(KvoOffice2007ImagesTest, NewThemeIsAnnounced)
{
    struct Listener : CKvoEventSink {
        CKvoOffice2007Images* images = nullptr;
        std::vector<COLORREF> frames;
        void OnEvent(DWORD code, WPARAM wParam, LPARAM lParam, DWORD) override
        {
            EXPECT_EQ(code, CKvoOffice2007Images::ThemeChangedEvent);
            EXPECT_EQ(wParam, 0u);
            EXPECT_EQ(lParam, 0);
            frames.push_back(images->GetImageColor(L"Controls", L"GroupBoxFrame"));
        }
    } listener;
    listener.images = &m_images;
    const DWORD id = m_images.GetConnection()->Connect(CKvoOffice2007Images::ThemeChangedEvent, &listener);
    m_images.SetHandle(nullptr);
    m_images.SetHandle(m_diagnostic.Module());
    ASSERT_EQ(listener.frames.size(), 2u);
    EXPECT_EQ(listener.frames[0], CLR_NONE);
    EXPECT_EQ(listener.frames[1], RGB(70, 70, 70));
    m_images.GetConnection()->Disconnect(id);
}

// The cache empties with RemoveAll and with a new module: the next request
// loads afresh.
TEST_F(KvoOffice2007ImagesTest, RemoveAllEmptiesTheCache)
{
    CKvoOffice2007Image* first = m_images.LoadFile(L"PUSHBUTTON");
    ASSERT_NE(first, nullptr);
    m_images.RemoveAll();
    CKvoOffice2007Image* second = m_images.LoadFile(L"PUSHBUTTON");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetWidth(), 50);
}

// A button face of 50 x 22 drawn into 100 x 22 keeps its 3-pixel corner
// columns and stretches only the middle; drawn 100 x 40 also the rows. The
// ground around the destination stays.
TEST_F(KvoOffice2007ImagesTest, DrawImageStretchesTheMiddleAndKeepsTheMargins)
{
    const Office2007BlackPicture& face = Picture(L"PushButton");
    CKvoOffice2007Image* image = m_images.LoadFile(L"PUSHBUTTON");
    ASSERT_NE(image, nullptr);
    const int cell = 4;
    const COLORREF middle = Office2007BlackPartColour(cell, 0);
    const COLORREF edge = Office2007BlackPartColour(cell, 1);
    const COLORREF corner = Office2007BlackPartColour(cell, 2);
    for (COLORREF transparent : {CLR_NONE, RGB(255, 0, 255)}) {
        ThemeCanvas canvas(120, 60);
        image->DrawImage(canvas.DC(), CRect(10, 5, 110, 27), image->GetSource(cell, face.cells), CRect(3, 3, 3, 3),
                         transparent);
        // Same height: whole rows, the corner columns at their width.
        EXPECT_EQ(canvas.Pixel(10, 5), corner);
        EXPECT_EQ(canvas.Pixel(12, 5), corner);
        EXPECT_EQ(canvas.Pixel(13, 5), edge);
        EXPECT_EQ(canvas.Pixel(106, 5), edge);
        EXPECT_EQ(canvas.Pixel(107, 5), corner);
        EXPECT_EQ(canvas.Pixel(109, 26), corner);
        EXPECT_EQ(canvas.Pixel(10, 15), edge);
        EXPECT_EQ(canvas.Pixel(13, 15), middle);
        EXPECT_EQ(canvas.Pixel(60, 15), middle);
        EXPECT_EQ(canvas.Pixel(106, 15), middle);
        EXPECT_EQ(canvas.Pixel(107, 15), edge);
        EXPECT_EQ(canvas.Pixel(9, 15), kCanvasGround);
        EXPECT_EQ(canvas.Pixel(110, 15), kCanvasGround);
        EXPECT_EQ(canvas.Pixel(60, 27), kCanvasGround);

        image->DrawImage(canvas.DC(), CRect(0, 20, 100, 60), image->GetSource(cell, face.cells), CRect(3, 3, 3, 3),
                         transparent);
        EXPECT_EQ(canvas.Pixel(2, 22), corner);
        EXPECT_EQ(canvas.Pixel(2, 23), edge);
        EXPECT_EQ(canvas.Pixel(50, 22), edge);
        EXPECT_EQ(canvas.Pixel(50, 23), middle);
        EXPECT_EQ(canvas.Pixel(50, 56), middle);
        EXPECT_EQ(canvas.Pixel(50, 57), edge);
        EXPECT_EQ(canvas.Pixel(97, 59), corner);
    }
}

// Margins that do not fit the destination are shared out: 4 rows with
// margins 3 and 3 give 2 top rows and 3 bottom rows, which overlap.
TEST_F(KvoOffice2007ImagesTest, SmallDestinationSharesTheMargins)
{
    const Office2007BlackPicture& face = Picture(L"PushButton");
    CKvoOffice2007Image* image = m_images.LoadFile(L"PUSHBUTTON");
    ASSERT_NE(image, nullptr);
    ThemeCanvas canvas(60, 10);
    image->DrawImagePart(canvas.DC(), CRect(0, 0, 60, 4), image->GetSource(0, face.cells), CRect(3, 3, 3, 3));
    // Row 0 from the top margin; rows 1 to 3 are the bottom margin's three
    // rows drawn last, over the top margin's second row.
    EXPECT_EQ(canvas.Pixel(30, 0), Office2007BlackPartColour(0, 1));
    EXPECT_EQ(canvas.Pixel(0, 3), Office2007BlackPartColour(0, 2));
    EXPECT_EQ(canvas.Pixel(30, 4), kCanvasGround);
}

// Nothing is drawn for margins taller than the source, or an empty
// destination.
TEST_F(KvoOffice2007ImagesTest, ImpossibleDrawingsLeaveTheGround)
{
    CKvoOffice2007Image* image = m_images.LoadFile(L"PUSHBUTTON");
    ASSERT_NE(image, nullptr);
    ThemeCanvas canvas(60, 30);
    image->DrawImage(canvas.DC(), CRect(0, 0, 60, 30), image->GetSource(0, 5), CRect(3, 12, 3, 12), CLR_NONE);
    image->DrawImagePart(canvas.DC(), CRect(5, 5, 5, 25), image->GetSource(0, 5), CRect(0, 0, 0, 0));
    for (int y = 0; y < 30; y += 3)
        EXPECT_EQ(canvas.Pixel(5, y), kCanvasGround);
}

// An alpha picture (the frame's top) blends onto the ground; opaque
// pixels show their own colour.
TEST_F(KvoOffice2007ImagesTest, AlphaPictureBlends)
{
    const Office2007BlackPicture& top = Picture(L"FrameTopCenter");
    CKvoOffice2007Image* image = m_images.LoadFile(L"FRAMETOPCENTER");
    ASSERT_NE(image, nullptr);
    ASSERT_TRUE(image->HasAlpha());
    ThemeCanvas canvas(40, 40);
    image->DrawImage(canvas.DC(), CRect(0, 0, 40, 40), image->GetSource(1, top.cells), CRect(0, 5, 0, 3),
                     RGB(255, 0, 255));
    EXPECT_EQ(canvas.Pixel(20, 0), Office2007BlackPartColour(1, 1));
    EXPECT_EQ(canvas.Pixel(20, 20), Office2007BlackPartColour(1, 0));
    EXPECT_EQ(canvas.Pixel(20, 39), Office2007BlackPartColour(1, 1));
}

// For a glass frame every drawn pixel is opaque but those of the
// transparent colour, which leave the ground.
TEST_F(KvoOffice2007ImagesTest, OpaqueOnGlass)
{
    CKvoOffice2007Image* image = m_images.LoadFile(L"PUSHBUTTON");
    ASSERT_NE(image, nullptr);
    ThemeCanvas canvas(60, 30);
    image->DrawImageTransparent(canvas.DC(), CRect(0, 0, 50, 22), image->GetSource(2, 5), CRect(3, 3, 3, 3),
                                RGB(255, 0, 255), CKvoOffice2007Image::DrawOpaqueOnGlass);
    EXPECT_EQ(canvas.Pixel(1, 1), Office2007BlackPartColour(2, 2));
    EXPECT_EQ(canvas.Pixel(25, 10), Office2007BlackPartColour(2, 0));
    EXPECT_EQ(canvas.Pixel(55, 10), kCanvasGround);
}

} // namespace
