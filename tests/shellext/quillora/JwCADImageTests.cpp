#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>

#include "QuilloraServer.h"
#include "ShellHandlerFixture.h"

namespace {

class JwCADImageTest : public ShellHandlerTest {
protected:
    ATL::CComPtr<IExtractImage2> ImageOf(const std::wstring& path)
    {
        return CreateLoaded<IExtractImage2>(CLSID_JwCADImage, path, IID_IExtractImage2);
    }

    static HRESULT RequestSize(IExtractImage* image, LONG size, DWORD flags = IEIFLAG_ASYNC)
    {
        wchar_t location[MAX_PATH];
        DWORD priority = IEIT_PRIORITY_NORMAL;
        SIZE requested = {size, size};
        return image->GetLocation(location, MAX_PATH, &priority, &requested, 24, &flags);
    }
};

TEST_F(JwCADImageTest, GetLocationFillsThePathAndAnswersPendingForAsyncRequests)
{
    ATL::CComPtr<IExtractImage2> image = ImageOf(fixtures_.Drawing());
    ASSERT_TRUE(image);
    struct Case {
        DWORD flags;
        HRESULT expected;
    } cases[] = {{IEIFLAG_ASYNC, E_PENDING}, {IEIFLAG_ASYNC | IEIFLAG_ORIGSIZE, E_PENDING}, {0, S_OK},
                 {IEIFLAG_ORIGSIZE | IEIFLAG_SCREEN, S_OK}};
    for (const Case& c : cases) {
        wchar_t location[MAX_PATH] = L"";
        DWORD priority = IEIT_PRIORITY_NORMAL;
        DWORD flags = c.flags;
        SIZE size = {96, 96};
        EXPECT_EQ(c.expected, image->GetLocation(location, MAX_PATH, &priority, &size, 24, &flags)) << c.flags;
        EXPECT_EQ(fixtures_.Drawing(), location);
        EXPECT_EQ(c.flags, flags);
        EXPECT_EQ(static_cast<DWORD>(IEIT_PRIORITY_NORMAL), priority);
    }
}

TEST_F(JwCADImageTest, GetLocationCutsAPathLongerThanTheBuffer)
{
    const std::wstring longPath = fixtures_.Folder().At(std::wstring(200, L'a') + L".jww");
    ATL::CComPtr<IExtractImage2> image = ImageOf(longPath);
    ASSERT_TRUE(image);
    wchar_t buffer[48];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    DWORD priority = 0;
    DWORD flags = 0;
    SIZE size = {96, 96};
    EXPECT_EQ(S_OK, image->GetLocation(buffer, 32, &priority, &size, 24, &flags));
    EXPECT_EQ(longPath.substr(0, 31), buffer);
    EXPECT_TRUE(std::all_of(buffer + 32, std::end(buffer), [](wchar_t c) { return c == L'#'; }));
}

TEST_F(JwCADImageTest, NullOutPointersAnswerEPointer)
{
    ATL::CComPtr<IExtractImage2> image = ImageOf(fixtures_.Drawing());
    ASSERT_TRUE(image);
    wchar_t location[MAX_PATH];
    DWORD priority = 0;
    DWORD flags = 0;
    SIZE size = {96, 96};
    EXPECT_EQ(E_POINTER, image->GetLocation(nullptr, MAX_PATH, &priority, &size, 24, &flags));
    EXPECT_EQ(E_POINTER, image->GetLocation(location, MAX_PATH, &priority, nullptr, 24, &flags));
    EXPECT_EQ(E_INVALIDARG, image->GetLocation(location, 0, &priority, &size, 24, &flags));
    EXPECT_EQ(E_POINTER, image->Extract(nullptr));
    EXPECT_EQ(E_POINTER, image->GetDateStamp(nullptr));
}

TEST_F(JwCADImageTest, ExtractAsksTheLibraryForAtLeast256Pixels)
{
    struct Case {
        LONG requested;
        int expectedSize;
    } cases[] = {{96, 256}, {0, 256}, {-5, 256}, {256, 256}, {300, 300}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.requested);
        ATL::CComPtr<IExtractImage2> image = ImageOf(fixtures_.Drawing());
        ASSERT_TRUE(image);
        RequestSize(image, c.requested);
        HBITMAP bitmap = reinterpret_cast<HBITMAP>(1);
        HRESULT hr = image->Extract(&bitmap);
        LibraryImage library = LibraryThumbnail(fixtures_.Drawing(), c.expectedSize);
        EXPECT_EQ(library.result, hr);
        if (hr != S_OK) {
            EXPECT_EQ(nullptr, bitmap);
            continue;
        }
        BitmapFacts facts = FactsOf(bitmap);
        DeleteObject(bitmap);
        EXPECT_EQ(c.expectedSize, facts.width);
        EXPECT_EQ(c.expectedSize, facts.height);
        EXPECT_EQ(24, facts.bitsPerPixel);
        // The library's own picture, passed on untouched.
        EXPECT_EQ(library.inkPixels, facts.inkPixels);
    }
}

TEST_F(JwCADImageTest, DateStampIsTheFilesLastWriteTime)
{
    ATL::CComPtr<IExtractImage2> image = ImageOf(fixtures_.Drawing());
    ASSERT_TRUE(image);
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    ASSERT_TRUE(GetFileAttributesExW(fixtures_.Drawing().c_str(), GetFileExInfoStandard, &attributes));
    FILETIME stamp = {};
    EXPECT_EQ(S_OK, image->GetDateStamp(&stamp));
    EXPECT_EQ(0, CompareFileTime(&attributes.ftLastWriteTime, &stamp));

    ATL::CComPtr<IExtractImage2> missing = ImageOf(fixtures_.Folder().At(L"missing.jww"));
    ASSERT_TRUE(missing);
    EXPECT_EQ(E_FAIL, missing->GetDateStamp(&stamp));
}

TEST_F(JwCADImageTest, AnswersNoDispatchInterface)
{
    ATL::CComPtr<IExtractImage2> image = ImageOf(fixtures_.Drawing());
    ASSERT_TRUE(image);
    for (const IID* iid : {&IID_IExtractImage, &IID_IExtractImage2, &IID_IPersistFile}) {
        ATL::CComPtr<IUnknown> answer;
        EXPECT_EQ(S_OK, image->QueryInterface(*iid, reinterpret_cast<void**>(&answer)));
    }
    for (const IID* iid : {&IID_IDispatch, &IID_IJwCADImage, &IID_IQueryInfo}) {
        ATL::CComPtr<IUnknown> answer;
        EXPECT_EQ(E_NOINTERFACE, image->QueryInterface(*iid, reinterpret_cast<void**>(&answer)));
        EXPECT_EQ(nullptr, answer);
    }
}

}  // namespace
