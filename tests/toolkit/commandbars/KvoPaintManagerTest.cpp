#include <gtest/gtest.h>
#include "commandbars/KvoPaintManager.h"

// The exit-time release runs whether or not a paint manager was ever made.
TEST(KvoPaintManager, DestroyInstanceWithoutAPaintManager)
{
    ASSERT_EQ(CKvoPaintManager::GetInstance(), nullptr);
    CKvoPaintManager::DestroyInstance();
    CKvoPaintManager::DestroyInstance();
    EXPECT_EQ(CKvoPaintManager::GetInstance(), nullptr);
}
