#pragma once
#include <vector>
#include "markup/core/KvoMarkupPtr.h"
#include "markup/layout/KvoMarkupDefinitionCollection.h"
#include "markup/layout/KvoMarkupPanel.h"

class CKvoMarkupDefinitionBase;

// The table panel: columns and rows sized in pixels, Auto or stars with
// optional limits, and each child in the one cell that Grid.Column and
// Grid.Row name. Measuring resolves the cells in groups so that Auto sizes
// feed star sizes and star sizes feed Auto sizes.
class CKvoMarkupGrid : public CKvoMarkupPanel {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupGrid();
    ~CKvoMarkupGrid() override;
    // The definitions property elements: only the matching collection.
    void SetPropertyObject(CKvoMarkupBuilder* builder, const CKvoMarkupDependencyProperty* property,
                           CKvoMarkupObject* value) override;
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;
    SIZE ArrangeOverride(int width, int height) override;

    CKvoMarkupColumnDefinitionCollection* GetColumnDefinitions() const { return m_pColumnDefinitions; }
    CKvoMarkupRowDefinitionCollection* GetRowDefinitions() const { return m_pRowDefinitions; }
    // The definitions of the last measure (the user's, or one default).
    CKvoMarkupDefinitionCollection* GetColumnsInUse() const { return m_columnsInUse.Get(); }
    CKvoMarkupDefinitionCollection* GetRowsInUse() const { return m_rowsInUse.Get(); }

    // "ColumnDefinitions", "RowDefinitions": the collections; "Column",
    // "Row": attached Int, 0 when unset, re-measuring the grid on change.
    static CKvoMarkupDependencyProperty* s_columnDefinitionsProperty;
    static CKvoMarkupDependencyProperty* s_rowDefinitionsProperty;
    static CKvoMarkupDependencyProperty* s_columnProperty;
    static CKvoMarkupDependencyProperty* s_rowProperty;
    static void RegisterMarkupProperties();

private:
    struct Cell {
        int column;
        int row;
    };
    // How one group of cells is measured.
    enum MeasureMode { Normal = 0, NoColumnUpdate = 1, UnboundedHeights = 2 };

    BOOL HasDefinitions() const;
    void BuildCells();
    void MeasureGroup(CKvoMarkupDrawingContext* dc, const std::vector<int>& group, int mode);
    void MeasureCell(CKvoMarkupDrawingContext* dc, int childIndex, int mode);

    CKvoMarkupColumnDefinitionCollection* m_pColumnDefinitions;
    CKvoMarkupRowDefinitionCollection* m_pRowDefinitions;
    // One cell per child, rebuilt by every measure with definitions.
    std::vector<Cell> m_cells;
    // Child indices of cell groups 1 to 4, in child order.
    std::vector<int> m_groups[4];
    BOOL m_bHasStarColumns;
    BOOL m_bHasStarRows;
    BOOL m_bGroup3InAutoRows;
    CKvoMarkupPtr<CKvoMarkupDefinitionCollection> m_columnsInUse;
    CKvoMarkupPtr<CKvoMarkupDefinitionCollection> m_rowsInUse;
};
