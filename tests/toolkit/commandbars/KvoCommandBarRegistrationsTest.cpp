#include <gtest/gtest.h>

#include "commandbars/KvoCommandBar.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoControlButton.h"
#include "commandbars/KvoPopupBar.h"

namespace {
TEST(KvoCommandBarRegistrationsTest, RegisteredClassesAreMadeByName)
{
    struct Row {
        const char* name;
        const CRuntimeClass* base;
    } rows[] = {
        {"CKvoCommandBar", RUNTIME_CLASS(CWnd)},
        {"CKvoPopupBar", RUNTIME_CLASS(CKvoCommandBar)},
        {"CKvoControl", RUNTIME_CLASS(CCmdTarget)},
        {"CKvoControlButton", RUNTIME_CLASS(CKvoControl)},
    };
    for (const Row& row : rows) {
        CRuntimeClass* record = CRuntimeClass::FromName(row.name);
        ASSERT_NE(nullptr, record) << row.name;
        EXPECT_EQ(row.base, record->m_pBaseClass) << row.name;
        EXPECT_EQ(VERSIONABLE_SCHEMA | 33u, record->m_wSchema) << row.name;
        EXPECT_EQ(record, CRuntimeClass::FromName(CString(row.name).GetString())) << row.name;
    }
}

TEST(KvoCommandBarRegistrationsTest, AButtonMadeByNameIsAControl)
{
    CObject* object = CRuntimeClass::CreateObject("CKvoControlButton");
    ASSERT_NE(nullptr, object);
    EXPECT_EQ(RUNTIME_CLASS(CKvoControlButton), object->GetRuntimeClass());
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CKvoControl)));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    CKvoControl* button = static_cast<CKvoControl*>(object);
    EXPECT_EQ(KvoControlTypeButton, button->GetType());
    EXPECT_EQ(1, button->GetEnabled());
    button->InternalRelease();

    CObject* bar = RUNTIME_CLASS(CKvoCommandBar)->CreateObject();
    ASSERT_NE(nullptr, bar);
    EXPECT_TRUE(bar->IsKindOf(RUNTIME_CLASS(CWnd)));
    delete bar;
}

TEST(KvoCommandBarRegistrationsTest, UnknownAndUnregisteredNamesFindNothing)
{
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CKvoNoSuchControl"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("ckvocontrolbutton"));
    // The collection is made through its own record, never by name.
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CKvoControls"));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CKvoNoSuchControl"));
}
}  // namespace
