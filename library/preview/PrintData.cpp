#include "PrintData.h"
#include "GlobalBlockLock.h"
#include <afx.h>
#include <cstddef>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {
// A DEVMODE shorter than this lacks the paper fields that printing reads.
const uint32_t kPrintDataMinDevMode = offsetof(DEVMODEW, dmPrintQuality);
// The header and three empty strings.
const uint32_t kPrintDataMinDevNames = sizeof(DEVNAMES) + 3 * sizeof(wchar_t);

// The string at a DEVNAMES offset (in characters), when it lies with its
// terminator inside the size bytes of the block; else null.
const wchar_t* DevNamesString(const BYTE* block, size_t size, WORD offset)
{
    const size_t start = static_cast<size_t>(offset) * sizeof(wchar_t);
    if (start < sizeof(DEVNAMES) || start >= size)
        return nullptr;
    const wchar_t* text = reinterpret_cast<const wchar_t*>(block + start);
    return std::wmemchr(text, L'\0', (size - start) / sizeof(wchar_t)) ? text : nullptr;
}

// The DEVNAMES block as the file keeps it: the header, then the driver,
// device and output strings packed in this order. Empty when the block's
// strings do not lie inside it, the device is unnamed, or it grows too big.
std::vector<BYTE> PackedDevNames(const BYTE* block, size_t size)
{
    if (size < sizeof(DEVNAMES))
        return {};
    const DEVNAMES& header = *reinterpret_cast<const DEVNAMES*>(block);
    const WORD offsets[3] = {header.wDriverOffset, header.wDeviceOffset, header.wOutputOffset};
    const wchar_t* texts[3];
    for (int i = 0; i < 3; ++i)
        if (!(texts[i] = DevNamesString(block, size, offsets[i])))
            return {};
    if (!texts[1][0])
        return {};
    std::vector<BYTE> packed(sizeof(DEVNAMES));
    DEVNAMES packedHeader = {};
    packedHeader.wDefault = header.wDefault;
    WORD* packedOffsets[3] = {&packedHeader.wDriverOffset, &packedHeader.wDeviceOffset, &packedHeader.wOutputOffset};
    for (int i = 0; i < 3; ++i) {
        *packedOffsets[i] = static_cast<WORD>(packed.size() / sizeof(wchar_t));
        const BYTE* text = reinterpret_cast<const BYTE*>(texts[i]);
        packed.insert(packed.end(), text, text + (std::wcslen(texts[i]) + 1) * sizeof(wchar_t));
        if (packed.size() > kPrintDataMaxDevNames)
            return {};
    }
    std::memcpy(packed.data(), &packedHeader, sizeof packedHeader);
    return packed;
}

// The DEVMODE's size by its own fields, when they lie inside the block and
// within the file's limits; else 0.
uint32_t DevModeBytes(const BYTE* block, size_t size)
{
    if (size < kPrintDataMinDevMode)
        return 0;
    const DEVMODEW& mode = *reinterpret_cast<const DEVMODEW*>(block);
    const uint32_t bytes = static_cast<uint32_t>(mode.dmSize) + mode.dmDriverExtra;
    if (mode.dmSize < kPrintDataMinDevMode || bytes > size || bytes > kPrintDataMaxDevMode)
        return 0;
    if (!std::wmemchr(mode.dmDeviceName, L'\0', CCHDEVICENAME) || !mode.dmDeviceName[0])
        return 0;
    return bytes;
}

void AppendPrintDataBytes(std::vector<BYTE>& file, const void* bytes, size_t count)
{
    const BYTE* first = static_cast<const BYTE*>(bytes);
    file.insert(file.end(), first, first + count);
}

void AppendPrintDataCount(std::vector<BYTE>& file, uint32_t count)
{
    AppendPrintDataBytes(file, &count, sizeof count);
}

// Reads the file's parts in order; every read is checked against what is
// left, so a count in the file can never reach past its end.
class PrintDataCursor {
public:
    PrintDataCursor(const BYTE* bytes, size_t size) : m_bytes(bytes), m_left(size) {}

    const BYTE* Take(size_t count)
    {
        if (count > m_left)
            return nullptr;
        const BYTE* part = m_bytes;
        m_bytes += count;
        m_left -= count;
        return part;
    }
    bool TakeCount(uint32_t& count)
    {
        const BYTE* part = Take(sizeof count);
        if (part)
            std::memcpy(&count, part, sizeof count);
        return part != nullptr;
    }
    bool AtEnd() const { return m_left == 0; }

private:
    const BYTE* m_bytes;
    size_t m_left;
};

// A DEVNAMES block read from the file is used only when it is one that
// saving writes: packed strings that fill it exactly.
bool IsSavedDevNames(const BYTE* block, uint32_t size)
{
    if (size < kPrintDataMinDevNames || size > kPrintDataMaxDevNames)
        return false;
    const std::vector<BYTE> packed = PackedDevNames(block, size);
    return packed.size() == size && std::memcmp(packed.data(), block, size) == 0;
}

// A movable block holding a copy of bytes, or null.
HGLOBAL PrintDataBlock(const BYTE* bytes, size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block)
        return nullptr;
    void* data = GlobalLock(block);
    if (!data) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(data, bytes, size);
    GlobalUnlock(block);
    return block;
}

bool ReadWholePrintDataFile(const wchar_t* path, std::vector<BYTE>& bytes)
{
    const ULONGLONG largest = 3 * sizeof(uint32_t) + sizeof(PRINTDLGEXW) + kPrintDataMaxDevNames + kPrintDataMaxDevMode;
    try {
        CFile file(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
        const ULONGLONG length = file.GetLength();
        if (length > largest)
            return false;
        bytes.resize(static_cast<size_t>(length));
        return bytes.empty() || file.Read(bytes.data(), static_cast<UINT>(bytes.size())) == bytes.size();
    } catch (CException* error) {
        error->Delete();
    }
    return false;
}
}

bool SavePrintDataFile(const wchar_t* path, const PRINTDLGEXW& pd)
{
    if (!pd.hDevNames || !pd.hDevMode || pd.lStructSize != sizeof(PRINTDLGEXW))
        return false;
    CGlobalBlockLock names(pd.hDevNames);
    if (!names.Bytes())
        return false;
    CGlobalBlockLock mode(pd.hDevMode);
    if (!mode.Bytes())
        return false;
    const std::vector<BYTE> packedNames = PackedDevNames(names.Bytes(), names.Size());
    const uint32_t modeBytes = DevModeBytes(mode.Bytes(), mode.Size());
    if (packedNames.empty() || !modeBytes)
        return false;
    std::vector<BYTE> file;
    AppendPrintDataCount(file, kPrintDataMagic);
    AppendPrintDataBytes(file, &pd, sizeof pd);
    AppendPrintDataCount(file, static_cast<uint32_t>(packedNames.size()));
    AppendPrintDataBytes(file, packedNames.data(), packedNames.size());
    AppendPrintDataCount(file, modeBytes);
    AppendPrintDataBytes(file, mode.Bytes(), modeBytes);
    try {
        CFile out(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeBinary);
        out.Write(file.data(), static_cast<UINT>(file.size()));
        out.Close();
        return true;
    } catch (CException* error) {
        error->Delete();  // the choice is only remembered; printing goes on
    }
    return false;
}

bool LoadPrintDataFile(const wchar_t* path, PRINTDLGEXW& pd)
{
    std::vector<BYTE> bytes;
    if (!ReadWholePrintDataFile(path, bytes))
        return false;
    PrintDataCursor cursor(bytes.data(), bytes.size());
    uint32_t magic = 0;
    if (!cursor.TakeCount(magic) || magic != kPrintDataMagic)
        return false;
    // A file of the other width holds a PRINTDLGEXW of another size.
    const BYTE* dialog = cursor.Take(sizeof(PRINTDLGEXW));
    DWORD storedSize = 0;
    if (!dialog || (std::memcpy(&storedSize, dialog, sizeof storedSize), storedSize != sizeof(PRINTDLGEXW)))
        return false;
    uint32_t namesSize = 0;
    uint32_t modeSize = 0;
    const BYTE* names = cursor.TakeCount(namesSize) ? cursor.Take(namesSize) : nullptr;
    const BYTE* mode = names && cursor.TakeCount(modeSize) ? cursor.Take(modeSize) : nullptr;
    if (!mode || !cursor.AtEnd() || !IsSavedDevNames(names, namesSize) || DevModeBytes(mode, modeSize) != modeSize)
        return false;
    HGLOBAL namesBlock = PrintDataBlock(names, namesSize);
    HGLOBAL modeBlock = namesBlock ? PrintDataBlock(mode, modeSize) : nullptr;
    if (!modeBlock) {
        if (namesBlock)
            GlobalFree(namesBlock);
        return false;
    }
    pd.hDevNames = namesBlock;
    pd.hDevMode = modeBlock;
    return true;
}
