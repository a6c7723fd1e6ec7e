#include <gtest/gtest.h>
#include <afxwin.h>

#include <vector>

#include "foundation/base/KvoPropExchangeArchive.h"
#include "foundation/images/KvoImageManager.h"
#include "KvoImageTestSupport.h"

namespace {

const UINT kFirstId = 100;
const UINT kSecondId = 0x20000;  // above the highest id a new manager knows

std::vector<BYTE> KvoExchangeTestBytes(CMemFile& file)
{
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Two command ids with icons at two widths; the first id's 16-pixel icon
// carries an alpha normal image and a hot icon, so the state variants and
// both image kinds pass through the store.
class KvoImageManagerExchangeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_alpha.Attach(MakeAlphaBitmap(16, 16, std::vector<DWORD>(16 * 16, 0xFF2040C0)));
        ASSERT_TRUE(m_source.SetIcon(CKvoImageManagerIconHandle(static_cast<HBITMAP>(m_alpha.m_hObject)), kFirstId));
        TestIcon hot(MakeSolidIcon(16, RGB(200, 30, 30))), large(MakeTwoColourIcon(24, RGB(0, 200, 0), RGB(0, 0, 0)));
        TestIcon second(MakeSolidIcon(16, RGB(10, 120, 220)));
        ASSERT_TRUE(m_source.SetIcon(hot, kFirstId, 16, 16, kvoIconHot));
        ASSERT_TRUE(m_source.SetIcon(large, kFirstId, 24, 24));
        ASSERT_TRUE(m_source.SetIcon(second, kSecondId, 16, 16));
    }

    // The whole registry through an exchange over an archive, or through the
    // manager's own Serialize.
    std::vector<BYTE> StoreRegistry(bool throughSerialize)
    {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            if (throughSerialize)
            {
                m_source.Serialize(ar);
            }
            else
            {
                CKvoPropExchangeArchive exchange(ar);
                m_source.DoPropExchange(&exchange);
            }
            ar.Close();
        }
        return KvoExchangeTestBytes(file);
    }

    // Loads into the target; false when refused with an archive exception,
    // whose cause is kept.
    bool LoadRegistry(std::vector<BYTE> bytes, bool throughSerialize = true)
    {
        CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()), 0);
        CArchive ar(&file, CArchive::load);
        try
        {
            if (throughSerialize)
            {
                m_target.Serialize(ar);
            }
            else
            {
                CKvoPropExchangeArchive exchange(ar);
                m_target.DoPropExchange(&exchange);
            }
            return true;
        }
        catch (CArchiveException* e)
        {
            m_cause = e->m_cause;
            e->Delete();
            return false;
        }
    }

    static std::vector<COLORREF> Drawn(CKvoImageManagerIcon* icon, int state)
    {
        const int size = icon->GetWidth();
        TestCanvas canvas(size, size, RGB(128, 128, 128));
        icon->DrawHandle(canvas.Dc(), CPoint(0, 0), icon->GetStateIcon(state));
        std::vector<COLORREF> pixels;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                pixels.push_back(canvas.Pixel(x, y));
        return pixels;
    }

    CBitmap m_alpha;
    CKvoImageManager m_source, m_target;
    int m_cause = -1;
};

}  // namespace

TEST_F(KvoImageManagerExchangeTest, RegistryRoundTripsThroughExchangeAndSerialize)
{
    for (bool throughSerialize : {false, true})
    {
        SCOPED_TRACE(throughSerialize ? "Serialize" : "exchange");
        TestIcon stale(MakeSolidIcon(16, RGB(1, 2, 3)));
        ASSERT_TRUE(m_target.SetIcon(stale, 7, 16, 16));
        ASSERT_TRUE(LoadRegistry(StoreRegistry(throughSerialize), throughSerialize));

        EXPECT_EQ(nullptr, m_target.GetIconSet(7)) << "loading replaces the registry";
        EXPECT_EQ(kSecondId, m_target.GetHighestExchangedId());
        EXPECT_TRUE(m_target.Lookup(kFirstId, 16));
        EXPECT_TRUE(m_target.Lookup(kFirstId, 24));
        EXPECT_TRUE(m_target.Lookup(kSecondId, 16));
        EXPECT_FALSE(m_target.Lookup(kSecondId, 24));
        struct Case
        {
            UINT id;
            int width;
            int state;
        } cases[] = {
            {kFirstId, 16, kvoIconNormal}, {kFirstId, 16, kvoIconHot}, {kFirstId, 24, kvoIconNormal},
            {kSecondId, 16, kvoIconNormal},
        };
        for (const Case& c : cases)
        {
            SCOPED_TRACE(testing::Message() << c.id << " width " << c.width << " state " << c.state);
            CKvoImageManagerIcon* source = m_source.GetIconSet(c.id)->GetIcon(c.width, FALSE);
            CKvoImageManagerIcon* loaded = m_target.GetIconSet(c.id)->GetIcon(c.width, FALSE);
            ASSERT_NE(nullptr, loaded);
            EXPECT_EQ(c.width, loaded->GetWidth());
            EXPECT_EQ(source->GetHeight(), loaded->GetHeight());
            EXPECT_EQ(Drawn(source, c.state), Drawn(loaded, c.state));
        }
        EXPECT_TRUE(m_target.GetIconSet(kFirstId)->GetIcon(16, FALSE)->GetIcon().IsAlpha());
    }
}

TEST_F(KvoImageManagerExchangeTest, ExchangingOneIdReplacesOnlyThatIdsIcons)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKvoPropExchangeArchive exchange(ar);
        m_source.DoPropExchange(kFirstId, &exchange);
        ar.Close();
    }
    std::vector<BYTE> bytes = KvoExchangeTestBytes(file);
    TestIcon other(MakeSolidIcon(16, RGB(1, 2, 3))), replaced(MakeSolidIcon(32, RGB(4, 5, 6)));
    ASSERT_TRUE(m_target.SetIcon(other, 5, 16, 16));
    ASSERT_TRUE(m_target.SetIcon(replaced, kFirstId, 32, 32));

    CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()), 0);
    CArchive ar(&in, CArchive::load);
    CKvoPropExchangeArchive exchange(ar);
    m_target.DoPropExchange(kFirstId, &exchange);

    EXPECT_TRUE(m_target.Lookup(5, 16));
    EXPECT_FALSE(m_target.Lookup(kFirstId, 32)) << "the id's earlier icons are dropped";
    EXPECT_TRUE(m_target.Lookup(kFirstId, 16));
    EXPECT_TRUE(m_target.Lookup(kFirstId, 24));
    EXPECT_EQ(0x10AAAu, m_target.GetHighestExchangedId()) << "an id below the start value leaves it";
}

namespace {

// One stored icon set written field by field through the exchange, so that
// a test can put wrong values where the manager would not.
struct KvoStoredSet
{
    UINT id;
    LPCWSTR checkSum;
    long width;
    std::vector<BYTE> record;  // the icon's archived record
};

std::vector<BYTE> KvoWriteStoredSets(const std::vector<KvoStoredSet>& sets)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKvoPropExchangeArchive exchange(ar);
        CKvoPropExchangeEnumerator setsEnumerator(&exchange, L"IconSet");
        POSITION position = setsEnumerator.OnStartExchange(static_cast<DWORD>(sets.size()));
        for (const KvoStoredSet& set : sets)
        {
            CKvoPropExchange* section = setsEnumerator.GetNext(position);
            long id = static_cast<long>(set.id);
            PropExchangeLong(section, L"Id", &id, 0);
            CString checkSum = set.checkSum;
            PropExchangeString(section, L"CheckSum", &checkSum, L"");
            CKvoPropExchangeEnumerator icons(section, L"Icon");
            POSITION iconPosition = icons.OnStartExchange(1);
            CKvoPropExchange* iconSection = icons.GetNext(iconPosition);
            long width = set.width;
            PropExchangeLong(iconSection, L"Width", &width, 16);
            CArchive* data = iconSection->GetArchive(L"Data");
            data->Write(set.record.data(), static_cast<UINT>(set.record.size()));
            iconSection->ReleaseArchive(L"Data", data);
            iconSection->InternalRelease();
            section->InternalRelease();
        }
        ar.Close();
    }
    return KvoExchangeTestBytes(file);
}

std::vector<BYTE> KvoIconRecord(CKvoImageManagerIcon* icon)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        icon->Serialize(ar);
        ar.Close();
    }
    return KvoExchangeTestBytes(file);
}

}  // namespace

TEST_F(KvoImageManagerExchangeTest, DamagedStoresAreRefusedKeepingTheIdsReadBefore)
{
    const std::vector<BYTE> record = KvoIconRecord(m_source.IsIconDefined(kSecondId, 16));
    std::vector<BYTE> hugeHeight = record;
    const DWORD tooHigh = 100000;
    memcpy(hugeHeight.data(), &tooHigh, sizeof(tooHigh));
    std::vector<BYTE> hugeBitmap = record;
    const DWORD tooWide = 1000000;
    memcpy(hugeBitmap.data() + 12 + 4, &tooWide, sizeof(tooWide));  // the normal image's header width
    const KvoStoredSet good = {kFirstId, L"CKvoImageManagerIcons", 16, record};

    struct Damage
    {
        const char* name;
        KvoStoredSet bad;
        int cause;
    } damages[] = {
        {"foreign check sum", {kSecondId, L"SomethingElse", 16, record}, CArchiveException::badClass},
        {"width of zero", {kSecondId, L"CKvoImageManagerIcons", 0, record}, CArchiveException::badIndex},
        {"negative width", {kSecondId, L"CKvoImageManagerIcons", -16, record}, CArchiveException::badIndex},
        {"width beyond any bitmap", {kSecondId, L"CKvoImageManagerIcons", 1 << 20, record},
         CArchiveException::badIndex},
        {"icon height beyond any bitmap", {kSecondId, L"CKvoImageManagerIcons", 16, hugeHeight},
         CArchiveException::badIndex},
        {"bitmap record beyond any bitmap", {kSecondId, L"CKvoImageManagerIcons", 16, hugeBitmap},
         CArchiveException::badIndex},
    };
    const DWORD gdiBefore = GdiObjectCount();
    for (const Damage& damage : damages)
    {
        SCOPED_TRACE(damage.name);
        m_cause = -1;
        EXPECT_FALSE(LoadRegistry(KvoWriteStoredSets({good, damage.bad})));
        EXPECT_EQ(damage.cause, m_cause);
        EXPECT_TRUE(m_target.Lookup(kFirstId, 16)) << "the set read before the damage stays";
        CKvoImageManagerIconSet* damaged = m_target.GetIconSet(kSecondId);
        EXPECT_TRUE(damaged == nullptr || damaged->GetIcons().IsEmpty()) << "no half-read icon enters";
    }

    const std::vector<BYTE> whole = KvoWriteStoredSets({good, good});
    ASSERT_TRUE(LoadRegistry(whole));
    for (size_t length : {size_t(2), size_t(6), whole.size() / 2, whole.size() - 1})
    {
        SCOPED_TRACE(length);
        EXPECT_FALSE(LoadRegistry(std::vector<BYTE>(whole.begin(), whole.begin() + length))) << "truncated";
    }
    m_target.RemoveAll();
    // Wine's GetGuiResources answers 0 for GDI objects; Windows counts them.
    EXPECT_EQ(gdiBefore, GdiObjectCount());
}
