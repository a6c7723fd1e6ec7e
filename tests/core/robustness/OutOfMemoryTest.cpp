// Loads that run out of memory part-way: every allocation of a small load is
// made to fail in turn. The figure lists must still agree afterwards, since a
// node that one list could not take is freed by the code that made it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "core/figures/AllocationCounter.h"
#include "core/jww/JwwTestSupport.h"
#include "reader/BCN_CImpJWC.h"
#include "reader/BCN_CImpJWW.h"
#include "writer/JwcWriter.h"

namespace {

// The one figure kind a drawing holds and the second list that kind joins.
struct OneKindDrawing {
    const char* name;
    std::function<std::unique_ptr<CJwCADBase>()> makeReader;
    std::vector<uint8_t> bytes;
    CFigNodeList CDrawBase::*kindList;
};

std::vector<uint8_t> OneSolidDrawing()
{
    jwwrite::Solid solid;
    solid.x2 = 10;
    solid.x3 = 10;
    solid.y3 = 10;
    solid.y4 = 10;
    return DrawingBytes({solid});
}

std::vector<uint8_t> OneImageDrawing()
{
    jwwrite::JwcDrawing drawing;
    drawing.texts = {jwwrite::JwcText()};
    drawing.strings = std::string("^@BMpic.bmp,30,20\0", 18);
    return jwwrite::WriteJwc(drawing);
}

// Loads the drawing with the allocation after `allowed` ones failing; true
// when no allocation failed.
bool LoadFailingAfter(CJwCADBase& reader, const std::vector<uint8_t>& bytes, long long allowed)
{
    MemoryDrawing file(bytes);
    FailingAllocation failure(allowed);
    try {
        reader.Load(file.File());
    } catch (CException* error) {
        error->Delete();
    } catch (...) {
    }
    return !failure.Happened();
}

}  // namespace

TEST(OutOfMemory, FigureListsAgreeWhereverALoadFails)
{
    const OneKindDrawing drawings[] = {
        {"jww solid", [] { return std::unique_ptr<CJwCADBase>(new BCN_CImpJWW); }, OneSolidDrawing(),
         &CDrawBase::m_solids},
        {"jwc image", [] { return std::unique_ptr<CJwCADBase>(new BCN_CImpJWC); }, OneImageDrawing(),
         &CDrawBase::m_images},
    };
    for (const OneKindDrawing& drawing : drawings) {
        SCOPED_TRACE(drawing.name);
        // What a first load sets up for the whole process stays.
        ASSERT_TRUE(LoadFailingAfter(*drawing.makeReader(), drawing.bytes, -1));
        long long live = LiveAllocations();
        bool whole = false;
        for (long long allowed = 0; !whole && allowed < 100000; ++allowed) {
            std::unique_ptr<CJwCADBase> reader = drawing.makeReader();
            whole = LoadFailingAfter(*reader, drawing.bytes, allowed);
            int figures = static_cast<int>(reader->m_figures.GetCount());
            int ofTheKind = static_cast<int>(((*reader).*drawing.kindList).GetCount());
            ASSERT_EQ(figures, ofTheKind) << "allocation " << allowed << " failed";
            if (whole)
                EXPECT_EQ(figures, 1);
        }
        EXPECT_TRUE(whole);
        // A node freed twice counts twice; what a failed load set up for the
        // process (once) may stay.
        EXPECT_GE(LiveAllocations(), live) << "a block was freed twice";
    }
}
