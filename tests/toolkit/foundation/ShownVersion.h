#pragma once
#include "foundation/base/KvoSystemVersion.h"

// While it lives, the toolkit answers version questions for the given
// Windows version instead of the one the tests run on.
class ShownVersion {
public:
    ShownVersion(DWORD major, DWORD minor, DWORD build = 0) : m_version(major, minor, build)
    {
        CKvoSystemVersion::Substitute(&m_version);
    }
    ~ShownVersion() { CKvoSystemVersion::Substitute(nullptr); }
    ShownVersion(const ShownVersion&) = delete;
    ShownVersion& operator=(const ShownVersion&) = delete;

private:
    CKvoSystemVersion m_version;
};
