#pragma once
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include "markup/core/KvoMarkupObject.h"

// Base of the markup tests: the library's and the tests' types registered
// and the shared values made before the test, and every markup object the
// test made gone after it (the live-object count back where it started).
class MarkupObjectTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The test made count objects that live until the process ends (such
    // as a property it registered).
    void KeepForProcess(long count) { m_liveObjectsAtStart += count; }

private:
    long m_liveObjectsAtStart = 0;
};

// The message of the build error that action raises (the exception is
// deleted), or "(no build error)".
std::wstring CatchMarkupBuildError(const std::function<void()>& action);
