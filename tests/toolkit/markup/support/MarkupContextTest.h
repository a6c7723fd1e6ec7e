#pragma once
#include <gtest/gtest.h>
#include <afxwin.h>
#include <string>
#include <vector>
#include "markup/core/KvoMarkupPtr.h"
#include "markup/elements/KvoMarkupUIElement.h"
#include "toolkit/markup/support/MarkupObjectTest.h"

class CKvoMarkupContext;

// A parse's root (one reference, or none) and the builder's error text.
struct ParsedMarkup {
    CKvoMarkupPtr<CKvoMarkupUIElement> root;
    std::wstring error;
};

// Parses text in context with a builder of its own, so that the error text
// can be read (the context's own parse drops it).
ParsedMarkup ParseMarkupText(CKvoMarkupContext* context, LPCWSTR text);

// Base of the tests that parse markup: the markup object checks of
// MarkupObjectTest, the shared values markup asks for made first, and a
// context without a window made before each test and released after it.
class MarkupContextTest : public MarkupObjectTest {
protected:
    void SetUp() override;
    void TearDown() override;
    ParsedMarkup Parse(LPCWSTR text) { return ParseMarkupText(context, text); }

    CKvoMarkupContext* context = nullptr;
};

// The test window of markup: it relays every message to each of its roots
// in turn through the flat interface (the first that handles it answers),
// and paints each root into its rectangle.
class CMarkupTestWindow : public CWnd {
public:
    struct Root {
        CKvoMarkupUIElement* element; // the test's: never released here
        RECT rect;
    };

    // A hidden popup unless visible.
    BOOL Create(bool visible, int x = 40, int y = 40, int cx = 240, int cy = 140);
    // Messages sent as the system would send them, in client coordinates.
    LRESULT SendMouse(UINT message, int x, int y, WPARAM wParam = 0);

    std::vector<Root> roots;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Base of the tests that relay a hidden test window's messages to markup
// parsed in the window's own context. The roots parsed are released after
// each test, then the context.
class MarkupWindowContextTest : public MarkupContextTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Parses text in the window's context (null on a build error).
    CKvoMarkupUIElement* ParseRoot(LPCWSTR text);

    CMarkupTestWindow window;
    CKvoMarkupContext* windowContext = nullptr;
    std::vector<CKvoMarkupUIElement*> roots;
};
