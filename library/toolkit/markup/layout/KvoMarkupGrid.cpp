#include "markup/layout/KvoMarkupGrid.h"
#include <algorithm>
#include <new>
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/layout/KvoMarkupDefinitionBase.h"
#include "markup/layout/KvoMarkupGridLength.h"
#include "markup/layout/KvoMarkupLayoutSizes.h"
#include "markup/values/KvoMarkupInt.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupGrid)
CKvoMarkupDependencyProperty* CKvoMarkupGrid::s_columnDefinitionsProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupGrid::s_rowDefinitionsProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupGrid::s_columnProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupGrid::s_rowProperty = nullptr;

namespace {
typedef CKvoMarkupDefinitionBase Definition;

// A cell moved to another column or row: its grid lays out again.
void OnCellChanged(CKvoMarkupObject* object, const KvoMarkupPropertyChange&)
{
    if (!object || !object->IsKindOf(CKvoMarkupUIElement::s_type))
        return;
    CKvoMarkupVisual* parent = static_cast<CKvoMarkupUIElement*>(object)->GetVisualParent();
    if (parent && parent->IsKindOf(CKvoMarkupGrid::s_type))
        static_cast<CKvoMarkupGrid*>(parent)->InvalidateMeasure();
}

// Grid.Column or Grid.Row of child, kept inside 0 .. count - 1.
int CellIndexOf(const CKvoMarkupObject* child, const CKvoMarkupDependencyProperty* property, int count)
{
    const CKvoMarkupInt* value = static_cast<const CKvoMarkupInt*>(MarkupDynamicCast(CKvoMarkupInt::s_type, child->GetValue(property)));
    return std::max(0, std::min(value ? value->GetValue() : 0, count - 1));
}

int TruncateSize(double size)
{
    if (!(size > 0.0))
        return 0;
    return size >= KvoMarkupUnbounded ? KvoMarkupUnbounded : static_cast<int>(size);
}

std::vector<Definition*> DefinitionsOf(const CKvoMarkupDefinitionCollection* collection)
{
    std::vector<Definition*> definitions;
    for (int index = 0; index < collection->GetCount(); ++index)
        definitions.push_back(collection->GetDefinition(index));
    return definitions;
}

// Resets the layout fields for a measure; stars count as Auto when the
// available size is too large to share out.
void PrepareDefinitions(const CKvoMarkupDefinitionCollection* collection, bool starsAsAuto)
{
    for (Definition* definition : DefinitionsOf(collection)) {
        definition->minSize = 0;
        definition->measureSize = 0.0;
        int userMin = definition->GetUserMinSize();
        const int userMax = definition->GetUserMaxSize();
        const int unit = definition->GetUserUnit();
        int userSize = KvoMarkupUnbounded;
        if (unit == KvoMarkupGridUnit::Pixel) {
            definition->sizeType = KvoMarkupGridSizeType::Pixel;
            userSize = definition->GetUserPixels();
            userMin = std::max(userMin, std::min(userSize, userMax));
        } else if (unit == KvoMarkupGridUnit::Star && !starsAsAuto) {
            definition->sizeType = KvoMarkupGridSizeType::Star;
        } else {
            definition->sizeType = KvoMarkupGridSizeType::Auto;
        }
        definition->minSize = std::max(definition->minSize, userMin);
        definition->measureSize = std::max(std::min(userSize, userMax), userMin);
    }
}

// What a star's share is measured against: the larger of its minimum and
// its maximum when one is set.
double StarLimit(const Definition* definition)
{
    return definition->HasUserMaxSize() ? std::max(definition->minSize, definition->GetUserMaxSize())
                                        : definition->minSize;
}

struct Star {
    Definition* definition;
    double weight;
};

// Shares what is left of available among the stars, the most constrained
// (smallest limit per weight) first; leaves each result in sizeOf.
template <class SizeOf>
void ShareAmongStars(std::vector<Star>& stars, double available, double& taken, SizeOf sizeOf)
{
    for (Star& star : stars) {
        star.definition->sizeCache = star.weight > 0.0 ? StarLimit(star.definition) / star.weight : 0.0;
    }
    std::stable_sort(stars.begin(), stars.end(), [](const Star& first, const Star& second) {
        return first.definition->sizeCache < second.definition->sizeCache;
    });
    double weights = 0.0;
    for (auto star = stars.rbegin(); star != stars.rend(); ++star) {
        weights += star->weight;
        star->definition->sizeCache = weights;
    }
    for (Star& star : stars) {
        Definition* definition = star.definition;
        int resolved = definition->minSize;
        if (star.weight > 0.0) {
            resolved = TruncateSize(std::max(available - taken, 0.0) * star.weight / definition->sizeCache);
            resolved = std::max(std::min(resolved, definition->GetUserMaxSize()), definition->minSize);
        }
        sizeOf(definition) = resolved;
        taken += resolved;
    }
}

void ResolveStars(const CKvoMarkupDefinitionCollection* collection, int available)
{
    double taken = 0.0;
    std::vector<Star> stars;
    for (Definition* definition : DefinitionsOf(collection)) {
        if (definition->sizeType == KvoMarkupGridSizeType::Pixel)
            taken += definition->measureSize;
        else if (definition->sizeType == KvoMarkupGridSizeType::Auto)
            taken += definition->minSize;
        else if (definition->sizeType == KvoMarkupGridSizeType::Star)
            stars.push_back({definition, definition->GetUserStarWeight()});
    }
    ShareAmongStars(stars, available, taken, [](Definition* definition) -> double& { return definition->measureSize; });
}

// Final sizes into sizeCache and offsets into finalOffset for the final
// size; shrinks towards the minimums when the sizes do not fit.
void SetFinalSizes(const CKvoMarkupDefinitionCollection* collection, int finalSize)
{
    const std::vector<Definition*> definitions = DefinitionsOf(collection);
    std::vector<Star> stars;
    std::vector<Definition*> others;
    double total = 0.0;
    for (Definition* definition : definitions) {
        const int unit = definition->GetUserUnit();
        if (unit == KvoMarkupGridUnit::Star) {
            stars.push_back({definition, definition->GetUserStarWeight()});
            continue;
        }
        const int preferred = unit == KvoMarkupGridUnit::Auto ? definition->minSize : definition->GetUserPixels();
        definition->sizeCache = std::max(definition->minSize, std::min(preferred, definition->GetUserMaxSize()));
        total += definition->sizeCache;
        others.insert(others.begin(), definition);
    }
    ShareAmongStars(stars, finalSize, total, [](Definition* definition) -> double& { return definition->sizeCache; });

    if (total > finalSize) {
        std::stable_sort(stars.begin(), stars.end(), [](const Star& first, const Star& second) {
            return first.definition->sizeCache - first.definition->minSize <
                   second.definition->sizeCache - second.definition->minSize;
        });
        std::vector<Definition*> work;
        for (const Star& star : stars)
            work.push_back(star.definition);
        work.insert(work.end(), others.begin(), others.end());
        double remainder = finalSize - total;
        const size_t count = work.size();
        for (size_t index = 0; index < count; ++index) {
            Definition* definition = work[index];
            const double share = remainder / static_cast<double>(count - index);
            const double size =
                std::min(definition->sizeCache, std::max<double>(definition->minSize, definition->sizeCache + share));
            remainder -= size - definition->sizeCache;
            definition->sizeCache = size;
        }
    }
    int offset = 0;
    for (Definition* definition : definitions) {
        definition->finalOffset = offset;
        offset = KvoMarkupAddSizes(offset, TruncateSize(definition->sizeCache));
    }
}

int SumOfMinSizes(const CKvoMarkupDefinitionCollection* collection)
{
    int sum = 0;
    for (const Definition* definition : DefinitionsOf(collection))
        sum = KvoMarkupAddSizes(sum, definition->minSize);
    return sum;
}

// Drops the old collection in slot for value (reference taken over).
template <class DefinitionCollection>
void ReplaceDefinitions(DefinitionCollection*& slot, DefinitionCollection* value, CKvoMarkupObject* grid)
{
    if (slot) {
        slot->SetLogicalParent(nullptr);
        slot->Release();
    }
    slot = value;
    slot->SetLogicalParent(grid);
}

// The user's definitions, or a collection of one default definition.
template <class DefinitionCollection, class DefaultDefinition>
CKvoMarkupDefinitionCollection* DefinitionsInUse(DefinitionCollection* user)
{
    if (user && user->GetCount() > 0) {
        user->AddRef();
        return user;
    }
    DefinitionCollection* fallback = new (std::nothrow) DefinitionCollection;
    if (fallback)
        fallback->Add(new (std::nothrow) DefaultDefinition);
    return fallback;
}
}

void CKvoMarkupGrid::RegisterMarkupProperties()
{
    s_columnDefinitionsProperty = CKvoMarkupDependencyProperty::Register(
        L"ColumnDefinitions", CKvoMarkupColumnDefinitionCollection::s_type, s_type);
    s_rowDefinitionsProperty =
        CKvoMarkupDependencyProperty::Register(L"RowDefinitions", CKvoMarkupRowDefinitionCollection::s_type, s_type);
    s_columnProperty = CKvoMarkupDependencyProperty::RegisterAttached(
        L"Column", CKvoMarkupInt::s_type, s_type, new CKvoMarkupPropertyMetadata(nullptr, OnCellChanged, 0));
    s_rowProperty = CKvoMarkupDependencyProperty::RegisterAttached(
        L"Row", CKvoMarkupInt::s_type, s_type, new CKvoMarkupPropertyMetadata(nullptr, OnCellChanged, 0));
}

CKvoMarkupGrid::CKvoMarkupGrid()
    : m_pColumnDefinitions(new (std::nothrow) CKvoMarkupColumnDefinitionCollection),
      m_pRowDefinitions(new (std::nothrow) CKvoMarkupRowDefinitionCollection), m_bHasStarColumns(FALSE),
      m_bHasStarRows(FALSE), m_bGroup3InAutoRows(FALSE)
{
    if (m_pColumnDefinitions)
        m_pColumnDefinitions->SetLogicalParent(this);
    if (m_pRowDefinitions)
        m_pRowDefinitions->SetLogicalParent(this);
}

CKvoMarkupGrid::~CKvoMarkupGrid()
{
    for (CKvoMarkupCollection* collection :
         {static_cast<CKvoMarkupCollection*>(m_pRowDefinitions), static_cast<CKvoMarkupCollection*>(m_pColumnDefinitions)}) {
        if (collection) {
            collection->SetLogicalParent(nullptr);
            collection->Release();
        }
    }
}

void CKvoMarkupGrid::SetPropertyObject(CKvoMarkupBuilder* builder, const CKvoMarkupDependencyProperty* property,
                                       CKvoMarkupObject* value)
{
    const bool columns = property == s_columnDefinitionsProperty;
    if (!columns && property != s_rowDefinitionsProperty) {
        CKvoMarkupPanel::SetPropertyObject(builder, property, value);
        return;
    }
    CKvoMarkupType* expected = columns ? CKvoMarkupColumnDefinitionCollection::s_type : CKvoMarkupRowDefinitionCollection::s_type;
    if (!value || !value->IsKindOf(expected)) {
        if (value)
            value->Release();
        ThrowMarkupBuildError(columns ? L"CKvoMarkupColumnDefinitionCollection class expected"
                                      : L"CKvoMarkupRowDefinitionCollection class expected");
    }
    if (columns)
        ReplaceDefinitions(m_pColumnDefinitions, static_cast<CKvoMarkupColumnDefinitionCollection*>(value), this);
    else
        ReplaceDefinitions(m_pRowDefinitions, static_cast<CKvoMarkupRowDefinitionCollection*>(value), this);
}

BOOL CKvoMarkupGrid::HasDefinitions() const
{
    return (m_pColumnDefinitions && m_pColumnDefinitions->GetCount() > 0) ||
           (m_pRowDefinitions && m_pRowDefinitions->GetCount() > 0);
}

SIZE CKvoMarkupGrid::MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height)
{
    if (!HasDefinitions()) {
        m_cells.clear();
        SIZE desired = {0, 0};
        for (int index = 0; index < GetVisualChildrenCount(); ++index) {
            if (CKvoMarkupUIElement* child = GetChildElement(index)) {
                child->Measure(dc, width, height);
                desired.cx = std::max(desired.cx, child->GetDesiredSize().cx);
                desired.cy = std::max(desired.cy, child->GetDesiredSize().cy);
            }
        }
        return desired;
    }
    m_columnsInUse.Reset(DefinitionsInUse<CKvoMarkupColumnDefinitionCollection, CKvoMarkupColumnDefinition>(m_pColumnDefinitions));
    m_rowsInUse.Reset(DefinitionsInUse<CKvoMarkupRowDefinitionCollection, CKvoMarkupRowDefinition>(m_pRowDefinitions));
    if (!m_columnsInUse || !m_rowsInUse || m_columnsInUse->GetCount() == 0 || m_rowsInUse->GetCount() == 0) {
        m_cells.clear();
        return {0, 0};
    }
    // Beyond this, shares of stars would be meaningless: size to content.
    const int starsAsAutoFrom = 32001;
    PrepareDefinitions(m_columnsInUse.Get(), width >= starsAsAutoFrom);
    PrepareDefinitions(m_rowsInUse.Get(), height >= starsAsAutoFrom);
    BuildCells();

    MeasureGroup(dc, m_groups[0], Normal);
    auto resolveRows = [&] { if (m_bHasStarRows) ResolveStars(m_rowsInUse.Get(), height); };
    auto resolveColumns = [&] { if (m_bHasStarColumns) ResolveStars(m_columnsInUse.Get(), width); };
    if (!m_bGroup3InAutoRows) {
        resolveRows();
        MeasureGroup(dc, m_groups[1], Normal);
        resolveColumns();
        MeasureGroup(dc, m_groups[2], Normal);
    } else if (m_groups[1].empty()) {
        resolveColumns();
        MeasureGroup(dc, m_groups[2], Normal);
        resolveRows();
    } else {
        MeasureGroup(dc, m_groups[1], UnboundedHeights);
        resolveColumns();
        MeasureGroup(dc, m_groups[2], Normal);
        resolveRows();
        MeasureGroup(dc, m_groups[1], NoColumnUpdate);
    }
    MeasureGroup(dc, m_groups[3], Normal);
    return {SumOfMinSizes(m_columnsInUse.Get()), SumOfMinSizes(m_rowsInUse.Get())};
}

void CKvoMarkupGrid::BuildCells()
{
    const int childCount = GetVisualChildrenCount();
    m_cells.assign(childCount, Cell{0, 0});
    for (std::vector<int>& group : m_groups)
        group.clear();
    m_bHasStarColumns = m_bHasStarRows = m_bGroup3InAutoRows = FALSE;
    for (int index = 0; index < childCount; ++index) {
        CKvoMarkupUIElement* child = GetChildElement(index);
        if (!child)
            continue;
        Cell& cell = m_cells[index];
        cell.column = CellIndexOf(child, s_columnProperty, m_columnsInUse->GetCount());
        cell.row = CellIndexOf(child, s_rowProperty, m_rowsInUse->GetCount());
        const int columnType = m_columnsInUse->GetDefinition(cell.column)->sizeType;
        const int rowType = m_rowsInUse->GetDefinition(cell.row)->sizeType;
        const bool starColumn = columnType == KvoMarkupGridSizeType::Star;
        const bool starRow = rowType == KvoMarkupGridSizeType::Star;
        m_bHasStarColumns |= starColumn;
        m_bHasStarRows |= starRow;
        int group = 0;
        if (!starRow)
            group = starColumn ? 2 : 0;
        else
            group = columnType == KvoMarkupGridSizeType::Auto ? 1 : 3;
        if (group == 2 && rowType == KvoMarkupGridSizeType::Auto)
            m_bGroup3InAutoRows = TRUE;
        m_groups[group].push_back(index);
    }
}

void CKvoMarkupGrid::MeasureGroup(CKvoMarkupDrawingContext* dc, const std::vector<int>& group, int mode)
{
    for (int index : group)
        MeasureCell(dc, index, mode);
}

void CKvoMarkupGrid::MeasureCell(CKvoMarkupDrawingContext* dc, int childIndex, int mode)
{
    CKvoMarkupUIElement* child = GetChildElement(childIndex);
    Definition* column = m_columnsInUse->GetDefinition(m_cells[childIndex].column);
    Definition* row = m_rowsInUse->GetDefinition(m_cells[childIndex].row);
    const int width =
        column->sizeType == KvoMarkupGridSizeType::Auto ? KvoMarkupUnbounded : TruncateSize(column->measureSize);
    const int height = mode == UnboundedHeights || row->sizeType == KvoMarkupGridSizeType::Auto
                           ? KvoMarkupUnbounded
                           : TruncateSize(row->measureSize);
    child->Measure(dc, width, height);
    const SIZE desired = child->GetDesiredSize();
    if (mode != NoColumnUpdate)
        column->minSize = std::max<int>(column->minSize, desired.cx);
    if (mode != UnboundedHeights)
        row->minSize = std::max<int>(row->minSize, desired.cy);
}

SIZE CKvoMarkupGrid::ArrangeOverride(int width, int height)
{
    const int childCount = GetVisualChildrenCount();
    if (!HasDefinitions() || static_cast<int>(m_cells.size()) != childCount || !m_columnsInUse || !m_rowsInUse) {
        for (int index = 0; index < childCount; ++index) {
            if (CKvoMarkupUIElement* child = GetChildElement(index))
                child->Arrange(RECT{0, 0, width, height});
        }
        return {width, height};
    }
    SetFinalSizes(m_columnsInUse.Get(), width);
    SetFinalSizes(m_rowsInUse.Get(), height);
    for (int index = 0; index < childCount; ++index) {
        CKvoMarkupUIElement* child = GetChildElement(index);
        if (!child)
            continue;
        const Definition* column = m_columnsInUse->GetDefinition(m_cells[index].column);
        const Definition* row = m_rowsInUse->GetDefinition(m_cells[index].row);
        child->Arrange(RECT{column->finalOffset, row->finalOffset,
                            KvoMarkupAddSizes(column->finalOffset, TruncateSize(column->sizeCache)),
                            KvoMarkupAddSizes(row->finalOffset, TruncateSize(row->sizeCache))});
    }
    return {width, height};
}
