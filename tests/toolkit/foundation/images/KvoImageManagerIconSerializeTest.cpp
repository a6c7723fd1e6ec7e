#include <gtest/gtest.h>
#include <afxwin.h>

#include <cstring>

#include "foundation/images/KvoImageManager.h"
#include "KvoImageTestSupport.h"

namespace {

const UINT kStored = 900;

// An icon set whose five given states mix alpha images and icons, stored
// through the icon record and loaded into another manager.
class KvoImageManagerIconSerializeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_normal.Attach(MakeAlphaBitmap(2, 2, {0xFFFF0000, 0x80FF0000, 0x00000000, 0xFF00FF00}));
        m_hot.Attach(MakeAlphaBitmap(2, 2, {0xFF0000FF, 0xFF0000FF, 0x400000FF, 0xFF0000FF}));
        ASSERT_TRUE(m_source.SetIcon(CKvoImageManagerIconHandle(static_cast<HBITMAP>(m_normal.m_hObject)), kStored));
        TestIcon disabled(MakeSolidIcon(2, RGB(90, 90, 90))), checked(MakeTwoColourIcon(2, RGB(255, 255, 0), CLR_NONE));
        m_source.SetIcon(disabled, kStored, 2, 2, kvoIconDisabled);
        m_source.SetIcon(CKvoImageManagerIconHandle(static_cast<HBITMAP>(m_hot.m_hObject)), kStored, 2, 2, kvoIconHot);
        m_source.SetIcon(checked, kStored, 2, 2, kvoIconChecked);
        m_source.SetIcon(CKvoImageManagerIconHandle(static_cast<HBITMAP>(m_hot.m_hObject)), kStored, 2, 2,
                         kvoIconPressed);
    }

    std::vector<BYTE> Store(CKvoImageManagerIcon* icon)
    {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            icon->Serialize(ar);
            ar.Close();
        }
        UINT length = static_cast<UINT>(file.GetLength());
        std::vector<BYTE> bytes(length);
        file.SeekToBegin();
        file.Read(bytes.data(), length);
        return bytes;
    }

    // Loads bytes into the target manager's icon; false when the record was
    // refused with an archive exception.
    bool Load(std::vector<BYTE> bytes, CKvoImageManagerIcon* icon)
    {
        CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()), 0);
        CArchive ar(&file, CArchive::load);
        try
        {
            icon->Serialize(ar);
            return true;
        }
        catch (CArchiveException* e)
        {
            e->Delete();
            return false;
        }
    }

    CKvoImageManagerIcon* Target()
    {
        if (!m_target.IsIconDefined(kStored, 2))
        {
            TestIcon placeholder(MakeSolidIcon(2, RGB(0, 0, 0)));
            m_target.SetIcon(placeholder, kStored);
        }
        return m_target.IsIconDefined(kStored, 2);
    }

    // Each state's image drawn on grey, as 0x00RRGGBB per pixel.
    static std::vector<COLORREF> Drawn(CKvoImageManagerIcon* icon, int state)
    {
        TestCanvas canvas(2, 2, RGB(128, 128, 128));
        icon->DrawHandle(canvas.Dc(), CPoint(0, 0), icon->GetStateIcon(state));
        return {canvas.Pixel(0, 0), canvas.Pixel(1, 0), canvas.Pixel(0, 1), canvas.Pixel(1, 1)};
    }

    CBitmap m_normal, m_hot;
    CKvoImageManager m_source, m_target;
};

}  // namespace

TEST_F(KvoImageManagerIconSerializeTest, StoredIconLoadsBackWithEveryStateAndKind)
{
    CKvoImageManagerIcon* source = m_source.IsIconDefined(kStored, 2);
    ASSERT_NE(nullptr, source);
    std::vector<BYTE> bytes = Store(source);
    CKvoImageManagerIcon* loaded = Target();
    ASSERT_TRUE(Load(bytes, loaded));

    EXPECT_EQ(source->GetHeight(), loaded->GetHeight());
    EXPECT_TRUE(loaded->GetIcon().IsAlpha());
    EXPECT_TRUE(loaded->GetHotIcon().IsAlpha());
    EXPECT_TRUE(loaded->GetPressedIcon().IsAlpha());
    EXPECT_FALSE(loaded->GetDisabledIcon(FALSE).IsAlpha()) << "icons stay icons";
    EXPECT_FALSE(loaded->GetCheckedIcon().IsAlpha());
    for (int state : {kvoIconNormal, kvoIconDisabled, kvoIconHot, kvoIconChecked, kvoIconPressed})
    {
        SCOPED_TRACE(state);
        EXPECT_EQ(Drawn(source, state), Drawn(loaded, state));
    }
    EXPECT_EQ(bytes, Store(loaded)) << "stored again, the record is the same";
}

namespace {

// Offsets in the stored record: height and schema words, then the normal
// image's bitmap record: its block size word, the 40-byte header, ...
const size_t kBlockSizeAt = 8;
const size_t kHeaderAt = 12;

void PutDword(std::vector<BYTE>& bytes, size_t at, DWORD value)
{
    std::memcpy(bytes.data() + at, &value, sizeof(value));
}

}  // namespace

TEST_F(KvoImageManagerIconSerializeTest, DamagedRecordsAreRefusedBeforeAllocating)
{
    std::vector<BYTE> good = Store(m_source.IsIconDefined(kStored, 2));
    ASSERT_GT(good.size(), 200u);
    DWORD blockSize = 0;
    std::memcpy(&blockSize, good.data() + kBlockSizeAt, sizeof(blockSize));
    ASSERT_EQ(sizeof(BITMAPINFOHEADER) + 12, blockSize);
    const size_t pixelSizeAt = kHeaderAt + blockSize;

    struct Damage
    {
        const char* name;
        size_t at;
        DWORD value;
    } damages[] = {
        {"block larger than any header", kBlockSizeAt, 0x7FFFFFF0},
        {"block shorter than a header", kBlockSizeAt, 12},
        {"block that disagrees with the bit count", kBlockSizeAt, 104},
        {"header size", kHeaderAt, 12},
        {"width beyond the limit", kHeaderAt + 4, 1000000},
        {"negative width", kHeaderAt + 4, 0xFFFFFFFF},
        {"height of zero", kHeaderAt + 8, 0},
        {"bit count 3", kHeaderAt + 12, 1 | (3u << 16)},  // planes 1, then the bit count
        {"pixel size of gigabytes", pixelSizeAt, 0xFFFFFFF0},
        {"schema from the future", 4, 99},
    };
    DWORD gdiBefore = GdiObjectCount();
    for (const Damage& damage : damages)
    {
        SCOPED_TRACE(damage.name);
        std::vector<BYTE> bytes = good;
        PutDword(bytes, damage.at, damage.value);
        EXPECT_FALSE(Load(bytes, Target()));
    }
    for (size_t length : {size_t(2), size_t(9), kHeaderAt + 30, pixelSizeAt + 6, good.size() - 1})
    {
        SCOPED_TRACE(length);
        EXPECT_FALSE(Load(std::vector<BYTE>(good.begin(), good.begin() + length), Target())) << "truncated";
    }
    m_target.RemoveAll();
    // Wine's GetGuiResources answers 0 for GDI objects; Windows counts them.
    EXPECT_EQ(gdiBefore, GdiObjectCount());
}
