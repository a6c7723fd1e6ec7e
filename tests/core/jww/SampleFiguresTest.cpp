// Every real drawing of the shared samples loads completely, and gives the
// figures of each kind that the test's own reading of the file expects:
// block inserts expand into their definitions' figures.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "SampleDrawings.h"

#include "core/jww/JwwTestSupport.h"
#include "core/jww/WholeStream.h"
#include "entities/CDataBlock.h"
#include "entities/CDataEnko.h"
#include "entities/CDataMoji.h"
#include "entities/CDataSen.h"
#include "entities/CDataSolid.h"
#include "entities/CDataSunpou.h"
#include "entities/CDataTen.h"
#include "figures/B_ImageParams.h"
#include "reader/LoadState.h"
#include "reader/ReaderFactory.h"
#include "render/gdi/DrawBase.h"

namespace {

std::vector<std::wstring> SampleDrawingsToCount()
{
    return SampleDrawingFiles({L"*.jww", L"*.jws"});
}

// The figures a drawing's entities stand for, counted by kind from the
// records themselves.
class ExpectedFigures {
public:
    explicit ExpectedFigures(WholeStream& stream)
    {
        for (POSITION at = stream.blocks.GetHeadPosition(); at;) {
            CDataList* definition = stream.blocks.GetNext(at);
            m_definitions[definition->m_blockNo] = definition;
        }
        for (POSITION at = stream.entities.GetHeadPosition(); at;) {
            if (CData* entity = stream.entities.GetNext(at))
                Entity(*entity);
        }
    }

    const std::map<uint16_t, int>& Counts() const { return m_counts; }
    // Inserts met, and those whose block number names no definition: a
    // drawing Jw_cad saved has none of the latter unless its numbers are
    // misread, which the counts alone would not show.
    int Inserts() const { return m_inserts; }
    int Unresolved() const { return m_unresolved; }

private:
    // Whether the entity gave its insert a node.
    bool Entity(CData& entity)
    {
        if (dynamic_cast<CDataSen*>(&entity))
            return Add(FigCode::Line);
        if (auto* curve = dynamic_cast<CDataEnko*>(&entity))
            return Add(Placed(CurveCode(curve->m_arcAngle, curve->m_flatness)));
        if (auto* point = dynamic_cast<CDataTen*>(&entity))
            return Add(IsMarker(*point) ? FigCode::PointEx : FigCode::Point);
        if (auto* text = dynamic_cast<CDataMoji*>(&entity))
            return Text(*text);
        if (auto* dimension = dynamic_cast<CDataSunpou*>(&entity))
            return Dimension(*dimension);
        if (auto* solid = dynamic_cast<CDataSolid*>(&entity))
            return Solid(*solid) && Add(FigCode::Solid);
        if (auto* insert = dynamic_cast<CDataBlock*>(&entity))
            return Block(*insert);
        return false;
    }

    bool Add(uint16_t code)
    {
        ++m_counts[code];
        return true;
    }

    // Inside a block the insert's transform turns circles and arcs into
    // ellipses and elliptic arcs.
    uint16_t Placed(uint16_t code) const
    {
        if (m_expanding.empty())
            return code;
        return code == FigCode::Circle ? FigCode::Ellipse : code == FigCode::Arc ? FigCode::EllipseArc : code;
    }

    static uint16_t CurveCode(double arcAngle, double flatness)
    {
        bool full = std::fabs(arcAngle * 57.29577951308232) == 360.0;
        if (flatness == 1.0)
            return full ? FigCode::Circle : FigCode::Arc;
        return full ? FigCode::Ellipse : FigCode::EllipseArc;
    }

    static bool IsMarker(const CDataTen& point)
    {
        return (point.m_flags & 0x40) || (point.m_penStyle == 100 && point.m_code >= -7 && point.m_code <= -1);
    }

    static bool HasSize(const CDataMoji& text) { return text.m_width > 0 && text.m_height > 0; }

    static bool IsSwitch(const CDataMoji& text)
    {
        return text.m_x1 == 0 && text.m_y1 == -1000 && text.m_x2 == 0 && text.m_y2 == -1000;
    }

    static bool IsImage(const CDataMoji& text)
    {
        B_ImageParams params;
        return CDrawBase::ParseImageText(text.m_text, &params, L"C:\\drawing.jww", 1) != 0;
    }

    bool Text(const CDataMoji& text)
    {
        if (!HasSize(text))
            return false;
        if (IsImage(text))
            return Add(FigCode::Image);
        return !IsSwitch(text) && Add(FigCode::Text);
    }

    bool Dimension(const CDataSunpou& dimension)
    {
        if (!HasSize(dimension.m_text) || IsImage(dimension.m_text) || IsSwitch(dimension.m_text))
            return false;
        if (dimension.m_sxfMode != 0)
            return Add(FigCode::Dim);
        Add(FigCode::Line);
        Add(FigCode::Text);
        return Add(FigCode::Group);
    }

    // Curved solids: whether their outline can be made.
    static bool Solid(const CDataSolid& solid)
    {
        if (solid.m_penStyle <= 100)
            return true;
        uint16_t code = CurveCode(solid.m_x4, solid.m_y2);
        bool arc = code == FigCode::Arc || code == FigCode::EllipseArc;
        int kind = solid.m_penStyle;
        if (!arc || kind == 111 || kind == 105 || kind == 106)
            return true;
        double p = solid.m_y4;
        if (p == -1.0)
            return std::cos(solid.m_x4 / 2) != 0.0 && solid.m_x2 > 0;
        return p == 0.0 || p == 5.0 || p == 100.0;
    }

    bool Block(const CDataBlock& insert)
    {
        ++m_inserts;
        auto found = m_definitions.find(insert.m_blockNo);
        if (found == m_definitions.end()) {
            ++m_unresolved;
            return false;
        }
        const CDataList* definition = found->second;
        for (const CDataList* open : m_expanding) {
            if (open == definition)
                return false;
        }
        m_expanding.push_back(definition);
        bool members = false;
        for (POSITION at = definition->m_entities.GetHeadPosition(); at;) {
            if (CData* entity = definition->m_entities.GetNext(at))
                members = Entity(*entity) || members;
        }
        m_expanding.pop_back();
        return members && Add(FigCode::Group);
    }

    std::unordered_map<DWORD, const CDataList*> m_definitions;
    std::vector<const CDataList*> m_expanding;
    std::map<uint16_t, int> m_counts;
    int m_inserts = 0;
    int m_unresolved = 0;
};

struct Expectation {
    std::map<uint16_t, int> counts;
    int inserts;
    int unresolved;
};

Expectation Expected(const std::wstring& path)
{
    CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    WholeStream stream(file);
    ExpectedFigures expected(stream);
    return Expectation{expected.Counts(), expected.Inserts(), expected.Unresolved()};
}

TEST(SampleFigures, EveryDrawingLoadsWithTheFiguresOfItsEntities)
{
    std::vector<std::wstring> files = SampleDrawingsToCount();
    if (files.empty())
        GTEST_SKIP() << "no sample drawings";
    int inserts = 0;
    for (const std::wstring& path : files) {
        SCOPED_TRACE(SampleTrace(path));
        ScratchFolder folder;
        std::wstring copy = folder.Copy(path, L"sample" + path.substr(path.size() - 4));
        ProgressSink sink;  // with a window, nothing is cut
        CInfoCacheEntry entry;
        ASSERT_TRUE(OpenDrawingFile(copy.c_str(), &entry, true, sink.Window()));
        std::unique_ptr<CJwCADBase> reader(entry.doc);
        EXPECT_EQ(reader->m_loadState, LoadState::Done);
        std::vector<B_Base*> figures;
        for (POSITION at = reader->m_figures.GetHeadPosition(); at;)
            figures.push_back(reader->m_figures.GetNext(at)->fig);
        std::map<uint16_t, int> counts = KindCounts(figures);
        Expectation expected = Expected(copy);
        EXPECT_EQ(counts, expected.counts);
        EXPECT_EQ(expected.unresolved, 0);
        inserts += expected.inserts;
    }
    // The samples include drawings with blocks.
    EXPECT_GT(inserts, 0);
}

}  // namespace
