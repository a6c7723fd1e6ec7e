// The images a drawing of version 700 carries: packed ones are unpacked into
// the cache folder under the reader's prefix, refused names never leave it,
// and the stream stays in step whatever is refused.
#include <gtest/gtest.h>

#include <string>
#include <zlib.h>

#include "app/TavrenaApp.h"
#include "core/jww/JwwTestSupport.h"
#include "figures/FigVisit.h"
#include "jww/GzipUnpack.h"
#include "jww/JwwEmbeddedFiles.h"
#include "reader/BCN_CImpJWW.h"
#include "reader/LoadState.h"

namespace {

std::vector<uint8_t> Gzip(const std::string& text)
{
    z_stream stream = {};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> packed(deflateBound(&stream, static_cast<uLong>(text.size())) + 32);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = packed.data();
    stream.avail_out = static_cast<uInt>(packed.size());
    deflate(&stream, Z_FINISH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return packed;
}

std::string ReadAll(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

jwwrite::EmbeddedImage ImageOf(const jwwrite::JwText& name, const std::vector<uint8_t>& data)
{
    jwwrite::EmbeddedImage image;
    image.name = name;
    image.data = data;
    return image;
}

std::vector<uint8_t> BytesOf(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::wstring ReaderFile(const CJwCADBase& reader, const wchar_t* name)
{
    return std::wstring(ReaderFilePrefix(theApp.m_cacheFolder, reader.m_readerId).GetString()) + name;
}

jwwrite::Drawing DrawingWithImages(std::vector<jwwrite::EmbeddedImage> images)
{
    jwwrite::Drawing drawing = BareDrawing(700);
    jwwrite::Text text;
    text.text = "^@BM%temp%pic.bmp,40,30";
    drawing.entities = {LineOf(0, 0, 10, 10), text};
    drawing.images = std::move(images);
    return drawing;
}

TEST(JwwEmbeddedFiles, PackedImagesUnpackUnderTheReadersPrefix)
{
    ASSERT_FALSE(theApp.m_cacheFolder.IsEmpty());
    // The folder above the cache folder.
    std::wstring parent(theApp.m_cacheFolder.GetString());
    parent = parent.substr(0, parent.rfind(L'\\', parent.size() - 2) + 1);
    jwwrite::Drawing drawing = DrawingWithImages({
        ImageOf("pic.bmp.GZ", Gzip("BM picture")),
        ImageOf("..\\x.gz", Gzip("evil")),
        ImageOf(u"C:\\evil.gz", Gzip("evil")),
        ImageOf("notes.txt", BytesOf("kept nowhere")),
        ImageOf("second.png.gz", Gzip("PNG second")),
    });
    std::wstring picture, second;
    {
        LoadedDrawing loaded(jwwrite::WriteDrawing(drawing), L"images.jww");
        ASSERT_TRUE(loaded.Complete());
        const CJwCADBase& reader = *loaded.Reader();
        picture = ReaderFile(reader, L"pic.bmp");
        second = ReaderFile(reader, L"second.png");
        EXPECT_EQ(ReadAll(picture), "BM picture");
        EXPECT_EQ(ReadAll(second), "PNG second");
        EXPECT_FALSE(Exists(ReaderFile(reader, L"pic.bmp.GZ")));
        EXPECT_FALSE(Exists(ReaderFile(reader, L"notes.txt")));
        EXPECT_FALSE(Exists(parent + L"x"));
        EXPECT_FALSE(Exists(parent + L"x.gz"));
        EXPECT_FALSE(Exists(L"C:\\evil"));
        EXPECT_EQ(reader.m_imageFiles.GetSize(), 2);
        // The drawing's "%temp%" image text finds the unpacked copy.
        std::vector<B_FigImage*> frames = loaded.FiguresOf<B_FigImage>();
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(std::wstring(frames[0]->params.path.GetString()), picture);
        EXPECT_EQ(loaded.FiguresOf<B_FigLine>().size(), 1u);
    }
    EXPECT_FALSE(Exists(picture));
    EXPECT_FALSE(Exists(second));
}

// A reload makes the files anew; a file of the same name that the reader did
// not make is never replaced.
TEST(JwwEmbeddedFiles, ReloadsAndFilesThatExistAlready)
{
    ScratchFolder folder;
    std::wstring path = folder.At(L"images.jww");
    jwwrite::SaveFile(path, jwwrite::WriteDrawing(DrawingWithImages(
                                {ImageOf("pic.bmp.gz", Gzip("new")), ImageOf("other.bmp.gz", Gzip("other"))})));
    BCN_CImpJWW reader;
    reader.m_path = path.c_str();
    std::wstring taken = ReaderFile(reader, L"other.bmp");
    HANDLE existing = CreateFileW(taken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(existing, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(existing, "mine", 4, &written, nullptr);
    CloseHandle(existing);

    for (int load = 0; load < 2; ++load) {
        SCOPED_TRACE(load);
        reader.RunLoad();
        EXPECT_EQ(reader.m_loadState, LoadState::Done);
        EXPECT_EQ(ReadAll(ReaderFile(reader, L"pic.bmp")), "new");
        EXPECT_EQ(ReadAll(taken), "mine");
        EXPECT_EQ(reader.m_imageFiles.GetSize(), 1);
    }
    DeleteFileW(taken.c_str());
}

TEST(JwwEmbeddedFiles, DamagedPackedImageLeavesNothing)
{
    std::vector<uint8_t> damaged = Gzip(std::string(5000, 'x'));
    damaged.resize(damaged.size() / 2);
    LoadedDrawing loaded(jwwrite::WriteDrawing(DrawingWithImages({ImageOf("pic.bmp.gz", damaged)})), L"d.jww");
    EXPECT_TRUE(loaded.Complete());
    EXPECT_FALSE(Exists(ReaderFile(*loaded.Reader(), L"pic.bmp")));
    EXPECT_FALSE(Exists(ReaderFile(*loaded.Reader(), L"pic.bmp.gz")));
    EXPECT_EQ(loaded.Reader()->m_imageFiles.GetSize(), 0);
}

TEST(JwwEmbeddedFiles, UnpackedSizeIsCapped)
{
    ScratchFolder folder;
    std::vector<uint8_t> packed = Gzip(std::string(1000, 'z'));
    std::wstring source = folder.Write(L"p.gz", std::string(packed.begin(), packed.end()));
    CStringW target = folder.At(L"p").c_str();
    EXPECT_FALSE(UnpackGzipFile(source.c_str(), target, 999));
    EXPECT_FALSE(Exists(target.GetString()));
    EXPECT_TRUE(UnpackGzipFile(source.c_str(), target, 1000));
    EXPECT_EQ(ReadAll(target.GetString()), std::string(1000, 'z'));
    // The target exists now: it is not touched.
    EXPECT_FALSE(UnpackGzipFile(source.c_str(), target, 1000));
    EXPECT_EQ(ReadAll(target.GetString()), std::string(1000, 'z'));
}

// Names and folders beyond the system's code page.
TEST(JwwEmbeddedFiles, WideNamesUnpack)
{
    std::u16string name = u"\u56F3\u9762\u2603.bmp.gz";
    LoadedDrawing loaded(jwwrite::WriteDrawing(DrawingWithImages({ImageOf(name, Gzip("wide"))})), L"w.jww");
    ASSERT_TRUE(loaded.Complete());
    EXPECT_EQ(ReadAll(ReaderFile(*loaded.Reader(), L"\u56F3\u9762\u2603.bmp")), "wide");
}

TEST(JwwEmbeddedFiles, BareNames)
{
    struct Case {
        const wchar_t* name;
        bool bare;
    };
    const Case cases[] = {
        {L"pic.bmp.gz", true}, {L"\u56F3.bmp", true},  {L"", false},      {L"..", false},
        {L"a..b.gz", false},   {L"..\\x.gz", false},   {L"a/b.gz", false}, {L"C:x.gz", false},
        {L"\\\\server\\s", false}, {L"a\x01.gz", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CJwwEmbeddedFiles::IsBareName(c.name), c.bare) << testing::PrintToString(std::wstring(c.name));
}

}  // namespace
