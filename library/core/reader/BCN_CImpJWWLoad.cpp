#include "reader/BCN_CImpJWW.h"
#include "app/TavrenaApp.h"
#include "entities/CDataBlock.h"
#include "jww/JwwEmbeddedFiles.h"
#include "jww/JwwFigureBuilder.h"
#include "jww/JwwListSlots.h"
#include "records/DrawData.h"
#include "render/gdi/RandomLineTable.h"
#include "stream/CJwwArchive.h"
#include "stream/CLoadedObjects.h"
#include "timing/PhaseTimer.h"
#include <afxwin.h>
#include <algorithm>
#include <iterator>
#include <vector>

namespace {
const DWORD kVersionEmbeddedFiles = 700;
const INT_PTR kProgressSteps = 360;

// Empties the reader's lists before the objects they point to are freed,
// however the load ends.
class ListsRelease {
public:
    ListsRelease(CEntityList& entities, CBlockDefList& blocks) : m_entities(entities), m_blocks(blocks) {}
    ~ListsRelease()
    {
        m_entities.RemoveAll();
        m_blocks.RemoveAll();
    }

    ListsRelease(const ListsRelease&) = delete;
    ListsRelease& operator=(const ListsRelease&) = delete;

private:
    CEntityList& m_entities;
    CBlockDefList& m_blocks;
};
}

void ResolveBlockRefs(CEntityList& list, const std::unordered_map<DWORD, CDataList*>& definitions)
{
    for (POSITION position = list.GetHeadPosition(); position;) {
        CDataBlock* insert = ENTITY_CAST(CDataBlock, list.GetNext(position));
        if (!insert)
            continue;
        auto found = definitions.find(insert->m_blockNo);
        insert->m_definition = found != definitions.end() ? found->second : nullptr;
    }
}

// Whatever part of the stream was read whole becomes figures, also when the
// stream breaks off later; such a load, a cut one and a cancelled one fail.
// The archive and its load table go once the stream is read, and every
// entity that only the entity list holds goes as soon as it is converted, so
// a large drawing costs its figures, not its figures and its entities.
BOOL BCN_CImpJWW::Load(CFile* file)
{
    PrepareLists();
    ForgetImages();
    if (!CheckHeader(file))
        return FALSE;
    CLoadedObjects objects;
    ListsRelease release(m_entities, m_blocks);
    bool whole = ReadFile(*file, objects);
    if (m_cancel || (m_entities.IsEmpty() && m_blocks.IsEmpty()))
        return FALSE;
    ResolveBlocks();
    bool converted = ConvertEntities(objects);
    return whole && converted && !m_entities.m_limited && !m_blocks.m_limited;
}

bool BCN_CImpJWW::ReadFile(CFile& file, CLoadedObjects& objects)
{
    CPhaseTimer timer(TimedPhase::ObjectStream);
    file.SeekToBegin();
    CJwwArchive ar(&file);
    ReadHeader(ar);
    BuildRandomLineTable(this);
    bool whole = ReadContents(ar, file);
    objects.TakeFrom(ar);
    return whole;
}

// The files and switches of the previous load belong to the drawing as it
// was; its extracted files are made anew.
void BCN_CImpJWW::ForgetImages()
{
    DeleteImageFiles();
    m_imagesConverted = false;
    m_imageTransparency = true;
}

void BCN_CImpJWW::PrepareLists()
{
    for (CMyObList* list : {static_cast<CMyObList*>(&m_entities), static_cast<CMyObList*>(&m_blocks)}) {
        list->RemoveAll();
        list->m_progressWnd = m_progressWnd;
        list->m_pCancel = &m_cancel;
        list->m_limited = m_progressWnd == nullptr;
    }
}

bool BCN_CImpJWW::ReadContents(CArchive& ar, CFile& file)
{
    try {
        m_entities.Serialize(ar);
        if (!m_entities.m_limited) {
            m_blocks.Serialize(ar);
            if (m_header.m_version >= kVersionEmbeddedFiles && !theApp.m_cacheFolder.IsEmpty()) {
                CJwwEmbeddedFiles files(ReaderFilePrefix(theApp.m_cacheFolder, m_readerId));
                files.Read(ar, file, m_cancel, m_imageFiles);
            }
        }
        ar.Close();
        return true;
    } catch (CArchiveException* error) {
        error->Delete();
    } catch (CFileException* error) {
        error->Delete();
    }
    return false;
}

// A later definition of a number replaces an earlier one.
void BCN_CImpJWW::ResolveBlocks()
{
    std::unordered_map<DWORD, CDataList*> definitions;
    for (POSITION position = m_blocks.GetHeadPosition(); position;) {
        if (CDataList* definition = m_blocks.GetNext(position))
            definitions[definition->m_blockNo] = definition;
    }
    if (definitions.empty())
        return;
    ResolveBlockRefs(m_entities, definitions);
    for (const auto& numbered : definitions)
        ResolveBlockRefs(numbered.second->m_entities, definitions);
}

// Block definitions and the entities they list stay to the end: inserts
// met later still expand them.
bool BCN_CImpJWW::ConvertEntities(CLoadedObjects& objects)
{
    CPhaseTimer timer(TimedPhase::Conversion);
    std::fill(std::begin(m_usedLayers), std::end(m_usedLayers), 0u);
    CountListSlots(m_entities, m_blocks);
    INT_PTR count = m_entities.GetCount();
    if (!m_cancel && m_progressWnd)
        PostProgress(0, count);
    INT_PTR step = count / kProgressSteps;
    INT_PTR remaining = count + step;
    m_backColor = m_header.m_penColor[0];
    // The list's nodes go before the figures come: there is one per entity,
    // and the figures can use their memory.
    std::vector<CData*> entities;
    entities.reserve(static_cast<size_t>(count));
    while (!m_entities.IsEmpty())
        entities.push_back(m_entities.RemoveHead());
    CJwwFigureBuilder builder(*this);
    for (auto next = entities.begin(); next != entities.end() && !m_cancel && !builder.LimitReached(); ++next) {
        if (CData* entity = *next) {
            builder.AddToDrawing(*entity, nullptr);
            if (entity->m_listSlots == 1)
                objects.Free(entity);
        }
        --remaining;
        if (!m_cancel && m_progressWnd && (step < 2 || remaining % step == 0))
            PostProgress(1, remaining);
    }
    return !m_cancel && !builder.LimitReached();
}

void BCN_CImpJWW::PostProgress(WPARAM kind, LPARAM count) const
{
    PostMessageW(m_progressWnd, WM_DRAWPROGRESS, kind, count);
}
