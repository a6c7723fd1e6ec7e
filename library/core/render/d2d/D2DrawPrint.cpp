#include "render/d2d/D2DrawCore.h"
#include "render/d2d/D2DColor.h"
#include "render/d2d/D2DPrintContext.h"
#include "render/d2d/D2DPrintJob.h"
#include <atlbase.h>

// The page is recorded into a command list on the print device context and
// handed to the print control. The screen target and its brushes and
// strokes go before and after, so that the next screen draw starts afresh
// (with screen dash lengths).
bool CD2DrawCore::PrintPage(HWND window, const double worldRect[4], PRINTDLGEXW* printContext)
{
    D2DPrintJob job(window, m_factory, m_wicFactory);
    ATL::CComPtr<ID2D1DeviceContext> recorder;
    recorder.Attach(job.CreateDevice(printContext));
    FreePrintContext(printContext);
    ATL::CComPtr<ID2D1CommandList> commands;
    if (!recorder || FAILED(recorder->CreateCommandList(&commands)))
        return false;
    ReleaseTarget();
    m_target = recorder;
    recorder->SetTarget(commands);
    m_target->BeginDraw();
    D2D1_COLOR_F paper = ColorRefToD2D(m_background);
    m_target->Clear(&paper);
    DrawAll(worldRect);
    commands->Close();
    HRESULT added = job.AddPage(commands);
    ReleaseTarget();
    HRESULT closed = job.Close();
    return SUCCEEDED(added) && SUCCEEDED(closed);
}
