#include <gtest/gtest.h>
#include <vector>
#include "framework/WindowTestSupport.h"
#include "markup/MarkupFunctions.h"
#include "markup/drawing/KvoMarkupFont.h"
#include "markup/text/KvoMarkupHyperlink.h"
#include "toolkit/foundation/images/KvoImageTestSupport.h"
#include "toolkit/markup/support/MarkupContextTest.h"
#include "toolkit/markup/support/MarkupTestElement.h"
#include "toolkit/markup/support/MarkupTextTestSupport.h"

namespace {
// A text block parsed in a window's context, relayed and drawn through the
// flat interface alone.
class KvoMarkupTextWindowTest : public MarkupWindowContextTest {
protected:
    void Render() { MarkupRenderElement(root, canvas.Dc()->GetSafeHdc(), &rect); }
    // The first piece of inline's text, or null.
    const CKvoMarkupTextPiece* PieceUnder(const CKvoMarkupInline* ancestor) const
    {
        for (const auto& line : static_cast<CKvoMarkupTextBlock*>(root)->GetLines()) {
            for (const auto& piece : line->pieces) {
                for (const CKvoMarkupObject* object = piece->GetInline(); object; object = object->GetLogicalParent()) {
                    if (object == ancestor)
                        return piece.get();
                }
            }
        }
        return nullptr;
    }

    CKvoMarkupUIElement* root = nullptr;
    TestCanvas canvas{240, 40};
    RECT rect = {0, 0, 240, 40};
};

}

TEST_F(KvoMarkupTextWindowTest, BoldTextAndAWorkingHyperlinkThroughTheFlatInterface)
{
    root = ParseRoot(L"<TextBlock Padding='4' TextWrapping='Wrap'>Plain <Bold>bold</Bold> and "
                     L"<Hyperlink>a link</Hyperlink> here</TextBlock>");
    ASSERT_NE(root, nullptr);
    ASSERT_TRUE(root->IsKindOf(CKvoMarkupTextBlock::s_type));
    Render();
    window.roots.push_back({root, rect});
    CKvoMarkupInlineCollection* inlines = static_cast<CKvoMarkupTextBlock*>(root)->GetInlines();
    CKvoMarkupHyperlink* link = nullptr;
    std::vector<CKvoMarkupRun*> plainRuns;
    CKvoMarkupRun* boldRun = nullptr;
    for (int index = 0; index < inlines->GetCount(); ++index) {
        CKvoMarkupInline* item = inlines->GetInline(index);
        if (item->IsKindOf(CKvoMarkupHyperlink::s_type))
            link = static_cast<CKvoMarkupHyperlink*>(item);
        else if (item->IsKindOf(CKvoMarkupBold::s_type))
            boldRun = static_cast<CKvoMarkupRun*>(item->GetFirstInline());
        else if (item->IsKindOf(CKvoMarkupRun::s_type))
            plainRuns.push_back(static_cast<CKvoMarkupRun*>(item));
    }
    ASSERT_TRUE(link && boldRun);
    ASSERT_GE(plainRuns.size(), 2u);
    // The context's cache gives equal requests one font.
    EXPECT_EQ(plainRuns[0]->GetFont(), plainRuns[1]->GetFont());
    EXPECT_NE(boldRun->GetFont(), plainRuns[0]->GetFont());
    EXPECT_EQ(boldRun->GetFont()->GetDescription().lfWeight, FW_BOLD);

    const CKvoMarkupTextPiece* linkPiece = PieceUnder(link);
    ASSERT_NE(linkPiece, nullptr);
    const RECT linkRect = linkPiece->GetRect();
    EXPECT_GT(CountCanvasColor(canvas, linkRect, RGB(0, 0, 255)), 0) << "the link is blue";

    std::vector<CTestMarkupDelegate::Call> clicks;
    link->AddHandler(CKvoMarkupHyperlink::s_clickEvent, new CTestMarkupDelegate(&clicks));
    const int x = (linkRect.left + linkRect.right) / 2, y = (linkRect.top + linkRect.bottom) / 2;
    window.SendMouse(WM_MOUSEMOVE, x, y);
    EXPECT_EQ(window.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(window.GetSafeHwnd()),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
    canvas.Dc()->FillSolidRect(&rect, RGB(255, 255, 255));
    Render();
    EXPECT_GT(CountCanvasColor(canvas, linkRect, RGB(255, 0, 0)), 0) << "red while hovered";
    EXPECT_EQ(CountCanvasColor(canvas, linkRect, RGB(0, 0, 255)), 0);
    EXPECT_TRUE(SaveBitmapAsPng(canvas.Bitmap(), (TestOutputFolder() + L"\\markup-textblock-hovered-link.png").c_str()));

    window.SendMouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    window.SendMouse(WM_LBUTTONUP, x, y);
    EXPECT_EQ(clicks.size(), 1u);
    // Pressed on the link, released off it: no click; the next press and
    // release on it click once.
    window.SendMouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    window.SendMouse(WM_MOUSEMOVE, 2, 2, MK_LBUTTON);
    window.SendMouse(WM_LBUTTONUP, 2, 2);
    EXPECT_EQ(clicks.size(), 1u);
    window.SendMouse(WM_MOUSEMOVE, x, y);
    window.SendMouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    window.SendMouse(WM_LBUTTONUP, x, y);
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(KvoMarkupTextWindowTest, MarkupTextFormsOfTheTextProperties)
{
    root = ParseRoot(L"<TextBlock TextAlignment='Right' TextTrimming='WordEllipsis' FontWeight='SemiBold'>"
                     L"<Run BaselineAlignment='Superscript' FontStyle='Italic' TextDecorations='Strikethrough'"
                     L" FontQuality='ClearType'>x</Run></TextBlock>");
    ASSERT_NE(root, nullptr);
    auto enumValue = [](const CKvoMarkupObject* object, const CKvoMarkupDependencyProperty* property) {
        const CKvoMarkupEnum* value = static_cast<const CKvoMarkupEnum*>(object->GetValue(property));
        return value ? value->GetValue() : -1;
    };
    const CKvoMarkupInline* run = static_cast<CKvoMarkupTextBlock*>(root)->GetInlines()->GetInline(0);
    EXPECT_EQ(enumValue(root, CKvoMarkupTextBlock::s_textAlignmentProperty), KvoMarkupTextAlignment::Right);
    EXPECT_EQ(enumValue(root, CKvoMarkupTextBlock::s_textTrimmingProperty), KvoMarkupTextTrimming::WordEllipsis);
    EXPECT_EQ(enumValue(run, CKvoMarkupTextElement::s_fontWeightProperty), 600);
    EXPECT_EQ(enumValue(run, CKvoMarkupInline::s_baselineAlignmentProperty), KvoMarkupBaselineAlignment::Superscript);
    EXPECT_EQ(enumValue(run, CKvoMarkupTextElement::s_fontStyleProperty), 1);
    EXPECT_EQ(enumValue(run, CKvoMarkupTextElement::s_textDecorationsProperty), KvoMarkupTextDecoration::Strikethrough);
    EXPECT_EQ(enumValue(run, CKvoMarkupTextElement::s_fontQualityProperty), 5);
}
