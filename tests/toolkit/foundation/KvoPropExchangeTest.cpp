#include <gtest/gtest.h>
#include <afxwin.h>
#include <atlbase.h>
#include <atlcomcli.h>
#include <atlregkey.h>
#include <functional>
#include <memory>
#include <vector>
#include "foundation/base/KvoPropExchange.h"
#include "foundation/base/KvoPropExchangeArchive.h"

namespace {
int g_livePropTestObjects = 0;
}

// Serialisable classes the exchanges create by name: a shape with a kind of
// it, and a class of no relation to them.
class CPropTestShape : public CObject {
    DECLARE_SERIAL(CPropTestShape)
public:
    CPropTestShape() { ++g_livePropTestObjects; }
    ~CPropTestShape() override { --g_livePropTestObjects; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_width << m_label;
        else
            ar >> m_width >> m_label;
    }
    long m_width = 0;
    CString m_label;
};
IMPLEMENT_SERIAL(CPropTestShape, CObject, 1)

class CPropTestCircle : public CPropTestShape {
    DECLARE_SERIAL(CPropTestCircle)
};
IMPLEMENT_SERIAL(CPropTestCircle, CPropTestShape, 1)

class CPropTestStranger : public CObject {
    DECLARE_SERIAL(CPropTestStranger)
public:
    CPropTestStranger() { ++g_livePropTestObjects; }
    ~CPropTestStranger() override { --g_livePropTestObjects; }
};
IMPLEMENT_SERIAL(CPropTestStranger, CObject, 1)

namespace {

using Bytes = std::vector<BYTE>;

Bytes StoreThroughArchive(const std::function<void(CKvoPropExchange*)>& exchange)
{
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        CKvoPropExchangeArchive px(archive);
        exchange(&px);
        archive.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void LoadThroughArchive(Bytes bytes, const std::function<void(CKvoPropExchange*)>& exchange)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive archive(&file, CArchive::load);
    CKvoPropExchangeArchive px(archive);
    exchange(&px);
}

// Every value kind a persisted control uses, in one routine for both ways.
struct AllKinds {
    BOOL flag = FALSE;
    long number = 0;
    CString text;
    RECT rect{};
    SIZE size{};
    short small = 0;
    float single = 0;
    double real = 0;
    CY currency{};
    DATE date = 0;
    BYTE byte = 0;
    CComVariant variantNumber;
    CComVariant variantText;
    Bytes blob;
    CRuntimeClass* runtimeClass = nullptr;
    CPropTestShape object;

    // The kinds that only the archive store has an encoding for.
    void ExchangeArchiveOnlyKinds(CKvoPropExchange* px)
    {
        EXPECT_TRUE(px->ExchangeProp(L"Small", VT_I2, &small, nullptr));
        EXPECT_TRUE(px->ExchangeProp(L"Single", VT_R4, &single, nullptr));
        EXPECT_TRUE(px->ExchangeProp(L"Real", VT_R8, &real, nullptr));
        EXPECT_TRUE(px->ExchangeProp(L"Currency", VT_CY, &currency, nullptr));
        EXPECT_TRUE(px->ExchangeProp(L"Date", VT_DATE, &date, nullptr));
        EXPECT_TRUE(px->ExchangeProp(L"Byte", VT_UI1, &byte, nullptr));
        EXPECT_TRUE(px->ExchangeProp(L"VariantNumber", VT_VARIANT, &variantNumber, nullptr));
        EXPECT_TRUE(px->ExchangeProp(L"VariantText", VT_VARIANT, &variantText, nullptr));
        EXPECT_TRUE(px->ExchangeProp(L"Unknown", 60, nullptr, nullptr)) << "no encoding: nothing, TRUE";
        EXPECT_TRUE(px->ExchangeProp(L"Outside", 300, nullptr, nullptr));
    }

    void Exchange(CKvoPropExchange* px)
    {
        px->ExchangeSchema();
        EXPECT_EQ(px->GetSchema(), CKvoPropExchange::CurrentSchema);
        EXPECT_TRUE(PropExchangeBool(px, L"Flag", &flag, FALSE));
        EXPECT_TRUE(PropExchangeLong(px, L"Number", &number, 7));
        EXPECT_TRUE(PropExchangeString(px, L"Text", &text, L"none"));
        EXPECT_TRUE(PropExchangeRect(px, L"Rect", &rect, RECT{1, 2, 3, 4}));
        EXPECT_TRUE(PropExchangeSize(px, L"Size", &size, SIZE{5, 6}));
        if (px->IsSequential())
            ExchangeArchiveOnlyKinds(px);
        BYTE* data = blob.empty() ? nullptr : blob.data();
        DWORD length = static_cast<DWORD>(blob.size());
        EXPECT_TRUE(PropExchangeBlob(px, L"Blob", &data, &length));
        if (px->IsLoading()) {
            blob.assign(data, data + length);
            delete[] data;
        }
        EXPECT_TRUE(PropExchangeRuntimeClass(px, L"Runtime", &runtimeClass, RUNTIME_CLASS(CPropTestShape)));
        EXPECT_TRUE(PropExchangeObject(px, L"Object", &object));
    }
};

void FillKinds(AllKinds& kinds)
{
    kinds.flag = TRUE;
    kinds.number = -123456;
    kinds.text = L"Größe 日本";
    kinds.rect = RECT{-10, 20, 30, 40};
    kinds.size = SIZE{640, 480};
    kinds.small = -2;
    kinds.single = 2.5f;
    kinds.real = 1.0 / 3.0;
    kinds.currency.int64 = 12345678901LL;
    kinds.date = 45000.25;
    kinds.byte = 0xA5;
    kinds.variantNumber = 99L;
    kinds.variantText = L"variant";
    kinds.blob = {0x3C, 0x00, 0xFF, 0x10};
    kinds.runtimeClass = RUNTIME_CLASS(CPropTestCircle);
    kinds.object.m_width = 42;
    kinds.object.m_label = L"label";
}

void ExpectSameKinds(const AllKinds& loaded, const AllKinds& stored)
{
    EXPECT_EQ(loaded.flag, stored.flag);
    EXPECT_EQ(loaded.number, stored.number);
    EXPECT_STREQ(loaded.text, stored.text);
    EXPECT_TRUE(EqualRect(&loaded.rect, &stored.rect));
    EXPECT_EQ(loaded.size.cx, stored.size.cx);
    EXPECT_EQ(loaded.size.cy, stored.size.cy);
    EXPECT_EQ(loaded.blob, stored.blob);
    EXPECT_EQ(loaded.runtimeClass, stored.runtimeClass);
    EXPECT_EQ(loaded.object.m_width, stored.object.m_width);
    EXPECT_STREQ(loaded.object.m_label, stored.object.m_label);
}

void ExpectSameArchiveOnlyKinds(const AllKinds& loaded, const AllKinds& stored)
{
    EXPECT_EQ(loaded.small, stored.small);
    EXPECT_EQ(loaded.single, stored.single);
    EXPECT_EQ(loaded.real, stored.real);
    EXPECT_EQ(loaded.currency.int64, stored.currency.int64);
    EXPECT_EQ(loaded.date, stored.date);
    EXPECT_EQ(loaded.byte, stored.byte);
    EXPECT_EQ(loaded.variantNumber.vt, VT_I4);
    EXPECT_EQ(loaded.variantNumber.lVal, 99);
    ASSERT_EQ(loaded.variantText.vt, VT_BSTR);
    EXPECT_STREQ(loaded.variantText.bstrVal, L"variant");
}

// A small tree: a section with a value, then numbered item sections, each
// with a nested section of its own.
struct Tree {
    CString title;
    std::vector<long> items;
    std::vector<CString> itemNames;

    void Exchange(CKvoPropExchange* px, BOOL compact)
    {
        std::unique_ptr<CKvoPropExchange> header(px->GetSection(L"Header"));
        ASSERT_TRUE(header);
        EXPECT_TRUE(header->IsChildSection());
        EXPECT_EQ(header->GetSchema(), px->GetSchema());
        EXPECT_EQ(header->m_pContext, px->m_pContext);
        EXPECT_EQ(header->IsUseDefaultOnLoad(), px->IsUseDefaultOnLoad());
        EXPECT_EQ(header->IsUseDefaultOnSave(), px->IsUseDefaultOnSave());
        PropExchangeString(header.get(), L"Title", &title, L"");

        std::unique_ptr<CKvoPropExchangeEnumerator> items_(px->GetEnumerator(L"Item"));
        POSITION position = items_->OnStartExchange(static_cast<DWORD>(items.size()), compact);
        if (px->IsLoading()) {
            items.assign(items_->GetCount(), 0);
            itemNames.assign(items_->GetCount(), CString());
        }
        for (size_t i = 0; position != nullptr; ++i) {
            std::unique_ptr<CKvoPropExchange> item(items_->GetNext(position));
            ASSERT_TRUE(item);
            ASSERT_LT(i, items.size());
            PropExchangeLong(item.get(), L"Value", &items[i], -1);
            std::unique_ptr<CKvoPropExchange> nested(item->GetSection(L"Nested"));
            PropExchangeString(nested.get(), L"Name", &itemNames[i], L"");
        }
    }
};

Tree FilledTree()
{
    Tree tree;
    tree.title = L"layout";
    tree.items = {10, 20, 30};
    tree.itemNames = {L"a", L"b", L"c"};
    return tree;
}

// Storing and loading run as two separate routines from the same code, as
// a persisted control does.
TEST(KvoPropExchangeArchiveTest, EveryValueKindRoundTrips)
{
    AllKinds stored;
    FillKinds(stored);
    Bytes bytes = StoreThroughArchive([&](CKvoPropExchange* px) { stored.Exchange(px); });
    AllKinds loaded;
    LoadThroughArchive(bytes, [&](CKvoPropExchange* px) {
        loaded.Exchange(px);
        EXPECT_TRUE(px->IsUsed());
    });
    ExpectSameKinds(loaded, stored);
    ExpectSameArchiveOnlyKinds(loaded, stored);
}

// The stream starts with the schema header, values follow without names:
// a BOOL takes 32 bits, a RECT its 16 raw bytes.
TEST(KvoPropExchangeArchiveTest, ValuesAreWrittenInOrderWithoutNames)
{
    Bytes bytes = StoreThroughArchive([](CKvoPropExchange* px) {
        px->ExchangeSchema();
        BOOL flag = TRUE;
        PropExchangeBool(px, L"Flag", &flag, FALSE);
        RECT rect{1, 2, 3, 4};
        PropExchangeRect(px, L"Rect", &rect, RECT{});
    });
    const Bytes expected = {0xBF, 0xAD, 0xF0, 0x0F, 33, 0, 0, 0, 1, 0, 0, 0,
                            1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0};
    EXPECT_EQ(bytes, expected);
}

// Streams from before the schema header: schema 17 and the first value is
// the first four bytes.
TEST(KvoPropExchangeArchiveTest, StreamWithoutSchemaHeaderLoadsAsSchema17)
{
    long number = 0;
    LoadThroughArchive({0x2A, 0, 0, 0}, [&](CKvoPropExchange* px) {
        px->ExchangeSchema();
        EXPECT_EQ(px->GetSchema(), CKvoPropExchangeArchive::SchemaBeforeHeader);
        PropExchangeLong(px, L"Number", &number, 0);
    });
    EXPECT_EQ(number, 42);
    LoadThroughArchive({}, [](CKvoPropExchange* px) {
        px->ExchangeSchema();
        EXPECT_EQ(px->GetSchema(), 17u) << "an empty stream";
    });
}

TEST(KvoPropExchangeArchiveTest, SectionsAndEnumerationsRoundTrip)
{
    for (BOOL compact : {FALSE, TRUE}) {
        Tree stored = FilledTree();
        int context = 0;
        Bytes bytes = StoreThroughArchive([&](CKvoPropExchange* px) {
            px->m_pContext = &context;
            px->SetUseDefaultOnSave(FALSE);
            px->UseDefaultOnLoad(TRUE);
            stored.Exchange(px, compact);
        });
        Tree loaded;
        LoadThroughArchive(bytes, [&](CKvoPropExchange* px) {
            px->m_pContext = &context;
            loaded.Exchange(px, compact);
        });
        EXPECT_STREQ(loaded.title, stored.title);
        EXPECT_EQ(loaded.items, stored.items) << "compact " << compact;
        ASSERT_EQ(loaded.itemNames.size(), 3u);
        EXPECT_STREQ(loaded.itemNames[2], L"c");
    }
}

// A blob longer than the caller's buffer is refused without touching the
// buffer, and the stream stays in step for the values after it.
TEST(KvoPropExchangeArchiveTest, BlobLargerThanTheBufferIsRefused)
{
    Bytes bytes = StoreThroughArchive([](CKvoPropExchange* px) {
        BYTE payload[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        BYTE* data = payload;
        DWORD size = sizeof(payload);
        px->ExchangeBlob(L"Blob", &data, &size);
        long after = 77;
        PropExchangeLong(px, L"After", &after, 0);
    });
    LoadThroughArchive(bytes, [](CKvoPropExchange* px) {
        BYTE buffer[4] = {0xEE, 0xEE, 0xEE, 0xEE};
        BYTE* data = buffer;
        DWORD size = sizeof(buffer);
        EXPECT_FALSE(px->ExchangeBlob(L"Blob", &data, &size));
        EXPECT_EQ(size, 4u);
        EXPECT_EQ(buffer[0], 0xEE);
        EXPECT_EQ(buffer[3], 0xEE);
        long after = 0;
        PropExchangeLong(px, L"After", &after, 0);
        EXPECT_EQ(after, 77);
    });
}

// A stored length beyond the stream is an archive end-of-file error before
// anything is allocated for it; so is a short rectangle.
TEST(KvoPropExchangeArchiveTest, TruncatedValuesRaiseEndOfFile)
{
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"blob of 0xFFFE bytes, 2 there", {0xFF, 0xFF, 0xFE, 0xFF, 0, 0, 1, 2}},
        {"rect of 8 bytes", {1, 0, 0, 0, 2, 0, 0, 0}},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        int cause = -1;
        LoadThroughArchive(cases[i].second, [&](CKvoPropExchange* px) {
            try {
                BYTE* data = nullptr;
                DWORD size = 0;
                RECT rect{};
                if (i == 0)
                    px->ExchangeBlob(L"Blob", &data, &size);
                else
                    PropExchangeRect(px, L"Rect", &rect, RECT{});
            } catch (CArchiveException* e) {
                cause = e->m_cause;
                e->Delete();
            }
        });
        EXPECT_EQ(cause, CArchiveException::endOfFile) << cases[i].first;
    }
}

TEST(KvoPropExchangeArchiveTest, ObjectOfTheWrongClassIsRefused)
{
    CObject* stranger = new CPropTestStranger;
    Bytes bytes = StoreThroughArchive([&](CKvoPropExchange* px) {
        EXPECT_TRUE(px->ExchangeObjectInstance(stranger, RUNTIME_CLASS(CPropTestShape)));
    });
    delete stranger;
    const int liveBefore = g_livePropTestObjects;
    LoadThroughArchive(bytes, [&](CKvoPropExchange* px) {
        CObject* loaded = reinterpret_cast<CObject*>(1);
        EXPECT_FALSE(px->ExchangeObjectInstance(loaded, RUNTIME_CLASS(CPropTestShape)));
        EXPECT_EQ(loaded, nullptr);
    });
    EXPECT_EQ(g_livePropTestObjects, liveBefore) << "the created stranger is deleted";
}

// A derived class is of the expected kind; its class schema becomes the
// exchange's schema, and the archive can refer to the object afterwards.
TEST(KvoPropExchangeArchiveTest, ObjectOfADerivedClassIsCreated)
{
    CObject* circle = new CPropTestCircle;
    Bytes bytes = StoreThroughArchive([&](CKvoPropExchange* px) {
        EXPECT_TRUE(px->ExchangeObjectInstance(circle, RUNTIME_CLASS(CPropTestShape)));
    });
    delete circle;
    CObject* loaded = nullptr;
    LoadThroughArchive(bytes, [&](CKvoPropExchange* px) {
        EXPECT_TRUE(px->ExchangeObjectInstance(loaded, RUNTIME_CLASS(CPropTestShape)));
        EXPECT_EQ(px->GetSchema(), 1u);
    });
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->IsKindOf(RUNTIME_CLASS(CPropTestCircle)));
    delete loaded;
}

TEST(KvoPropExchangeTest, NullExchangeDoesNothing)
{
    long number = 5;
    BOOL flag = TRUE;
    CString text(L"kept");
    CPropTestShape shape;
    EXPECT_FALSE(PropExchangeLong(nullptr, L"Number", &number, 0));
    EXPECT_FALSE(PropExchangeBool(nullptr, L"Flag", &flag, FALSE));
    EXPECT_FALSE(PropExchangeString(nullptr, L"Text", &text, L""));
    EXPECT_FALSE(PropExchangeObject(nullptr, L"Object", &shape));
    EXPECT_EQ(number, 5);
    EXPECT_STREQ(text, L"kept");
    CKvoPropExchangeEnumerator enumerator(nullptr, L"Item");
    EXPECT_EQ(enumerator.OnStartExchange(3), nullptr);
}

// A store keyed by names, over the registry: every value is text under its
// name, sections are subkeys. It relies on the base's named forms (blob as
// letters, class by name, counts and schema as named longs, objects through
// a memory archive), which the archive store replaces.
class RegistryPropExchange : public CKvoPropExchange {
public:
    RegistryPropExchange(HKEY parent, LPCWSTR path, BOOL loading)
    {
        m_bLoading = loading;
        if (loading)
            m_key.Open(parent, path, KEY_READ);
        else
            m_key.Create(parent, path);
    }

    BOOL ExchangeProp(LPCWSTR name, VARTYPE type, void* data, const void* defaultValue) override
    {
        OnBeforeExchange();
        return m_bLoading ? LoadValue(name, type, data, defaultValue) : StoreValue(name, type, data);
    }

    CKvoPropExchange* GetSection(LPCWSTR name) override
    {
        auto* section = new RegistryPropExchange(m_key, name, m_bLoading);
        section->InheritSettings(*this);
        return section;
    }

private:
    BOOL StoreValue(LPCWSTR name, VARTYPE type, const void* data)
    {
        CString text;
        switch (type) {
        case VT_I4: text.Format(L"%ld", *static_cast<const long*>(data)); break;
        case VT_BOOL: text.Format(L"%d", *static_cast<const BOOL*>(data)); break;
        case VT_LPSTR: text = *static_cast<const CString*>(data); break;
        case VT_KVO_RECT: {
            const RECT* r = static_cast<const RECT*>(data);
            text.Format(L"%ld %ld %ld %ld", r->left, r->top, r->right, r->bottom);
            break;
        }
        case VT_KVO_SIZE: {
            const SIZE* s = static_cast<const SIZE*>(data);
            text.Format(L"%ld %ld", s->cx, s->cy);
            break;
        }
        default: return FALSE;
        }
        return m_key.SetStringValue(name, text) == ERROR_SUCCESS;
    }

    BOOL LoadValue(LPCWSTR name, VARTYPE type, void* data, const void* defaultValue)
    {
        wchar_t text[1024];
        ULONG chars = 1024;
        if (m_key.m_hKey == nullptr || m_key.QueryStringValue(name, text, &chars) != ERROR_SUCCESS)
            return LoadDefault(type, data, defaultValue);
        switch (type) {
        case VT_I4: *static_cast<long*>(data) = wcstol(text, nullptr, 10); return TRUE;
        case VT_BOOL: *static_cast<BOOL*>(data) = wcstol(text, nullptr, 10); return TRUE;
        case VT_LPSTR: *static_cast<CString*>(data) = text; return TRUE;
        case VT_KVO_RECT: {
            RECT* r = static_cast<RECT*>(data);
            return swscanf(text, L"%ld %ld %ld %ld", &r->left, &r->top, &r->right, &r->bottom) == 4;
        }
        case VT_KVO_SIZE: {
            SIZE* s = static_cast<SIZE*>(data);
            return swscanf(text, L"%ld %ld", &s->cx, &s->cy) == 2;
        }
        default: return FALSE;
        }
    }

    static BOOL LoadDefault(VARTYPE type, void* data, const void* defaultValue)
    {
        if (defaultValue == nullptr)
            return FALSE;
        switch (type) {
        case VT_I4: *static_cast<long*>(data) = *static_cast<const long*>(defaultValue); return TRUE;
        case VT_BOOL: *static_cast<BOOL*>(data) = *static_cast<const BOOL*>(defaultValue); return TRUE;
        case VT_LPSTR: *static_cast<CString*>(data) = static_cast<LPCWSTR>(defaultValue); return TRUE;
        case VT_KVO_RECT: *static_cast<RECT*>(data) = *static_cast<const RECT*>(defaultValue); return TRUE;
        case VT_KVO_SIZE: *static_cast<SIZE*>(data) = *static_cast<const SIZE*>(defaultValue); return TRUE;
        default: return FALSE;
        }
    }

    ATL::CRegKey m_key;
};

class KvoPropExchangeRegistryTest : public ::testing::Test {
protected:
    static constexpr const wchar_t* kRoot = L"Software\\TavrenaTests\\PropExchange";

    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        ATL::CRegKey tests;
        if (tests.Open(HKEY_CURRENT_USER, L"Software\\TavrenaTests") == ERROR_SUCCESS)
            tests.RecurseDeleteKey(L"PropExchange");
    }

    void Store(const std::function<void(CKvoPropExchange*)>& exchange)
    {
        RegistryPropExchange px(HKEY_CURRENT_USER, kRoot, FALSE);
        exchange(&px);
    }
    void Load(const std::function<void(CKvoPropExchange*)>& exchange)
    {
        RegistryPropExchange px(HKEY_CURRENT_USER, kRoot, TRUE);
        exchange(&px);
    }
    static CString ReadText(LPCWSTR subkey, LPCWSTR name)
    {
        ATL::CRegKey key;
        CString path = CString(kRoot) + subkey;
        if (key.Open(HKEY_CURRENT_USER, path, KEY_READ) != ERROR_SUCCESS)
            return L"<no key>";
        wchar_t text[256];
        ULONG chars = 256;
        return key.QueryStringValue(name, text, &chars) == ERROR_SUCCESS ? CString(text) : CString(L"<none>");
    }
    static void WriteText(LPCWSTR name, LPCWSTR text)
    {
        ATL::CRegKey key;
        key.Create(HKEY_CURRENT_USER, kRoot);
        key.SetStringValue(name, text);
    }
};

TEST_F(KvoPropExchangeRegistryTest, NamedValuesRoundTrip)
{
    AllKinds stored;
    FillKinds(stored);
    Store([&](CKvoPropExchange* px) { stored.Exchange(px); });
    EXPECT_STREQ(ReadText(L"", L"Blob"), L"MDAAPPAB") << "two letters a byte, low nibble first";
    EXPECT_STREQ(ReadText(L"", L"Runtime"), L"CPropTestCircle");
    EXPECT_STREQ(ReadText(L"", L"Schema"), L"33");
    AllKinds loaded;
    Load([&](CKvoPropExchange* px) { loaded.Exchange(px); });
    ExpectSameKinds(loaded, stored);
}

TEST_F(KvoPropExchangeRegistryTest, SectionsAndEnumerationsRoundTrip)
{
    Tree stored = FilledTree();
    Store([&](CKvoPropExchange* px) { stored.Exchange(px, FALSE); });
    EXPECT_STREQ(ReadText(L"", L"Count"), L"3");
    EXPECT_STREQ(ReadText(L"\\Item0", L"Value"), L"10");
    EXPECT_STREQ(ReadText(L"\\Item2\\Nested", L"Name"), L"c");
    EXPECT_STREQ(ReadText(L"\\Item3", L"Value"), L"<no key>");
    Tree loaded;
    Load([&](CKvoPropExchange* px) { loaded.Exchange(px, FALSE); });
    EXPECT_EQ(loaded.items, stored.items);
    EXPECT_STREQ(loaded.title, L"layout");
}

// Nothing stored: every value loads as its default, the schema as 32, a
// count as 0, a class as the default class.
TEST_F(KvoPropExchangeRegistryTest, MissingValuesGiveTheDefaults)
{
    Store([](CKvoPropExchange*) {});
    Load([](CKvoPropExchange* px) {
        px->ExchangeSchema();
        EXPECT_EQ(px->GetSchema(), 32u);
        long number = 0;
        EXPECT_TRUE(PropExchangeLong(px, L"Number", &number, 7));
        EXPECT_EQ(number, 7);
        CString text;
        EXPECT_TRUE(PropExchangeString(px, L"Text", &text, L"none"));
        EXPECT_STREQ(text, L"none");
        EXPECT_FALSE(PropExchangeStringNoDefault(px, L"Text", &text));
        RECT rect{};
        EXPECT_TRUE(PropExchangeRect(px, L"Rect", &rect, RECT{1, 2, 3, 4}));
        EXPECT_EQ(rect.right, 3);
        CRuntimeClass* runtimeClass = nullptr;
        EXPECT_TRUE(PropExchangeRuntimeClass(px, L"Runtime", &runtimeClass, RUNTIME_CLASS(CPropTestShape)));
        EXPECT_EQ(runtimeClass, RUNTIME_CLASS(CPropTestShape));
        BYTE* data = nullptr;
        DWORD size = 5;
        EXPECT_TRUE(PropExchangeBlob(px, L"Blob", &data, &size));
        EXPECT_EQ(data, nullptr);
        EXPECT_EQ(size, 0u);
        CPropTestShape shape;
        EXPECT_FALSE(PropExchangeObject(px, L"Object", &shape)) << "no archive for a missing object";
        std::unique_ptr<CKvoPropExchangeEnumerator> items(px->GetEnumerator(L"Item"));
        EXPECT_EQ(items->OnStartExchange(0), nullptr);
    });
}

// Text from elsewhere: letters that are not nibbles, an odd number of
// letters, a blob too long for the buffer, unknown or foreign class names.
TEST_F(KvoPropExchangeRegistryTest, BadStoredTextIsRefused)
{
    const struct { const wchar_t* blob; BOOL expected; } blobs[] = {
        {L"MDA", FALSE}, {L"MDZZ", FALSE}, {L"AAAAAAAAAA", FALSE}, {L"MDAB", TRUE}};
    for (const auto& c : blobs) {
        WriteText(L"Blob", c.blob);
        Load([&](CKvoPropExchange* px) {
            BYTE buffer[4] = {0xEE, 0xEE, 0xEE, 0xEE};
            BYTE* data = buffer;
            DWORD size = sizeof(buffer);
            EXPECT_EQ(px->ExchangeBlob(L"Blob", &data, &size), c.expected) << CStringA(c.blob).GetString();
            if (!c.expected)
                EXPECT_EQ(buffer[0], 0xEE);
            else
                EXPECT_EQ(buffer[0], 0x3C);
        });
    }
    WriteText(L"Class", L"CPropTestStranger");
    WriteText(L"Runtime", L"CNoSuchClass");
    const int liveBefore = g_livePropTestObjects;
    Load([](CKvoPropExchange* px) {
        CObject* object = nullptr;
        EXPECT_FALSE(px->ExchangeObjectInstance(object, RUNTIME_CLASS(CPropTestShape)));
        EXPECT_EQ(object, nullptr);
        CRuntimeClass* runtimeClass = nullptr;
        EXPECT_FALSE(PropExchangeRuntimeClass(px, L"Runtime", &runtimeClass, RUNTIME_CLASS(CPropTestShape)));
    });
    EXPECT_EQ(g_livePropTestObjects, liveBefore);
}

// Count 2 yields Item0 and Item1, then the end.
TEST_F(KvoPropExchangeRegistryTest, EnumeratorNamesItsSections)
{
    Store([](CKvoPropExchange* px) {
        std::unique_ptr<CKvoPropExchangeEnumerator> items(px->GetEnumerator(L"Item"));
        POSITION position = items->OnStartExchange(2);
        ASSERT_NE(position, nullptr);
        for (long i = 0; i < 2; ++i) {
            ASSERT_NE(position, nullptr);
            std::unique_ptr<CKvoPropExchange> item(items->GetNext(position));
            PropExchangeLong(item.get(), L"Index", &i, -1);
        }
        EXPECT_EQ(position, nullptr);
    });
    EXPECT_STREQ(ReadText(L"\\Item0", L"Index"), L"0");
    EXPECT_STREQ(ReadText(L"\\Item1", L"Index"), L"1");
}

} // namespace
