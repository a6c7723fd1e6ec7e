#include <gtest/gtest.h>
#include <afxwin.h>
#include <string>
#include "Office2007BlackGeometry.h"
#include "foundation/images/KvoOffice2007NinePart.h"
#include "foundation/images/KvoOffice2007ThemeText.h"

namespace {

// The theme description as the library carries it (core_tests links the
// library's resources in).
CKvoOffice2007ThemeText LibraryThemeText()
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, L"OFFICE2007BLACK_INI", L"TEXTFILE");
    if (found == nullptr)
        return CKvoOffice2007ThemeText();
    const char* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return CKvoOffice2007ThemeText(text, text + SizeofResource(module, found));
}

CKvoOffice2007ThemeText TextOf(const std::string& text)
{
    return CKvoOffice2007ThemeText(text.data(), text.data() + text.size());
}

TEST(KvoOffice2007ThemeTextTest, LibraryDescriptionAnswersEveryColour)
{
    const CKvoOffice2007ThemeText text = LibraryThemeText();
    ASSERT_TRUE(text.HasText());
    for (const Office2007BlackColour& colour : kOffice2007BlackColours) {
        EXPECT_EQ(text.GetImageColor(colour.section, colour.key), RGB(colour.red, colour.green, colour.blue))
            << CStringA(colour.section).GetString() << "/" << CStringA(colour.key).GetString();
    }
    EXPECT_EQ(text.GetImageColor(L"Controls", L"GroupBoxFrame"), RGB(70, 70, 70));
    EXPECT_EQ(text.GetImageColor(L"controls", L"groupboxframe"), RGB(70, 70, 70)) << "names without case";
    EXPECT_EQ(text.GetImageColor(L"Window", L"ButtonFace"), RGB(118, 128, 142));
    EXPECT_EQ(text.GetImageColor(L"Window", L"HighlightSelected"), RGB(255, 231, 162));
    EXPECT_EQ(text.GetImageColor(L"Toolbar", L"ControlDisabledIcon"), RGB(145, 153, 164));
    EXPECT_EQ(text.GetImageColor(L"Controls", L"NoSuchKey"), CLR_NONE);
    EXPECT_EQ(text.GetImageColor(L"NoSuchSection", L"GroupBoxFrame"), CLR_NONE);
    EXPECT_EQ(text.GetImageColor(L"Controls", L"PushButton"), CLR_NONE) << "the next section ends the search";
}

// The description's own line with a comment behind the value.
TEST(KvoOffice2007ThemeTextTest, ValueBeforeACommentReadsAlone)
{
    const CKvoOffice2007ThemeText text = LibraryThemeText();
    CString base = text.GetProfileString(L"CalendarControl", L"BaseColor");
    EXPECT_EQ(base.Find(L';'), -1);
    EXPECT_EQ(base.Right(1) != L" ", true);
    int red = -1, green = -1, blue = -1;
    EXPECT_EQ(swscanf(base, L"%i %i %i", &red, &green, &blue), 3);
}

TEST(KvoOffice2007ThemeTextTest, ReaderRules)
{
    const std::string ini =
        "; a comment line\r\n"
        "  [Colours]  \r\n"
        "Plain = 1 2 3\r\n"
        "  Padded   =   4 5 6   ; behind the value\r"
        "Octal = 010 0x10 16\r\n"
        "Wrapped = 257 512 -1\r\n"
        "Empty =\r\n"
        "Word = value.Mixed\\Case\r\n"
        "; Commented = 7 7 7\r\n"
        "\r\n"
        "[Next]\r\n"
        "Plain = 9 9 9\r\n"
        "Last = 8 8 8";
    const CKvoOffice2007ThemeText text = TextOf(ini);
    const struct { const wchar_t* section; const wchar_t* key; COLORREF expected; } cases[] = {
        {L"Colours", L"Plain", RGB(1, 2, 3)},
        {L"COLOURS", L"padded", RGB(4, 5, 6)},
        {L"Colours", L"Octal", RGB(8, 16, 16)},
        {L"Colours", L"Wrapped", RGB(1, 0, 255)},
        {L"Colours", L"Empty", CLR_NONE},
        {L"Colours", L"Commented", CLR_NONE},
        {L"Next", L"Plain", RGB(9, 9, 9)},
        {L"Next", L"Last", CLR_NONE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text.GetImageColor(c.section, c.key), c.expected) << CStringA(c.key).GetString();
    EXPECT_STREQ(text.GetProfileString(L"Colours", L"Word"), L"VALUE.MIXED\\CASE");
    EXPECT_STREQ(text.GetProfileString(L"Colours", L"Last"), L"");
    EXPECT_EQ(CKvoOffice2007ThemeText().GetImageColor(L"Colours", L"Plain"), CLR_NONE) << "no text";
}

// Every picture has its PNG resource under the name the description maps
// it to, with the geometry of the table: cells of one height stacked.
TEST(KvoOffice2007ThemeTextTest, EveryPictureResolvesToItsPngResource)
{
    const CKvoOffice2007ThemeText text = LibraryThemeText();
    HMODULE module = GetModuleHandleW(nullptr);
    EXPECT_STREQ(text.GetResourceName(L"PushButton"), L"OFFICE2007BLACK_PUSHBUTTON_BMP");
    EXPECT_STREQ(text.GetResourceName(L"CONTEXTTABCYANGROUPBUTTON"), L"OFFICE2007BLACK_CONTEXTTABCYANGROUPBUTTON_BMP");
    EXPECT_STREQ(text.GetResourceName(L"Not.In\\Images"), L"Not_In_Images") << "the name itself";
    for (const Office2007BlackPicture& picture : kOffice2007BlackPictures) {
        CString upper(picture.name);
        upper.MakeUpper();
        const CString resource = text.GetResourceName(upper);
        EXPECT_STREQ(resource, L"OFFICE2007BLACK_" + upper + L"_BMP");
        HRSRC found = FindResourceW(module, resource, L"PNG");
        ASSERT_NE(found, nullptr) << CStringA(resource).GetString();
        const BYTE* png = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        ASSERT_GE(SizeofResource(module, found), 33u);
        EXPECT_EQ(memcmp(png, "\x89PNG\r\n\x1a\n", 8), 0);
        const auto bigEndian = [](const BYTE* p) { return (p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; };
        EXPECT_EQ(bigEndian(png + 16), picture.cellWidth) << CStringA(picture.name).GetString();
        EXPECT_EQ(bigEndian(png + 20), picture.cellHeight * picture.cells) << CStringA(picture.name).GetString();
        EXPECT_EQ(png[25], picture.alpha ? 6 : 2) << "RGBA or RGB";
    }
}

struct NinePartCase {
    const char* what;
    CRect dest, src, margins;
    bool rightToLeft;
    std::vector<std::pair<CRect, CRect>> pieces; // dest, src
};

TEST(KvoOffice2007NinePartTest, Layouts)
{
    const NinePartCase cases[] = {
        {"same height: only columns, corners kept",
         CRect(0, 0, 100, 22), CRect(0, 0, 50, 22), CRect(3, 3, 3, 3), false,
         {{CRect(0, 0, 3, 22), CRect(0, 0, 3, 22)},
          {CRect(3, 0, 97, 22), CRect(3, 0, 47, 22)},
          {CRect(97, 0, 100, 22), CRect(47, 0, 50, 22)}}},
        {"same size: one piece", CRect(5, 5, 55, 27), CRect(0, 22, 50, 44), CRect(3, 3, 3, 3), false,
         {{CRect(5, 5, 55, 27), CRect(0, 22, 50, 44)}}},
        {"both ways", CRect(0, 0, 20, 30), CRect(0, 0, 10, 10), CRect(2, 3, 4, 5), false,
         {{CRect(0, 0, 2, 3), CRect(0, 0, 2, 3)}, {CRect(2, 0, 16, 3), CRect(2, 0, 6, 3)},
          {CRect(16, 0, 20, 3), CRect(6, 0, 10, 3)}, {CRect(0, 3, 2, 25), CRect(0, 3, 2, 5)},
          {CRect(2, 3, 16, 25), CRect(2, 3, 6, 5)}, {CRect(16, 3, 20, 25), CRect(6, 3, 10, 5)},
          {CRect(0, 25, 2, 30), CRect(0, 5, 2, 10)}, {CRect(2, 25, 16, 30), CRect(2, 5, 6, 10)},
          {CRect(16, 25, 20, 30), CRect(6, 5, 10, 10)}}},
        {"right to left: the columns change sides", CRect(0, 0, 100, 22), CRect(0, 0, 50, 22),
         CRect(2, 0, 5, 0), true,
         {{CRect(98, 0, 100, 22), CRect(0, 0, 2, 22)},
          {CRect(2, 0, 95, 22), CRect(2, 0, 45, 22)},
          {CRect(0, 0, 5, 22), CRect(45, 0, 50, 22)}}},
    };
    for (const NinePartCase& c : cases) {
        CKvoOffice2007NinePart::Piece pieces[9];
        const int count = CKvoOffice2007NinePart::Layout(c.dest, c.src, c.margins, c.rightToLeft, pieces);
        ASSERT_EQ(count, static_cast<int>(c.pieces.size())) << c.what;
        for (int i = 0; i < count; ++i) {
            EXPECT_TRUE(pieces[i].dest == c.pieces[i].first) << c.what << " piece " << i;
            EXPECT_TRUE(pieces[i].src == c.pieces[i].second) << c.what << " piece " << i;
        }
    }
}

// Too little room for the margins: shares of the destination, the bottom
// keeping the parity of its source margin.
TEST(KvoOffice2007NinePartTest, SharedMarginsInASmallDestination)
{
    const CRect four = CKvoOffice2007NinePart::DestinationMargins(CRect(0, 0, 40, 4), CRect(0, 0, 50, 22),
                                                                  CRect(3, 3, 3, 3));
    EXPECT_EQ(four.top, 2);
    EXPECT_EQ(four.bottom, 3);
    EXPECT_EQ(four.left, 3) << "room enough across";
    const CRect narrow = CKvoOffice2007NinePart::DestinationMargins(CRect(0, 0, 5, 30), CRect(0, 0, 50, 22),
                                                                    CRect(4, 3, 6, 3));
    EXPECT_EQ(narrow.left, 2) << "5 * 4 / 10";
    EXPECT_EQ(narrow.right, 3);
    const CRect exact = CKvoOffice2007NinePart::DestinationMargins(CRect(0, 0, 30, 30), CRect(0, 0, 6, 6),
                                                                   CRect(3, 3, 3, 3));
    EXPECT_EQ(exact.top, 15) << "a source that is all margins";
    EXPECT_EQ(exact.bottom, 15);
}

} // namespace
