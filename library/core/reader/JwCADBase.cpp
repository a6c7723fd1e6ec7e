#include "reader/JwCADBase.h"
#include "memory/DrawingArena.h"
#include "app/TavrenaApp.h"
#include "jwc/DrawingTitle.h"
#include "records/ZumenInfo.h"
#include "render/d2d/D2DrawCore.h"
#include "timing/PhaseTimedFile.h"
#include "timing/PhaseTimer.h"
#include <algorithm>
#include <iterator>

CJwCADBase::CJwCADBase()
    : m_usedLayers{}, m_pReadThread(nullptr), m_pD2DCore(nullptr), m_modifyString(this),
      m_loadState(LoadState::NeverLoaded), m_cancel(false)
{
}

// The thread object is not touched: whoever started the load waits for it
// and deletes it before the reader goes.
CJwCADBase::~CJwCADBase()
{
    ReleaseDirect2DCore();
    DeleteFigures();
    DeleteImageFiles();
    theApp.m_imageNumber = 0;
    m_modifyString.ClearRuns();
}

void CJwCADBase::ReleaseDirect2DCore()
{
    delete m_pD2DCore;
    m_pD2DCore = nullptr;
}

// The body all four readers share: a layer is drawn when the last load put
// entities on it.
bool CJwCADBase::IsLayerVisible(uint16_t layer)
{
    return layer < 256 && (m_usedLayers[layer >> 5] >> (layer & 31)) & 1;
}

// The runs are scratch kept until the next parse, past the drawing's
// figures, so they never take the drawing's arena.
bool CJwCADBase::GetLoadedLayerStates(ZumenLayers*)
{
    return false;
}

bool CJwCADBase::ParseTextCodes(B_FigText* text)
{
    CArenaScope runsOnHeap(ArenaUse::Figures, nullptr);
    return m_modifyString.ParseTextCodes(text);
}

bool CJwCADBase::ExpandVariable(const wchar_t* text, CStringW& out)
{
    return m_modifyString.ExpandVariable(text, out);
}

CFigNodeList& CJwCADBase::GetTextRuns()
{
    return m_modifyString.GetRuns();
}

uint32_t CJwCADBase::GetHeaderTime()
{
    return 0;
}

CStringW CJwCADBase::GetMemo()
{
    return CStringW();
}

bool CJwCADBase::ReadFileFacts(CFile* file, ULONGLONG minimumSize, ZumenInfo* info)
{
    CFileStatus status;
    if (!file->GetStatus(status) || status.m_size < minimumSize)
        return false;
    info->title = DrawingTitleOf(status.m_szFullName);
    info->modified = status.m_mtime;
    info->fileSize = status.m_size;
    return true;
}

CStringW CJwCADBase::GetKindName()
{
    static const wchar_t* const kNames[] = {L"JWC", L"JWK", L"JWW", L"JWS"};
    int kind = GetFileKind();
    return kind >= 0 && kind < 4 ? kNames[kind] : L"???";
}

void CJwCADBase::WaitForLoad()
{
    if (!m_pReadThread)
        return;
    WaitForSingleObject(m_pReadThread->m_hThread, INFINITE);
    delete m_pReadThread;
    m_pReadThread = nullptr;
}

void CJwCADBase::CancelLoad()
{
    if (!m_pReadThread)
        return;
    m_cancel = true;
    WaitForLoad();
}

void CJwCADBase::RunLoad()
{
    CPhaseTimer timer(TimedPhase::LoadBody);
    m_loadState = LoadState::Reading;
    DeleteFigures();
    std::fill(std::begin(m_usedLayers), std::end(m_usedLayers), 0u);
    uint32_t state = LoadState::Failed;
    try {
        // Entities never outlive Load; figures live until DeleteFigures. The
        // blocks of converted entities serve the figures that follow.
        CDrawingArena entityArena(CDrawingArena::Blocks::FreedWhenEmpty);
        CArenaScope entities(ArenaUse::Entities, &entityArena);
        CArenaScope figures(ArenaUse::Figures, &m_figureArena);
        CPhaseTimedFile file(m_path, CFile::modeRead | CFile::shareDenyNone);
        BOOL loaded = Load(&file);
        file.Close();
        if (loaded && !m_cancel)
            state = LoadState::Done;
    } catch (CException* error) {
        error->Delete();
    } catch (...) {
    }
    m_loadState = state;
}

UINT ReadThreadProc(LPVOID reader)
{
    if (reader)
        static_cast<CJwCADBase*>(reader)->RunLoad();
    return 0;
}
