// A colour popup whose window fails in WM_CREATE is deleted once, by its
// window; the picker is left closed and opens a popup again afterwards.
// (A second delete faults under WINEDEBUG=warn+heap, or at once when the
// freed object's virtual table was overwritten.)
#include <gtest/gtest.h>

#include <afxwin.h>

#include "foundation/controls/KvColorPicker.h"
#include "ColorTestSupport.h"
#include "ButtonTestSupport.h"
#include "WindowCreationFailure.h"

namespace
{
TEST(KvColorPopupCreation, PopupWhoseCreationFailsIsDeletedOnceAndThePickerStaysUsable)
{
    CColorLanguageScope language;
    ASSERT_TRUE(language.IsLoaded());
    CButtonTestParent parent;
    ASSERT_TRUE(CreateTestPopup(parent, true, 40, 40, 200, 100));
    CKvColorPicker picker;
    ASSERT_TRUE(picker.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 34), &parent, 1040));
    picker.SetFocus();
    {
        WindowCreationFailure failure(L"Afx:");
        ASSERT_TRUE(failure.IsHooked());
        picker.SendMessage(WM_KEYDOWN, VK_DOWN);
        ASSERT_TRUE(picker.IsPopupOpen());
        EXPECT_TRUE(PumpUntil([&] { return failure.Failed() > 0 && !picker.IsPopupOpen(); }));
        EXPECT_EQ(failure.Failed(), 1);
    }
    picker.SendMessage(WM_KEYDOWN, VK_DOWN);
    CKvColorPopup* popup = nullptr;
    EXPECT_TRUE(PumpUntil([&] {
        popup = dynamic_cast<CKvColorPopup*>(CWnd::FromHandlePermanent(::GetFocus()));
        return popup != nullptr && popup->IsWindowVisible();
    }));
    if (popup)
        popup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !picker.IsPopupOpen(); }));
    parent.DestroyWindow();
}
} // namespace
