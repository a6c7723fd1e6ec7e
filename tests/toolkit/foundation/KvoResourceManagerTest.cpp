#include <gtest/gtest.h>
#include <afxwin.h>
#include <afxext.h>
#include <string>
#include <vector>
#include "framework/WindowTestSupport.h"
#include "support/TestPaths.h"
#include "foundation/base/KvoManageState.h"
#include "foundation/base/KvoResourceManager.h"

namespace {
const wchar_t kToolkitText[] = L"ツールキットの文字列";

// The fixture modules, loaded for the test; the toolkit goes back to having
// no module of its own afterwards.
class KvoResourceManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_japanese = LoadLibraryW(BesideTestProgram(L"KvoFixtureJapanese.dll").c_str());
        m_mixed = LoadLibraryW(BesideTestProgram(L"KvoFixtureMixed.dll").c_str());
        m_hindi = LoadLibraryW(BesideTestProgram(L"KvoFixtureHindi.dll").c_str());
        m_damaged = LoadLibraryW(BesideTestProgram(L"KvoFixtureDamaged.dll").c_str());
        m_toolBar = LoadLibraryW(BesideTestProgram(L"KvoFixtureToolBar.dll").c_str());
        ASSERT_TRUE(m_japanese && m_mixed && m_hindi && m_damaged && m_toolBar);
    }
    void TearDown() override
    {
        Manager()->SetResourceHandle(nullptr);
        AfxSetResourceHandle(nullptr);
        for (HMODULE module : {m_japanese, m_mixed, m_hindi, m_damaged, m_toolBar})
            FreeLibrary(module);
    }

    static CKvoResourceManager* Manager() { return CKvoResourceManager::Instance(); }

    HMODULE m_japanese = nullptr, m_mixed = nullptr, m_hindi = nullptr, m_damaged = nullptr, m_toolBar = nullptr;
};

// The live menus and bitmaps of the process. Wine finds a user or GDI
// object by the low 16 bits of its handle alone, so every slot is asked.
int LiveMenus()
{
    int count = 0;
    for (UINT_PTR slot = 1; slot < 0x10000; ++slot)
        count += IsMenu(reinterpret_cast<HMENU>(slot)) ? 1 : 0;
    return count;
}

int LiveBitmaps()
{
    int count = 0;
    for (UINT_PTR slot = 1; slot < 0x10000; ++slot)
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) == OBJ_BITMAP ? 1 : 0;
    return count;
}

// What a toolbar button is.
struct ToolBarButton {
    UINT id;
    UINT style;
    int image;
    bool operator==(const ToolBarButton& other) const
    {
        return id == other.id && style == other.style && image == other.image;
    }
};

std::vector<ToolBarButton> ButtonsOf(const CToolBar& bar)
{
    std::vector<ToolBarButton> buttons(bar.GetCount());
    for (int i = 0; i < bar.GetCount(); ++i)
        bar.GetButtonInfo(i, buttons[i].id, buttons[i].style, buttons[i].image);
    return buttons;
}
}

// String 9000 lives in block 563 at index 8.
TEST_F(KvoResourceManagerTest, StringFromItsBlockAndIndex)
{
    ASSERT_NE(FindResourceW(m_japanese, MAKEINTRESOURCEW(563), RT_STRING), nullptr);
    CString text(L"stale");
    EXPECT_EQ(CKvoResourceManager::LoadStringFromModule(m_japanese, 9000, &text), 10);
    EXPECT_STREQ(text, kToolkitText);
    EXPECT_EQ(CKvoResourceManager::LoadStringFromModule(m_japanese, 8992, &text), 7) << "index 0";
    EXPECT_EQ(CKvoResourceManager::LoadStringFromModule(m_japanese, 9001, &text), 0) << "empty entry";
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(CKvoResourceManager::LoadStringFromModule(m_japanese, 4000, &text), 0) << "no such block";
}

TEST_F(KvoResourceManagerTest, DamagedBlocksGiveNothing)
{
    CString text(L"stale");
    EXPECT_EQ(CKvoResourceManager::LoadStringFromModule(m_damaged, 9000, &text), 0) << "block ends first";
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(CKvoResourceManager::LoadStringFromModule(m_damaged, 9016, &text), 0) << "length past the end";
    EXPECT_TRUE(text.IsEmpty());
}

// The toolkit module first; when it has nothing, the application's current
// resource handle.
TEST_F(KvoResourceManagerTest, ToolkitModuleThenTheApplication)
{
    Manager()->SetResourceHandle(m_japanese);
    CString text;
    EXPECT_TRUE(Manager()->LoadString(&text, 9000));
    EXPECT_STREQ(text, kToolkitText);

    Manager()->SetResourceHandle(m_damaged);
    EXPECT_FALSE(Manager()->LoadString(&text, 9000));
    AfxSetResourceHandle(m_japanese);
    EXPECT_TRUE(Manager()->LoadString(&text, 9000)) << "falls back to the application";
    EXPECT_STREQ(text, kToolkitText);

    BOOL missing = FALSE;
    EXPECT_TRUE(Manager()->LoadString(9999, &missing).IsEmpty());
    EXPECT_TRUE(missing);
    EXPECT_STREQ(Manager()->LoadString(9000, &missing), kToolkitText);
    EXPECT_FALSE(missing);
}

TEST_F(KvoResourceManagerTest, LanguageOfTheModule)
{
    const struct {
        const char* name;
        HMODULE module;  // null: no toolkit module
        WORD language;
        UINT codePage;
        UINT charset;
    } cases[] = {
        {"Japanese only", m_japanese, 1041, 932, 128},
        {"English, then Japanese", m_mixed, 1041, 932, 128},
        {"outside the table", m_hindi, 1033, 0, 0},
        {"no module", nullptr, 1033, 0, 0},
    };
    for (const auto& c : cases) {
        Manager()->SetResourceHandle(c.module);
        EXPECT_EQ(Manager()->GetLanguageInfo(), c.language) << c.name;
        EXPECT_EQ(Manager()->GetLanguage()->codePage, c.codePage) << c.name;
        EXPECT_EQ(Manager()->GetLanguage()->charset, c.charset) << c.name;
    }
}

TEST_F(KvoResourceManagerTest, AnsiTextInTheModulesCodePage)
{
    Manager()->SetResourceHandle(m_japanese);
    EXPECT_STREQ(Manager()->WideToAnsi(L"\x3042x"), "\x82\xA0x");
    Manager()->FreeAnsi();
}

TEST_F(KvoResourceManagerTest, HtmlPageAndDialogTemplate)
{
    Manager()->SetResourceHandle(m_japanese);
    CString page;
    EXPECT_TRUE(Manager()->LoadHTML(&page, 10));
    EXPECT_STREQ(page, L"0123456789");
    EXPECT_FALSE(Manager()->LoadHTML(nullptr, 10));
    EXPECT_FALSE(Manager()->LoadHTML(&page, 11));

    EXPECT_NE(Manager()->LoadDialogTemplate(100), nullptr);
    EXPECT_EQ(Manager()->LoadDialogTemplate(101), nullptr);
}

TEST_F(KvoResourceManagerTest, MissingMenusCursorsAndIconsGiveNothing)
{
    Manager()->SetResourceHandle(m_japanese);
    CMenu menu;
    EXPECT_FALSE(Manager()->LoadMenu(&menu, 9601));
    EXPECT_EQ(menu.GetSafeHmenu(), nullptr);
    CBitmap bitmap;
    EXPECT_FALSE(Manager()->LoadBitmap(&bitmap, 9601));
    EXPECT_EQ(Manager()->LoadCursor(9972), nullptr);
    EXPECT_EQ(Manager()->LoadIcon(9972, 16, 16), nullptr);
    EXPECT_EQ(Manager()->CreateIconFromResource(m_japanese, MAKEINTRESOURCEW(9972), 16, 16), nullptr);
}

// A menu or bitmap that its object refuses (it holds one already) is freed,
// whether it came from the toolkit module or from the application.
TEST_F(KvoResourceManagerTest, RefusedMenusAndBitmapsAreFreed)
{
    for (bool fromToolkit : {true, false}) {
        SCOPED_TRACE(fromToolkit ? "toolkit module" : "application");
        Manager()->SetResourceHandle(fromToolkit ? m_toolBar : nullptr);
        AfxSetResourceHandle(fromToolkit ? nullptr : m_toolBar);
        CMenu menu;
        ASSERT_TRUE(Manager()->LoadMenu(&menu, 310));
        CBitmap bitmap;
        ASSERT_TRUE(Manager()->LoadBitmap(&bitmap, 300));
        const HMENU heldMenu = menu.GetSafeHmenu();
        const HGDIOBJ heldBitmap = bitmap.GetSafeHandle();
        const int menus = LiveMenus(), bitmaps = LiveBitmaps();
        for (int i = 0; i < 10; ++i) {
            EXPECT_FALSE(Manager()->LoadMenu(&menu, 310));
            EXPECT_FALSE(Manager()->LoadBitmap(&bitmap, 300));
        }
        EXPECT_EQ(LiveMenus(), menus);
        EXPECT_EQ(LiveBitmaps(), bitmaps);
        EXPECT_EQ(menu.GetSafeHmenu(), heldMenu);
        EXPECT_EQ(bitmap.GetSafeHandle(), heldBitmap);
    }
}

// The toolkit module's toolbar read into a real toolbar control: buttons,
// separator, images and sizes as the resource gives them.
TEST_F(KvoResourceManagerTest, ToolBarFromTheToolkitModule)
{
    CWnd parent;
    ASSERT_TRUE(CreateTestPopup(parent, true, 40, 40, 200, 60));
    CToolBar bar;
    ASSERT_TRUE(bar.Create(&parent));
    Manager()->SetResourceHandle(m_toolBar);
    ASSERT_TRUE(Manager()->LoadToolBar(&bar, 300));
    const std::vector<ToolBarButton> expected = {
        {301, TBBS_BUTTON, 0}, {ID_SEPARATOR, TBBS_SEPARATOR, -1}, {302, TBBS_BUTTON, 1}, {303, TBBS_BUTTON, 2}};
    EXPECT_EQ(ButtonsOf(bar), expected);
    EXPECT_EQ(bar.GetItemID(1), static_cast<UINT>(ID_SEPARATOR));
    EXPECT_EQ(bar.SendMessage(TB_GETBUTTONSIZE), MAKELONG(16 + 7, 15 + 6));

    bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CWindowPicture picture(bar.m_hWnd);
    picture.SavePng(TestOutputFolder() + L"\\KvoToolBar.png");
    const struct {
        int index;
        COLORREF color;
    } images[] = {{0, RGB(220, 0, 0)}, {2, RGB(0, 160, 0)}, {3, RGB(0, 0, 220)}};
    for (const auto& image : images) {
        CRect item;
        ASSERT_TRUE(bar.SendMessage(TB_GETITEMRECT, image.index, reinterpret_cast<LPARAM>(&item)));
        EXPECT_EQ(picture.Pixel(item.CenterPoint().x, item.CenterPoint().y), image.color) << image.index;
    }
    parent.DestroyWindow();
}

// Only the toolkit module is asked when one is set; without one the
// application's resources. Damaged resources and a bar without its window
// load nothing.
TEST_F(KvoResourceManagerTest, ToolBarsThatDoNotLoad)
{
    CWnd parent;
    ASSERT_TRUE(CreateTestPopup(parent));
    CToolBar bar;
    EXPECT_FALSE(Manager()->LoadToolBar(&bar, 300)) << "no window";
    EXPECT_FALSE(Manager()->LoadToolBar(nullptr, 300));
    ASSERT_TRUE(bar.Create(&parent));

    Manager()->SetResourceHandle(m_japanese);
    AfxSetResourceHandle(m_toolBar);
    EXPECT_FALSE(Manager()->LoadToolBar(&bar, 300)) << "no second try";
    Manager()->SetResourceHandle(nullptr);
    EXPECT_TRUE(Manager()->LoadToolBar(&bar, 300)) << "the application's";
    EXPECT_EQ(bar.GetCount(), 4);

    Manager()->SetResourceHandle(m_toolBar);
    const struct {
        UINT id;
        const char* name;
    } cases[] = {{320, "version 2"}, {330, "count past the end"}, {999, "missing"}};
    for (const auto& c : cases)
        EXPECT_FALSE(Manager()->LoadToolBar(&bar, c.id)) << c.name;
    parent.DestroyWindow();
}

TEST_F(KvoResourceManagerTest, MenuStrings)
{
    CString text(L"stale");
    EXPECT_EQ(Manager()->GetMenuString(nullptr, 0, &text, MF_BYPOSITION), 0);
    CMenu empty;
    EXPECT_EQ(Manager()->GetMenuString(&empty, 0, &text, MF_BYPOSITION), 0);

    CMenu menu;
    ASSERT_TRUE(menu.Attach(CreatePopupMenu()));
    AppendMenuW(menu, MF_STRING, 7, L"Item");
    EXPECT_EQ(Manager()->GetMenuString(&menu, 0, &text, MF_BYPOSITION), 4);
    EXPECT_STREQ(text, L"Item");
    EXPECT_EQ(Manager()->GetMenuString(&menu, 5, &text, MF_BYPOSITION), 0);
    EXPECT_TRUE(text.IsEmpty());
}

// Inside the scope the class library loads from the toolkit module.
TEST_F(KvoResourceManagerTest, ManageStateSwitchesForItsScope)
{
    HINSTANCE before = AfxGetResourceHandle();
    {
        CKvoManageState unchanged;
        EXPECT_EQ(AfxGetResourceHandle(), before) << "no toolkit module, nothing to switch";
    }
    Manager()->SetResourceHandle(m_japanese);
    {
        CKvoManageState toolkit;
        EXPECT_EQ(AfxGetResourceHandle(), m_japanese);
        CString text;
        EXPECT_TRUE(text.LoadString(9000));
    }
    EXPECT_EQ(AfxGetResourceHandle(), before);
}

TEST(KvoResourceManager, OneManagerPerProcess)
{
    CKvoResourceManager* manager = CKvoResourceManager::Instance();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(CKvoResourceManager::Instance(), manager);
}
