#include "toolkit/markup/support/MarkupContextTest.h"
#include "framework/WindowTestSupport.h"
#include "markup/MarkupFunctions.h"
#include "markup/builder/KvoMarkupBuilder.h"
#include "markup/core/KvoMarkupContext.h"
#include "markup/parser/KvoMarkupParser.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupString.h"

ParsedMarkup ParseMarkupText(CKvoMarkupContext* context, LPCWSTR text)
{
    CKvoMarkupParser parser;
    parser.SetBuffer(text, text + lstrlenW(text));
    CKvoMarkupBuilder builder(context);
    ParsedMarkup parsed;
    parsed.root.Reset(builder.Parse(&parser));
    parsed.error = builder.GetErrorText();
    return parsed;
}

void MarkupContextTest::SetUp()
{
    // Shared values live until exit once asked for: ask before counting.
    for (int value = 0; value < 8; ++value)
        CKvoMarkupEnum::GetShared(value)->Release();
    CKvoMarkupString::CreateString(L" ")->Release();
    CKvoMarkupString::CreateString(L"\n")->Release();
    MarkupObjectTest::SetUp();
    context = MarkupCreateWindowContext(NULL);
    ASSERT_NE(context, nullptr);
}

void MarkupContextTest::TearDown()
{
    MarkupReleaseContext(&context);
    MarkupObjectTest::TearDown();
}

BOOL CMarkupTestWindow::Create(bool visible, int x, int y, int cx, int cy)
{
    return CreateTestPopup(*this, visible, x, y, cx, cy);
}

LRESULT CMarkupTestWindow::SendMouse(UINT message, int x, int y, WPARAM wParam)
{
    return SendMessage(message, wParam, MAKELPARAM(x, y));
}

LRESULT CMarkupTestWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const Root& root : roots) {
        LRESULT result = 0;
        if (MarkupRelayMessage(root.element, message, wParam, lParam, &result))
            return result;
    }
    if (message == WM_PAINT) {
        CPaintDC dc(this);
        for (const Root& root : roots)
            MarkupRenderElement(root.element, dc.GetSafeHdc(), &root.rect);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void MarkupWindowContextTest::SetUp()
{
    MarkupContextTest::SetUp();
    ASSERT_TRUE(window.Create(false));
    windowContext = MarkupCreateWindowContext(window.GetSafeHwnd());
    ASSERT_NE(windowContext, nullptr);
}

void MarkupWindowContextTest::TearDown()
{
    window.roots.clear();
    for (CKvoMarkupUIElement*& root : roots)
        MarkupReleaseElement(&root);
    MarkupReleaseContext(&windowContext);
    window.DestroyWindow();
    MarkupContextTest::TearDown();
}

CKvoMarkupUIElement* MarkupWindowContextTest::ParseRoot(LPCWSTR text)
{
    CKvoMarkupUIElement* root = MarkupParseText(windowContext, text);
    if (root)
        roots.push_back(root);
    return root;
}
