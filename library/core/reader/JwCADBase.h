#pragma once
#include <afx.h>
#include <atomic>
#include <cstdint>
#include "render/gdi/DrawBase.h"
#include "text/ModifyString.h"
#include "reader/LoadState.h"

class CWinThread;
class CFile;
struct DrawData;
struct ZumenInfo;
struct ZumenLayers;
struct RandomLineShape;

// The common base of the four readers. A reader is at once the loaded
// drawing (its path, used layers and figures) and its renderer; it reads its
// file on a worker thread of its own (see CInfoCacheEntry::Reload).
class CJwCADBase : public CDrawBase {
public:
    CJwCADBase();
    ~CJwCADBase() override;

    bool IsLayerVisible(uint16_t layer) override;
    bool ParseTextCodes(B_FigText* text) override;
    bool ExpandVariable(const wchar_t* text, CStringW& out) override;
    CFigNodeList& GetTextRuns() override;

    // The drawing scale's denominator (100 for 1:100; below 1 enlarges).
    virtual double GetScale() = 0;
    // GetInfo plus the layer table.
    virtual BOOL GetInfoAndLayers(CFile* file, ZumenInfo* info, ZumenLayers* layers) = 0;
    // Header information, without loading the entities.
    virtual BOOL GetInfo(CFile* file, ZumenInfo* info) = 0;
    // The group and layer states and group scales of the layer table that
    // the last load read with its header, names left out, without reading
    // the file again; false when the last load did not end well or the
    // reader keeps no such table (GetInfoAndLayers then reads it).
    virtual bool GetLoadedLayerStates(ZumenLayers* layers);
    // 0 JWC, 1 JWK, 2 JWW, 3 JWS.
    virtual int GetFileKind() = 0;
    // Reads the whole file into figures; runs on the load thread and stops
    // early when m_cancel is set.
    virtual BOOL Load(CFile* file) = 0;
    // The unit shape of the patterned line types 11 to 15.
    virtual bool GetRandomLineShape(uint16_t lineType, RandomLineShape* shape) = 0;
    // Editing time span kept in the header, in seconds.
    virtual uint32_t GetHeaderTime();
    virtual CStringW GetMemo();
    // The preview's fit of the view.
    virtual void FitForPreview(DrawData* request) = 0;

    // "JWC", "JWK", "JWW", "JWS", or "???" for any other kind.
    CStringW GetKindName();

    // Waits for the running load's thread to end and deletes its object;
    // nothing when no load runs.
    void WaitForLoad();
    // Asks a running load to stop early, then waits for it.
    void CancelLoad();
    // Deletes the Direct2D core with the Direct2D, WIC and DirectWrite
    // objects it holds; the next Direct2D draw makes a new one. The caller
    // makes sure no draw of this reader runs.
    void ReleaseDirect2DCore();

    // The load body, on the load thread: clears the previous drawing, reads
    // m_path and sets m_loadState to Done or Failed.
    void RunLoad();

    uint32_t m_usedLayers[8];    // layers that received entities in the last load
    CStringW m_path;             // file of the last load
    CWinThread* m_pReadThread;   // the running load's thread, null when none
    CD2DrawCore* m_pD2DCore;     // owned; made on demand by the render entry
    CModifyString m_modifyString;
    std::atomic<uint32_t> m_loadState;  // LoadState values
    std::atomic<bool> m_cancel;  // set by another thread to stop a running load

protected:
    // Title, modification time and size of file into info; false when its
    // status cannot be read or it is shorter than minimumSize.
    static bool ReadFileFacts(CFile* file, ULONGLONG minimumSize, ZumenInfo* info);
};

// The load thread's entry: runs the load body of the reader it is given.
UINT ReadThreadProc(LPVOID reader);
