#include "QuilloraServer.h"

#include <gtest/gtest.h>

#include "ProcessWait.h"
#include "QuilloraTestSupport.h"
#include "RegistryView.h"

const wchar_t kQuilloraAppId[] = L"{2B923585-F8FE-4DCB-8B30-37A9AD2C432D}";
const wchar_t kInfoTipHandlerKey[] = L"{00021500-0000-0000-C000-000000000046}";
const wchar_t kThumbnailHandlerKey[] = L"{BB2E617C-0920-11D1-9A0B-00C04FC2D6C1}";
const wchar_t* const kDrawingExtensions[4] = {L".jww", L".jwc", L".jws", L".jwk"};

std::wstring QuilloraDll()
{
    return BinFile(L"Quillora.dll");
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

namespace {

// The shell finds the server only through the registry: register the
// build's servers for the whole run the way a user does, with Regalto64 and
// the "Setting.ini" beside it, as "scripts/try" does.
class QuilloraRegisteredForTheRun : public testing::Environment {
public:
    void SetUp() override
    {
        ChildResult result = RunChild(Quoted(BinFile(L"Regalto64.exe")) + L" /s");
        ASSERT_TRUE(result.finished);
        ASSERT_EQ(0u, result.exitCode) << "Regalto64 found nothing to register";
        ASSERT_TRUE(WaitUntilNoProcessNamed(L"regsvr32.exe", 60000)) << "regsvr32 did not end";
        std::wstring server = L"CLSID\\" + GuidText(CLSID_JwCADImage) + L"\\InprocServer32";
        std::wstring registered = RegistryView::Own().String(HKEY_CLASSES_ROOT, server).value_or(L"(none)");
        ASSERT_TRUE(SamePath(QuilloraDll(), registered)) << "registered: " << Utf8(registered);
    }
};

testing::Environment* const registration = testing::AddGlobalTestEnvironment(new QuilloraRegisteredForTheRun);

}  // namespace
