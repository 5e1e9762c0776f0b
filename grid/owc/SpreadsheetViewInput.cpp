#include "grid/owc/SpreadsheetView.h"

#include <QKeyEvent>

#include <algorithm>
#include <utility>
#include <vector>

// What the user does with the keyboard and the headings: Enter and Tab move, Delete clears,
// a double-clicked heading sorts.

namespace owc {

void SpreadsheetView::MoveAfterReturn() {
    if (!spreadsheet_->MoveAfterReturn)
        return;
    Area cell = sheet_->Selection();
    const Area& view = sheet_->ViewableArea();
    if (spreadsheet_->MoveAfterReturnDirection == kDirectionRight)
        cell.left = cell.right = std::min(view.right, cell.left + 1);
    else
        cell.top = cell.bottom = std::min(view.bottom, cell.top + 1);
    cell.bottom = cell.top;
    cell.right = cell.left;
    sheet_->SetSelection(cell);
}

bool SpreadsheetView::SortByColumn(int32_t column) {
    const SheetProtection& protection = sheet_->Protection();
    if (protection.Enabled && !protection.AllowSorting)
        return false;
    const Area& view = sheet_->ViewableArea();
    Area rows{std::max(view.top, sheet_->FrozenRows() + 1), view.left, view.bottom, view.right};
    if (!rows.Contains(rows.top, column) || rows.top > rows.bottom)
        return false;
    for (int32_t r = rows.top; r <= rows.bottom; ++r)
        for (int32_t c = rows.left; c <= rows.right; ++c)
            if (!sheet_->UserMayEdit(r, c))
                return false;
    sheet_->SortRows(rows, column - rows.left);
    return true;
}

// The last data row with content in the shown columns; the row above the data when none has.
int32_t SpreadsheetView::LastDataRow() const {
    const Area& band = mainModel_->Band();
    for (int32_t r = band.bottom; r >= band.top; --r)
        for (int32_t c = band.left; c <= band.right; ++c)
            if (sheet_->HasContent(r, c))
                return r;
    return band.top - 1;
}

void SpreadsheetView::Select(int32_t row, int32_t column) {
    sheet_->SetSelection(Area{row, column, row, column});
    ShowSelection();
}

void SpreadsheetView::TabFrom(bool forward) {
    const Area& band = mainModel_->Band();
    const Area& cell = sheet_->Selection();
    bool inData = band.Rows() > 0 && band.Contains(cell.top, cell.left);
    int32_t row = cell.top, column = cell.left;
    if (forward) {
        int32_t end = std::min(band.bottom, LastDataRow() + 1);
        if (!inData) {
            row = band.top;
            column = band.left;
        } else if (column < band.right) {
            ++column;
        } else {
            ++row;
            column = band.left;
        }
        if (band.Rows() > 0 && row <= end) {
            Select(row, column);
            return;
        }
    } else if (inData) {
        if (column > band.left) {
            --column;
        } else {
            --row;
            column = band.right;
        }
        if (row >= band.top) {
            Select(row, column);
            return;
        }
    }
    focusNextPrevChild(forward);
}

void SpreadsheetView::ClearSelectedCells() {
    std::vector<std::pair<int32_t, int32_t>> cells;
    for (QTableView* table : {frozen_, main_}) {
        auto* model = static_cast<SheetTableModel*>(table->model());
        QModelIndexList chosen = table->selectionModel()->selectedIndexes();
        if (chosen.isEmpty() && table == main_ && table->currentIndex().isValid())
            chosen.append(table->currentIndex());
        for (const QModelIndex& index : chosen) {
            int32_t r = model->SheetRow(index.row()), c = model->SheetColumn(index.column());
            if (sheet_->HasContent(r, c) && sheet_->UserMayEdit(r, c))
                cells.emplace_back(r, c);
        }
    }
    if (cells.empty())
        return;
    // One repaint for the whole block; the sheet still counts each cell as a user edit.
    bool updating = sheet_->ScreenUpdating();
    sheet_->SetScreenUpdating(false);
    for (const auto& [r, c] : cells)
        sheet_->UserEdit(r, c, "");
    if (updating)
        sheet_->SetScreenUpdating(true);
}

bool SpreadsheetView::HandleKey(QKeyEvent* event) {
    Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            MoveAfterReturn();
            return true;
        case Qt::Key_Tab:
            if (modifiers != Qt::NoModifier)
                return false;
            TabFrom(true);
            return true;
        case Qt::Key_Backtab:
            if (modifiers != Qt::ShiftModifier && modifiers != Qt::NoModifier)
                return false;
            TabFrom(false);
            return true;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            if (modifiers != Qt::NoModifier)
                return false;
            ClearSelectedCells();
            return true;
        default:
            return false;
    }
}

bool SpreadsheetView::eventFilter(QObject* watched, QEvent* event) {
    bool table = watched == main_ || watched == frozen_;
    if (table && event->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent*>(event)))
        return true;
    // A viewport can change its width while hidden and then only be shown, without a resize.
    bool sized = event->type() == QEvent::Resize || event->type() == QEvent::Show;
    if (sized && (watched == main_->viewport() || watched == frozen_->viewport()))
        AlignBands();
    return QWidget::eventFilter(watched, event);
}

}  // namespace owc
