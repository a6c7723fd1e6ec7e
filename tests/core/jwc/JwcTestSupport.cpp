#include "JwcTestSupport.h"

#include <memory>

#include "writer/Drawing.h"
#include "reader/LoadState.h"
#include "reader/ReaderFactory.h"
#include "records/DrawData.h"

LoadedDrawing::LoadedDrawing(const std::vector<uint8_t>& bytes, const wchar_t* name, HWND progress)
    : m_path(m_folder.At(name))
{
    jwwrite::SaveFile(m_path, bytes);
    OpenDrawingFile(m_path.c_str(), &m_entry, true, progress);
}

LoadedDrawing::~LoadedDrawing()
{
    delete m_entry.doc;
}

bool LoadedDrawing::Complete() const
{
    return Reader() && Reader()->m_loadState == LoadState::Done;
}

std::vector<B_Base*> LoadedDrawing::Figures() const
{
    std::vector<B_Base*> figures;
    if (!Reader())
        return figures;
    for (POSITION at = Reader()->m_figures.GetHeadPosition(); at;)
        figures.push_back(Reader()->m_figures.GetNext(at)->fig);
    return figures;
}

bool LoadedDrawing::IsLayerUsed(int layer) const
{
    return m_entry.IsLayerSet(layer);
}

jwwrite::JwcDrawing ManyRecords(size_t lines, size_t points)
{
    jwwrite::JwcDrawing drawing;
    for (size_t i = 0; i < lines; ++i)
        drawing.lines.push_back({0, static_cast<float>(i), 1, static_cast<float>(i), 1, 1, 0});
    for (size_t i = 0; i < points; ++i)
        drawing.points.push_back({static_cast<float>(i), 0, 0, 1, 0});
    return drawing;
}

HeaderAnswers ReadHeaderAnswers(const std::wstring& path)
{
    HeaderAnswers answers;
    CInfoCacheEntry entry;
    OpenDrawingFile(path.c_str(), &entry, false, nullptr);
    std::unique_ptr<CJwCADBase> reader(entry.doc);
    if (!reader)
        return answers;
    CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyNone);
    answers.infoRead = reader->GetInfo(&file, &answers.info) != FALSE;
    ZumenInfo again;
    answers.layersRead = reader->GetInfoAndLayers(&file, &again, &answers.layers) != FALSE;
    return answers;
}

ProgressSink::ProgressSink()
    : m_window(CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
{
}

ProgressSink::~ProgressSink()
{
    DestroyWindow(m_window);
}

std::vector<std::pair<WPARAM, LPARAM>> ProgressSink::Take()
{
    std::vector<std::pair<WPARAM, LPARAM>> messages;
    MSG message;
    while (PeekMessageW(&message, m_window, WM_DRAWPROGRESS, WM_DRAWPROGRESS, PM_REMOVE))
        messages.emplace_back(message.wParam, message.lParam);
    return messages;
}

bool ProgressSink::WaitFor(const std::function<bool(WPARAM, LPARAM)>& wanted, int count)
{
    const DWORD kPatience = 20000;
    for (;;) {
        for (const auto& message : Take()) {
            if (wanted(message.first, message.second) && --count == 0)
                return true;
        }
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, kPatience, QS_POSTMESSAGE) == WAIT_TIMEOUT)
            return false;
    }
}
