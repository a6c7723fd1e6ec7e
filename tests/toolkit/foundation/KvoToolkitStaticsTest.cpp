#include <gtest/gtest.h>
#include <afxwin.h>
#include "foundation/base/KvoToolkitStatics.h"

namespace {
// A static of the ordinary kind, made after every static with a start-up
// priority: it sees the toolkit's registrations already done, as the
// application object and the rest of the library's statics do.
struct ToolkitStaticsWitness {
    ToolkitStaticsWitness()
        : calendarMessage(g_kvoCalendarSwitchViewMessage), alphaFormat(g_kvoAlphaBitmapClipboardFormat),
          userColorsEmpty(g_kvoUserColors.GetSize() == 0)
    {
    }
    UINT calendarMessage;
    UINT alphaFormat;
    bool userColorsEmpty;
} g_toolkitStaticsWitness;

std::wstring ToolkitClipboardFormatName(UINT format)
{
    wchar_t name[64] = {};
    int length = GetClipboardFormatNameW(format, name, 64);
    return std::wstring(name, length > 0 ? length : 0);
}
}

TEST(KvoToolkitStatics, RegisteredBeforeTheOtherStatics)
{
    EXPECT_EQ(g_toolkitStaticsWitness.calendarMessage, g_kvoCalendarSwitchViewMessage);
    EXPECT_NE(g_toolkitStaticsWitness.calendarMessage, 0u);
    EXPECT_NE(g_toolkitStaticsWitness.alphaFormat, 0u);
    EXPECT_TRUE(g_toolkitStaticsWitness.userColorsEmpty);
}

TEST(KvoToolkitStatics, MessagesAndFormatsByTheirNames)
{
    struct Case {
        const wchar_t* name;
        UINT value;
    } const messages[] = {
        {L"KvoNotificationSinkMTOnEvent", g_kvoNotificationSinkMessage},
        {L"KvoNotificationSinkMTOnEvent", g_kvoNotificationSinkThreadMessage},
        {L"KvoCalendarSwitchView", g_kvoCalendarSwitchViewMessage},
        {L"KvoCalendarUserAction", g_kvoCalendarUserActionMessage},
    };
    for (const Case& c : messages) {
        EXPECT_GE(c.value, 0xC000u) << "a registered message";
        EXPECT_EQ(c.value, RegisterWindowMessageW(c.name));
    }
    EXPECT_NE(g_kvoCalendarSwitchViewMessage, g_kvoCalendarUserActionMessage);

    EXPECT_EQ(ToolkitClipboardFormatName(g_kvoAlphaBitmapClipboardFormat), L"Alpha Bitmap Image");
    EXPECT_EQ(ToolkitClipboardFormatName(g_kvoToolBarImageClipboardFormat), L"Vantrel ToolBar Image");
}
