#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <QWidget>

#include <memory>

#include "grid/owc/Spreadsheet.h"

namespace owc {

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
class SpreadsheetView : public QWidget {
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
    // Sorts the data rows of the viewable range by one of its columns, when allowed.
    bool SortByColumn(int32_t column);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Refresh();
    void ApplySwitches();
    void ShowSelection();
    void TakeSelection(QTableView* table);

    std::shared_ptr<Spreadsheet> spreadsheet_;
    std::shared_ptr<Worksheet> sheet_;
    QTableView* frozen_;
    QTableView* main_;
    SheetTableModel* frozenModel_;
    SheetTableModel* mainModel_;
    int listener_ = 0;
    bool syncing_ = false;
};

}  // namespace owc
