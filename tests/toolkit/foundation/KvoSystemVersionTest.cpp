#include <gtest/gtest.h>
#include "foundation/base/KvoModuleHandle.h"
#include "toolkit/foundation/ShownVersion.h"

namespace {
struct VersionCase {
    DWORD major, minor, platform;
    // Expected answers: XP+, Vista+, 7+, 10+, 9x, 95, 98, NT4, NT4+, 2K, 2K+, XP, Vista, 7, 8, 8.1, 10.
    bool answers[17];
};

const DWORD NT = VER_PLATFORM_WIN32_NT;
const DWORD W9X = VER_PLATFORM_WIN32_WINDOWS;

const VersionCase kVersions[] = {
    {4, 0, W9X, {0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {4, 10, W9X, {0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {4, 0, NT, {0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
    {5, 0, NT, {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0}},
    {5, 1, NT, {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 0, 0, 0, 0, 0}},
    {6, 0, NT, {1, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0}},
    {6, 1, NT, {1, 1, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1, 0, 0, 0}},
    {6, 2, NT, {1, 1, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0}},
    {6, 3, NT, {1, 1, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0}},
    {10, 0, NT, {1, 1, 1, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1}},
};

void Answers(const CKvoSystemVersion& v, bool out[17])
{
    const BOOL all[17] = {v.IsWinXPOrGreater(), v.IsWinVistaOrGreater(), v.IsWin7OrGreater(), v.IsWin10OrGreater(),
                          v.IsWin9x(), v.IsWin95(), v.IsWin98(), v.IsNT4(), v.IsNT4OrGreater(), v.IsWin2K(),
                          v.IsWin2KOrGreater(), v.IsWinXP(), v.IsWinVista(), v.IsWin7(), v.IsWin8(), v.IsWin81(),
                          v.IsWin10()};
    for (int i = 0; i < 17; ++i)
        out[i] = all[i] != FALSE;
}
}

TEST(KvoSystemVersion, EveryQuestionOnBothSidesOfItsVersion)
{
    for (const VersionCase& c : kVersions) {
        CKvoSystemVersion version(c.major, c.minor, 0, c.platform);
        bool answers[17];
        Answers(version, answers);
        for (int i = 0; i < 17; ++i)
            EXPECT_EQ(answers[i], c.answers[i]) << c.major << "." << c.minor << " question " << i;
        EXPECT_EQ(version.IsClearTypeTextQualitySupported(), version.IsWinXPOrGreater());
    }
}

// The system's record asks Windows for the ...OrGreater answers; they agree
// with the version the record was given.
TEST(KvoSystemVersion, SystemRecordAgreesWithWindows)
{
    CKvoSystemVersion* system = CKvoSystemVersion::Instance();
    ASSERT_NE(system, nullptr);
    CKvoSystemVersion same(system->dwMajorVersion, system->dwMinorVersion, system->dwBuildNumber,
                           system->dwPlatformId);
    bool fromWindows[17], fromRecord[17];
    Answers(*system, fromWindows);
    Answers(same, fromRecord);
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(fromWindows[i], fromRecord[i]) << "question " << i;
    EXPECT_EQ(CKvoSystemVersion::Instance(), system) << "one record per process";
}

TEST(KvoSystemVersion, SubstituteAnswersUntilRemoved)
{
    CKvoSystemVersion* system = CKvoSystemVersion::Instance();
    {
        ShownVersion eightOne(6, 3);
        EXPECT_NE(CKvoSystemVersion::Instance(), system);
        EXPECT_TRUE(CKvoSystemVersion::Instance()->IsWin81());
    }
    EXPECT_EQ(CKvoSystemVersion::Instance(), system);
}

TEST(KvoSystemVersion, ReleaseIdOnlyFromWindows10)
{
    CKvoSystemVersion seven(6, 1, 7601);
    DWORD build = 0, ubr = 99;
    EXPECT_EQ(seven.GetWindowsReleaseId(&build, &ubr), 0);
    EXPECT_EQ(build, 7601u);
    EXPECT_EQ(ubr, 0u);

    CKvoSystemVersion ten(10, 0, 19045);
    EXPECT_GE(ten.GetWindowsReleaseId(&build, &ubr), 0);
    EXPECT_EQ(build, 19045u);
}

TEST(KvoSystemVersion, CommonControlsVersionIsAskedOnce)
{
    CKvoModuleHandle comctl(L"COMCTL32.DLL");
    DWORD asked = comctl.GetVersion();
    EXPECT_EQ(CKvoSystemVersion::GetComCtlVersion(), asked ? asked : 0x40000u);
    EXPECT_EQ(CKvoSystemVersion::GetComCtlVersion(), CKvoSystemVersion::GetComCtlVersion());
}
