#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <QWidget>

class QBoxLayout;
class QKeyEvent;

#include <memory>

#include "grid/owc/Spreadsheet.h"

namespace owc {

class CellDelegate;

// A band of sheet rows (the frozen rows, or the rest of the viewable range) as a Qt table.
class SheetTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    SheetTableModel(std::shared_ptr<Worksheet> sheet, bool frozenBand, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes the sheet's current shape and content.
    void Refresh();
    int32_t SheetRow(int row) const { return band_.top + row; }
    int32_t SheetColumn(int column) const { return band_.left + column; }
    const Area& Band() const { return band_; }  // rows 0 when the band is empty

  private:
    Area CurrentBand() const;

    std::shared_ptr<Worksheet> sheet_;
    bool frozenBand_;
    Area band_{0, 0, -1, -1};
};

// The spreadsheet control's widget: frozen rows above, the rest of the viewable range below,
// headings, scroll bars and gridlines as switched; repaints only while screen updating is on.
// Both bands take their column widths from the sheet and scroll sideways together. It measures
// text for the sheet's column fitting with the fonts it draws.
//
// Keys: Tab and Shift+Tab move through the data cells row by row, never into the frozen rows;
// Tab leaves the grid after the last cell of the first empty row below the data (the row where a
// new entry is typed), Shift+Tab before the first data cell. Delete and Backspace clear the
// selected cells the user may change.
class SpreadsheetView : public QWidget, public ColumnMeasure {
    Q_OBJECT
  public:
    SpreadsheetView(std::shared_ptr<Spreadsheet> spreadsheet, QWidget* parent = nullptr);
    ~SpreadsheetView() override;

    QTableView* FrozenTable() const { return frozen_; }
    QTableView* MainTable() const { return main_; }
    SheetTableModel* FrozenModel() const { return frozenModel_; }
    SheetTableModel* MainModel() const { return mainModel_; }
    // Moves the current cell as Enter does.
    void MoveAfterReturn();
    // Sorts the data rows of the viewable range by one of its shown columns, when allowed;
    // false for any other column.
    bool SortByColumn(int32_t column);
    // What Tab (forward) and Shift+Tab do.
    void TabFrom(bool forward);
    // What Delete and Backspace do.
    void ClearSelectedCells();
    // Hands what the user is typing in a cell to the sheet and closes the editor.
    void FinishEdit();
    // The pixels the shown columns have beside the row numbers and the vertical scroll bar.
    int CellsPixels() const;

    // ColumnMeasure
    double TextWidth(const std::string& text, const Style& style) const override;
    double FitLimit(int32_t column) const override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Refresh();
    void ApplySwitches();
    void ApplyWidths();
    void AlignBands();
    void ShowSelection();
    void TakeSelection(QTableView* table);
    void UserResized(QTableView* table, int section, int pixels);
    bool HandleKey(QKeyEvent* event);
    int32_t LastDataRow() const;
    void Select(int32_t row, int32_t column);
    int RowHeadingPixels() const;

    std::shared_ptr<Spreadsheet> spreadsheet_;
    std::shared_ptr<Worksheet> sheet_;
    QTableView* frozen_;
    QTableView* main_;
    // The frozen band's row, kept clear of the other band's vertical scroll bar.
    QBoxLayout* frozenRow_;
    SheetTableModel* frozenModel_;
    SheetTableModel* mainModel_;
    CellDelegate* frozenDelegate_;
    CellDelegate* mainDelegate_;
    int listener_ = 0;
    bool syncing_ = false;
    bool applyingWidths_ = false;
};

}  // namespace owc
