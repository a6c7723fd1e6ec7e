#pragma once

#include <cstddef>
#include <vector>

#include "geometry/CurveGeom.h"

class BCN_CImpJWW;
class B_FigNode;
class CData;
class CDataBlock;
class CDataEnko;
class CDataList;
class CDataMoji;
class CDataSen;
class CDataSolid;
class CDataSunpou;
class CDataTen;
struct B_Base;
struct B_FigText;

// How far one load may expand blocks: the nesting of inserts, the figures
// added, and the entities of block definitions converted. Beyond them the
// expansion stops and the load fails with what was built.
struct JwwExpansionLimits {
    size_t blockDepth = 32;
    size_t figures = 2000000;
    size_t blockMembers = 8000000;
};

// Turns the entities of a drawing or symbol into figures of its reader. One
// builder serves one load: it keeps the block definitions being expanded and
// counts what the expansion made, so that definitions that insert each other
// again and again cannot grow a drawing without end.
class CJwwFigureBuilder {
public:
    explicit CJwwFigureBuilder(BCN_CImpJWW& reader, const JwwExpansionLimits& limits = JwwExpansionLimits());

    CJwwFigureBuilder(const CJwwFigureBuilder&) = delete;
    CJwwFigureBuilder& operator=(const CJwwFigureBuilder&) = delete;

    // Adds the figure of entity to the drawing, inside insert (null at the
    // top level); the node added, or null when the entity added none itself
    // (dimensions, solids and inserts add theirs on their own).
    B_FigNode* AddToDrawing(CData& entity, CDataBlock* insert);

    // Whether a limit stopped the expansion.
    bool LimitReached() const { return m_limitReached; }

private:
    // The figure of entity into *out; non-zero when the caller is to add it.
    int Convert(CData& entity, B_Base** out, CDataBlock* insert);
    int ConvertLine(const CDataSen& line, B_Base** out, const CDataBlock* insert);
    int ConvertCurve(const CDataEnko& curve, B_Base** out, const CDataBlock* insert);
    int ConvertPoint(const CDataTen& point, B_Base** out, const CDataBlock* insert);
    int ConvertText(const CDataMoji& text, B_Base** out, const CDataBlock* insert);
    int ConvertDimension(const CDataSunpou& dimension, CDataBlock* insert);
    int ConvertSolid(const CDataSolid& solid, CDataBlock* insert);
    int ConvertBlock(CDataBlock& block, CDataBlock* insert);

    // Gives figure the entity's attributes and copies it into *out; 1.
    int AssignAttributed(B_Base& figure, const CData& entity, B_Base** out, const CDataBlock* insert);

    // Text helpers.
    bool MakeImageFrame(const B_FigText& text, B_Base** out);
    // Applies a switch text; false when text is none.
    bool ApplySwitchText(const CDataMoji& text);

    // Point helpers.
    void MakeMarker(const CDataTen& point, B_FigNode& node);

    // Dimension helpers.
    void AddSxfDimension(const CDataSunpou& dimension, const B_Base& line, const B_FigText& text,
                         CDataBlock* insert);
    void AddPlainDimension(B_Base** line, const B_FigText& text, CDataBlock* insert);

    // Solid helpers: the outline a solid fills, null when it has none.
    B_Base* SolidOutline(const CDataSolid& solid, const B_Base& attributes, const CDataBlock* insert);
    B_Base* CurvedSolidOutline(const CDataSolid& solid, const B_Base& attributes, const CDataBlock* insert);
    B_Base* ArcSolidOutline(B_Base** curve, const CDataSolid& solid);
    B_Base* ArcWithCornerOutline(const B_Base& curve, double arcDegrees);
    bool CornerOfArc(const B_Base& curve, double arcDegrees, Point2D& corner);

    // Block helpers.
    bool MayExpand(const CDataList* definition);
    void ExpandMembers(const CDataList& definition, CDataBlock& block, std::vector<B_FigNode*>& nodes);
    void TransformMembers(const CDataBlock& block, std::vector<B_FigNode*>& nodes);

    // Hands *figure (taken over) to the drawing in a node of its own; inside a
    // block it does not grow the drawing's extent. The node, or null when
    // there is no figure or the limit is reached.
    B_FigNode* AddFigure(B_Base** figure, const CDataBlock* insert);
    // AddFigure for a figure that an entity places itself: inside a block the
    // node also joins the insert's nodes.
    B_FigNode* AddOwnFigure(B_Base** figure, const CDataBlock* insert);
    // Counts one more figure; false once the limit is reached.
    bool CountFigure();

    BCN_CImpJWW& m_reader;
    JwwExpansionLimits m_limits;
    std::vector<const CDataList*> m_expanding;  // definitions being expanded, outermost first
    std::vector<std::vector<B_FigNode*>*> m_insertNodes;  // the nodes of each of them
    size_t m_figures;
    size_t m_blockMembers;
    bool m_limitReached;
};
