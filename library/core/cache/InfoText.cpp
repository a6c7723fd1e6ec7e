#include "cache/InfoText.h"
#include "cache/InfoCacheEntry.h"
#include "cache/InfoFormat.h"
#include "cache/InfoTemplates.h"
#include "cache/PaperSize.h"
#include "reader/JwCADBase.h"
#include "reader/ReaderFactory.h"
#include "records/ZumenInfo.h"
#include <ATLComTime.h>
#include <memory>

namespace {
const int kJwcKind = 0;
const int kJwwKind = 2;
const uint32_t kLowestShownVersion = 100;
const double kVersionDivisor = 100.0;

// The main template: with memo and paper for drawings, without for parts.
CStringW FormatMainText(CJwCADBase* reader, const ZumenInfo& info)
{
    CStringW kind = reader->GetKindName();
    CStringW size = FormatFileSize(info.fileSize);
    CStringW numerator = FormatScaleNumerator(static_cast<int32_t>(info.scaleNumerator10));
    CStringW modified = FormatFileTime(info.modified);
    int32_t denominator = static_cast<int32_t>(info.scaleDenominator);
    int fileKind = reader->GetFileKind();
    if (fileKind == kJwwKind || fileKind == kJwcKind) {
        return FormatInfoTemplate<kDrawingInfoTemplate>(
            kind.GetString(), size.GetString(), info.title.GetString(), info.memo.GetString(), modified.GetString(),
            GetPaperName(static_cast<int>(info.paper)), numerator.GetString(), denominator);
    }
    return FormatInfoTemplate<kPartInfoTemplate>(kind.GetString(), size.GetString(), info.title.GetString(),
                                                 modified.GetString(), numerator.GetString(), denominator);
}

// The editing time as days, hours, minutes and seconds, rounded to the
// nearest second.
CStringW FormatEditTime(double days)
{
    CStringW format;
    format.LoadString(kEditTimeTemplate.id);
    return COleDateTimeSpan(days).Format(format);
}

void StoreText(const CStringW& composed, BSTR* text)
{
    SysFreeString(*text);
    *text = SysAllocStringLen(composed.GetString(), static_cast<UINT>(composed.GetLength()));
}
}

bool ReadZumenInfo(CJwCADBase* reader, const wchar_t* path, ZumenInfo* info, ZumenLayers* layers)
{
    try {
        CFile file(path, CFile::modeRead | CFile::shareDenyNone);
        BOOL read = layers ? reader->GetInfoAndLayers(&file, info, layers) : reader->GetInfo(&file, info);
        return read != FALSE;
    } catch (CException* error) {
        error->Delete();
    } catch (...) {
    }
    return true;
}

bool BuildZumenInfo(const wchar_t* path, BSTR* text)
{
    CInfoCacheEntry entry;
    OpenDrawingFile(path, &entry, false, nullptr);
    std::unique_ptr<CJwCADBase> reader(entry.doc);
    if (!reader)
        return false;
    ZumenInfo info;
    if (!ReadZumenInfo(reader.get(), path, &info, nullptr))
        return false;
    BuildInfoText(reader.get(), &info, text);
    return true;
}

int BuildInfoText(CJwCADBase* reader, ZumenInfo* info, BSTR* text)
{
    if (!reader) {
        CStringW unreadable;
        unreadable.LoadString(kUnreadableText.id);
        StoreText(unreadable, text);
        return 0;
    }
    CStringW composed = FormatMainText(reader, *info);
    if (info->timeSpanDays > 0.0)
        composed += FormatEditTime(info->timeSpanDays);
    if (info->entityCount != 0)
        composed += FormatInfoTemplate<kEntityCountTemplate>(FormatCount(info->entityCount).GetString());
    if (info->version > kLowestShownVersion)
        composed += FormatInfoTemplate<kVersionTemplate>(info->version / kVersionDivisor);
    StoreText(composed, text);
    return 0;
}
