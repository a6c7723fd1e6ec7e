// The library's own Office 2007 black pictures, as the shared set serves
// them: the geometry of every picture, the looks of its cells, and a
// contact sheet of all of them for a person to look at.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "Office2007BlackGeometry.h"
#include "foundation/images/KvoOffice2007Images.h"
#include "framework/WindowTestSupport.h"
#include "toolkit/foundation/DibCanvas.h"

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);

std::string NameOf(const Office2007BlackPicture& picture)
{
    return std::string(CStringA(picture.name).GetString());
}

CKvoOffice2007Image* LibraryPicture(const Office2007BlackPicture& picture)
{
    CString upper(picture.name);
    return CKvoOffice2007Images::Instance()->LoadFile(upper.MakeUpper());
}

// The pixels of one state cell drawn at its own size, row by row.
std::vector<COLORREF> CellPixels(CKvoOffice2007Image* image, const Office2007BlackPicture& picture, int cell)
{
    DibCanvas canvas(picture.cellWidth, picture.cellHeight, kMagenta);
    image->DrawImageNoMargins(canvas.DC(), CRect(0, 0, picture.cellWidth, picture.cellHeight),
                              image->GetSource(cell, picture.cells));
    std::vector<COLORREF> pixels;
    for (int y = 0; y < picture.cellHeight; ++y) {
        for (int x = 0; x < picture.cellWidth; ++x)
            pixels.push_back(canvas.Pixel(x, y));
    }
    return pixels;
}

// The colours inside a cell's 1-pixel border; a strip too thin for a
// border (the slider's track) counts whole.
size_t InnerColours(const std::vector<COLORREF>& pixels, const Office2007BlackPicture& picture)
{
    const int inset = picture.cellWidth > 5 && picture.cellHeight > 5 ? 1 : 0;
    std::set<COLORREF> colours;
    for (int y = inset; y < picture.cellHeight - inset; ++y) {
        for (int x = inset; x < picture.cellWidth - inset; ++x)
            colours.insert(pixels[y * picture.cellWidth + x]);
    }
    return colours.size();
}

class KvoOffice2007LibraryThemeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CKvoOffice2007Images::Instance()->GetHandle(), AfxGetInstanceHandle()) << "the library's own theme";
    }
};

// Every picture: its size is the state count times the cell height; faces
// and gradients are shaded in every cell, not one flat colour; glyphs are
// ink on the transparent ground; the states of a face differ from each other.
TEST_F(KvoOffice2007LibraryThemeTest, EveryPictureLooksLikeItsFamily)
{
    ASSERT_EQ(std::size(kOffice2007BlackPictures), 175u);
    for (const Office2007BlackPicture& picture : kOffice2007BlackPictures) {
        SCOPED_TRACE(NameOf(picture));
        CKvoOffice2007Image* image = LibraryPicture(picture);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->GetExtent(), CSize(picture.cellWidth, picture.cellHeight * picture.cells));
        EXPECT_EQ(image->HasAlpha(), picture.alpha ? TRUE : FALSE);
        std::vector<std::vector<COLORREF>> cells;
        for (int cell = 0; cell < picture.cells; ++cell) {
            cells.push_back(CellPixels(image, picture, cell));
            const std::vector<COLORREF>& pixels = cells.back();
            switch (picture.look) {
            case Office2007BlackLook::Face:
            case Office2007BlackLook::Gradient:
                // A border and a highlight line are not a gradient.
                EXPECT_GE(InnerColours(pixels, picture), 3u) << "cell " << cell;
                break;
            case Office2007BlackLook::Glyph: {
                const auto ground = std::count(pixels.begin(), pixels.end(), kMagenta);
                EXPECT_GT(ground, 0) << "cell " << cell << ": transparent ground";
                EXPECT_LT(static_cast<size_t>(ground), pixels.size()) << "cell " << cell << ": ink";
                break;
            }
            case Office2007BlackLook::Plain:
                break;
            }
        }
        if (picture.look == Office2007BlackLook::Face) {
            for (size_t first = 0; first < cells.size(); ++first) {
                for (size_t second = first + 1; second < cells.size(); ++second)
                    EXPECT_NE(cells[first], cells[second]) << "cells " << first << " and " << second;
            }
        }
    }
}

// Every family of the theme is there: the looks are not all one kind.
TEST_F(KvoOffice2007LibraryThemeTest, EveryLookHasPictures)
{
    for (Office2007BlackLook look : {Office2007BlackLook::Face, Office2007BlackLook::Gradient,
                                     Office2007BlackLook::Glyph, Office2007BlackLook::Plain}) {
        EXPECT_GT(std::count_if(std::begin(kOffice2007BlackPictures), std::end(kOffice2007BlackPictures),
                                [look](const Office2007BlackPicture& picture) { return picture.look == look; }),
                  0);
    }
}

// All 175 pictures with their states side by side, twice their size, on a
// mid grey, each under its name: saved for a person to look at.
TEST_F(KvoOffice2007LibraryThemeTest, ContactSheet)
{
    const int scale = 2, gap = 12, labelHeight = 14, sheetWidth = 1600;
    struct Placed {
        const Office2007BlackPicture* picture;
        CPoint origin;
    };
    std::vector<Placed> placed;
    int x = gap, y = gap, rowHeight = 0;
    for (const Office2007BlackPicture& picture : kOffice2007BlackPictures) {
        const int cellsWidth = picture.cells * (picture.cellWidth * scale + 2);
        const int width = std::max(cellsWidth, static_cast<int>(wcslen(picture.name)) * 6);
        if (x + width > sheetWidth - gap) {
            x = gap;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        placed.push_back({&picture, CPoint(x, y)});
        x += width + gap;
        rowHeight = std::max(rowHeight, labelHeight + picture.cellHeight * scale);
    }
    DibCanvas sheet(sheetWidth, y + rowHeight + gap, RGB(128, 128, 128));
    CDC* dc = sheet.DC();
    CFont* previousFont = dc->SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(255, 255, 255));
    for (const Placed& place : placed) {
        const Office2007BlackPicture& picture = *place.picture;
        dc->TextOutW(place.origin.x, place.origin.y, picture.name);
        CKvoOffice2007Image* image = LibraryPicture(picture);
        ASSERT_NE(image, nullptr) << NameOf(picture);
        for (int cell = 0; cell < picture.cells; ++cell) {
            const CPoint corner(place.origin.x + cell * (picture.cellWidth * scale + 2), place.origin.y + labelHeight);
            const CRect dest(corner, CSize(picture.cellWidth * scale, picture.cellHeight * scale));
            image->DrawImage(dc, dest, image->GetSource(cell, picture.cells), CRect(0, 0, 0, 0),
                             picture.alpha ? CLR_NONE : kMagenta);
        }
    }
    dc->SelectObject(previousFont);
    EXPECT_TRUE(SaveBitmapAsPng(sheet.Bitmap(), (TestOutputFolder() + L"\\KvoOffice2007-ContactSheet.png").c_str()));
}

} // namespace
