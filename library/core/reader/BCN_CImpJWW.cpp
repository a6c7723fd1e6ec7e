#include "reader/BCN_CImpJWW.h"
#include "jwc/DrawingTitle.h"
#include "jww/JwwFileCheck.h"
#include "records/ZumenInfo.h"
#include "stream/CJwwArchive.h"
#include <cmath>
#include <cstring>

namespace {
const ULONGLONG kSmallestInfoFile = 12;
const double kSecondsPerDay = 86400.0;
const double kLargestTerm = 2147483647.0;  // the text shows the terms as signed 32-bit numbers
const uint8_t kWriteGroupState = 3;

uint32_t ClampedTerm(double value)
{
    return value >= kLargestTerm ? static_cast<uint32_t>(kLargestTerm) : static_cast<uint32_t>(value);
}

// The memo up to its first line feed.
CStringW FirstLine(const CStringW& memo)
{
    int end = memo.Find(L'\n');
    return end < 0 ? memo : memo.Left(end);
}
}

float BCN_CImpJWW::ToDeviceLength(double length) { return static_cast<float>(length * m_scale); }
void BCN_CImpJWW::SetupView() {}
float BCN_CImpJWW::GetPenWidth(int) { return 1.0f; }
void BCN_CImpJWW::DrawOverlay(CD2DrawCore*) {}
COLORREF BCN_CImpJWW::GetPenColor(int) { return 0; }
double BCN_CImpJWW::GetScale() { return 1.0; }
int BCN_CImpJWW::GetFileKind() { return 2; }
BOOL BCN_CImpJWW::Load(CFile*) { return FALSE; }
bool BCN_CImpJWW::GetRandomLineShape(uint16_t, RandomLineShape*) { return false; }
void BCN_CImpJWW::FitForPreview(DrawData*) {}

bool BCN_CImpJWW::CheckHeader(CFile* file)
{
    return IsJwwFile(*file);
}

void BCN_CImpJWW::ReadHeader(CArchive& ar)
{
    m_header.Serialize(ar);
}

BOOL BCN_CImpJWW::GetInfo(CFile* file, ZumenInfo* info)
{
    if (!ReadFileFacts(file, kSmallestInfoFile, info) || !ReadHeaderOf(file))
        return FALSE;
    if (std::memcmp(m_header.m_magic, "JwwData.", sizeof m_header.m_magic) != 0 ||
        !IsAcceptedJwwVersion(m_header.m_version))
        return FALSE;
    info->version = m_header.m_version;
    info->memo = FirstLine(m_header.m_memo);
    SetScaleTerms(m_header.m_groupScale[m_header.GetWriteGroup()], info);
    info->paper = m_header.m_paper;
    info->timeSpanDays = m_header.m_timeSpan / kSecondsPerDay;
    return TRUE;
}

// The layer table of the header; the write group shows as state 3.
BOOL BCN_CImpJWW::GetInfoAndLayers(CFile* file, ZumenInfo* info, ZumenLayers* layers)
{
    if (!GetInfo(file, info))
        return FALSE;
    for (int group = 0; group < BCN_JWW_HeadData::kGroups; ++group) {
        layers->groupState[group] = static_cast<uint8_t>(m_header.m_groupState[group]);
        layers->groupScale[group] = static_cast<float>(m_header.m_groupScale[group]);
        layers->groupName[group] = m_header.m_groupName[group];
        for (int layer = 0; layer < BCN_JWW_HeadData::kLayers; ++layer) {
            int index = group * BCN_JWW_HeadData::kLayers + layer;
            layers->layerState[index] = static_cast<uint8_t>(m_header.m_layerState[group][layer]);
            layers->layerName[index] = m_header.m_layerName[group][layer];
        }
    }
    layers->groupState[m_header.GetWriteGroup()] = kWriteGroupState;
    return TRUE;
}

bool BCN_CImpJWW::ReadFileFacts(CFile* file, ULONGLONG minimumSize, ZumenInfo* info)
{
    CFileStatus status;
    if (!file->GetStatus(status) || status.m_size < minimumSize)
        return false;
    info->title = DrawingTitleOf(status.m_szFullName);
    info->modified = status.m_mtime;
    info->fileSize = status.m_size;
    return true;
}

bool BCN_CImpJWW::ReadHeaderOf(CFile* file)
{
    try {
        file->SeekToBegin();
        CJwwArchive ar(file);
        ReadHeader(ar);
        ar.Close();
        return true;
    } catch (CException* error) {
        error->Delete();
    } catch (...) {
    }
    return false;
}

void BCN_CImpJWW::SetScaleTerms(double scale, ZumenInfo* info)
{
    if (scale > 0.0 && scale < 1.0) {
        info->scaleNumerator10 = ClampedTerm(std::round(10.0 / scale));
        info->scaleDenominator = 1;
        return;
    }
    info->scaleNumerator10 = 1;
    info->scaleDenominator = scale >= 1.0 ? ClampedTerm(scale) : 1;
}
