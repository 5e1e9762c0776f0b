#include "grid/owc/SpreadsheetView.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

#include "grid/owc/CellText.h"

namespace owc {

namespace {

constexpr int kRowPixels = 17;

QColor ColorOf(int32_t rgb) {
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

// A column width counts digits of the sheet's standard font, plus a margin; measuring the digit
// in the font actually drawn keeps widths right when the system substitutes another font.
int PixelsOf(double columnWidth) {
    static const double digit = [] {
        Style standard;
        QFont font(QString::fromStdString(standard.fontName));
        font.setPointSizeF(standard.fontSize);
        return QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    }();
    return int(columnWidth * digit + 5);
}

Qt::Alignment AlignmentOf(int32_t alignment, const rt::Variant& value) {
    Qt::Alignment vertical = Qt::AlignVCenter;
    switch (alignment) {
        case kAlignLeft:
            return Qt::AlignLeft | vertical;
        case kAlignCenter:
            return Qt::AlignHCenter | vertical;
        case kAlignRight:
            return Qt::AlignRight | vertical;
        default:
            return (value.IsNumber() ? Qt::AlignRight : Qt::AlignLeft) | vertical;
    }
}

// Draws the cells' own borders over what the style paints; Enter commits and moves on.
class CellDelegate : public QStyledItemDelegate {
  public:
    CellDelegate(std::shared_ptr<Worksheet> sheet, SheetTableModel* model, SpreadsheetView* view)
        : QStyledItemDelegate(view), sheet_(std::move(sheet)), model_(model), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const Style& style =
            sheet_->StyleAt(model_->SheetRow(index.row()), model_->SheetColumn(index.column()));
        const QRect r = option.rect.adjusted(0, 0, -1, -1);
        const QLine edges[4] = {
            QLine(r.topLeft(), r.bottomLeft()), QLine(r.topLeft(), r.topRight()),
            QLine(r.bottomLeft(), r.bottomRight()), QLine(r.topRight(), r.bottomRight())};
        for (int slot = 0; slot < 4; ++slot) {
            const Border& border = style.borders[slot];
            if (border.lineStyle == kLineStyleNone)
                continue;
            QPen pen(ColorOf(border.color), border.weight == kLineWeightMedium ? 2 : 1);
            if (border.lineStyle == kLineStyleDot)
                pen.setStyle(Qt::DotLine);
            painter->save();
            painter->setPen(pen);
            painter->drawLine(edges[slot]);
            painter->restore();
        }
    }

  protected:
    bool eventFilter(QObject* editor, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                auto* widget = qobject_cast<QWidget*>(editor);
                Q_EMIT commitData(widget);
                Q_EMIT closeEditor(widget, NoHint);
                view_->MoveAfterReturn();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(editor, event);
    }

  private:
    std::shared_ptr<Worksheet> sheet_;
    SheetTableModel* model_;
    SpreadsheetView* view_;
};

QTableView* MakeTable(SheetTableModel* model, QWidget* parent) {
    auto* table = new QTableView(parent);
    table->setModel(model);
    table->verticalHeader()->setDefaultSectionSize(kRowPixels);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    return table;
}

}  // namespace

SheetTableModel::SheetTableModel(std::shared_ptr<Worksheet> sheet, bool frozenBand, QObject* parent)
    : QAbstractTableModel(parent), sheet_(std::move(sheet)), frozenBand_(frozenBand) {
    band_ = CurrentBand();
}

Area SheetTableModel::CurrentBand() const {
    const Area& view = sheet_->ViewableArea();
    int32_t frozenEnd = sheet_->FrozenRows();
    Area band = view;
    if (frozenBand_)
        band.bottom = std::min(view.bottom, frozenEnd);
    else
        band.top = std::max(view.top, frozenEnd + 1);
    if (band.bottom < band.top)
        band = Area{view.top, view.left, view.top - 1, view.right};
    return band;
}

int SheetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : band_.Rows();
}

int SheetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : band_.Columns();
}

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
    int32_t row = SheetRow(index.row()), column = SheetColumn(index.column());
    if (!index.isValid() || row > kMaxRows || column > kMaxColumns)
        return {};
    const Style& style = sheet_->StyleAt(row, column);
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(CellText(sheet_->ValueAt(row, column)));
        case Qt::EditRole:
            return QString::fromStdString(sheet_->FormulaAt(row, column));
        case Qt::FontRole: {
            QFont font(QString::fromStdString(style.fontName));
            font.setPointSizeF(style.fontSize);
            font.setBold(style.bold);
            return font;
        }
        case Qt::BackgroundRole:
            if (style.interiorColor == kNoColor)
                return {};
            return ColorOf(style.interiorColor);
        case Qt::TextAlignmentRole:
            return int(AlignmentOf(style.horizontalAlignment, sheet_->ValueAt(row, column)));
        default:
            return {};
    }
}

bool SheetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    int32_t row = SheetRow(index.row()), column = SheetColumn(index.column());
    return sheet_->UserEdit(row, column, value.toString().toStdString());
}

Qt::ItemFlags SheetTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (sheet_->UserMayEdit(SheetRow(index.row()), SheetColumn(index.column())))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return QString::fromStdString(ColumnLetters(SheetColumn(section)));
    return SheetRow(section);
}

void SheetTableModel::Refresh() {
    Area band = CurrentBand();
    if (band == band_) {
        if (band_.Rows() > 0 && band_.Columns() > 0)
            Q_EMIT dataChanged(index(0, 0), index(band_.Rows() - 1, band_.Columns() - 1));
        return;
    }
    beginResetModel();
    band_ = band;
    endResetModel();
}

SpreadsheetView::SpreadsheetView(std::shared_ptr<Spreadsheet> spreadsheet, QWidget* parent)
    : QWidget(parent), spreadsheet_(std::move(spreadsheet)), sheet_(spreadsheet_->ActiveSheet()) {
    frozenModel_ = new SheetTableModel(sheet_, true, this);
    mainModel_ = new SheetTableModel(sheet_, false, this);
    frozen_ = MakeTable(frozenModel_, this);
    main_ = MakeTable(mainModel_, this);
    frozen_->setObjectName("frozenRows");
    main_->setObjectName("cells");
    frozen_->setItemDelegate(new CellDelegate(sheet_, frozenModel_, this));
    main_->setItemDelegate(new CellDelegate(sheet_, mainModel_, this));
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(frozen_);
    layout->addWidget(main_, 1);
    connect(main_->horizontalScrollBar(), &QScrollBar::valueChanged, frozen_->horizontalScrollBar(),
            &QScrollBar::setValue);
    for (QTableView* table : {frozen_, main_}) {
        table->installEventFilter(this);
        connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, table] { TakeSelection(table); });
        connect(
            table->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this, table](int section) {
                SortByColumn(static_cast<SheetTableModel*>(table->model())->SheetColumn(section));
            });
    }
    listener_ = sheet_->AddListener([this] { Refresh(); });
    Refresh();
}

SpreadsheetView::~SpreadsheetView() {
    sheet_->RemoveListener(listener_);
}

void SpreadsheetView::Refresh() {
    bool updating = sheet_->ScreenUpdating();
    setUpdatesEnabled(updating);
    if (!updating)
        return;
    // Models can be reset below, which clears Qt's selection; that is not the user's doing.
    syncing_ = true;
    frozenModel_->Refresh();
    mainModel_->Refresh();
    syncing_ = false;
    ApplySwitches();
    ShowSelection();
}

void SpreadsheetView::ApplySwitches() {
    const Spreadsheet& s = *spreadsheet_;
    const SpreadsheetWindow& window = *s.ActiveWindow();
    frozen_->setVisible(frozenModel_->rowCount() > 0);
    frozen_->horizontalHeader()->setVisible(s.DisplayColumnHeadings);
    main_->horizontalHeader()->setVisible(s.DisplayColumnHeadings && frozenModel_->rowCount() == 0);
    for (QTableView* table : {frozen_, main_}) {
        table->verticalHeader()->setVisible(s.DisplayRowHeadings);
        table->setShowGrid(s.DisplayGridlines);
        auto* model = static_cast<SheetTableModel*>(table->model());
        for (int c = 0; c < model->columnCount(); ++c)
            table->setColumnWidth(c, PixelsOf(sheet_->ColumnWidthAt(model->SheetColumn(c))));
    }
    // Both bands share the row-number column, so their cells line up.
    int headerWidth = std::max(frozen_->verticalHeader()->sizeHint().width(),
                               main_->verticalHeader()->sizeHint().width());
    frozen_->verticalHeader()->setFixedWidth(headerWidth);
    main_->verticalHeader()->setFixedWidth(headerWidth);
    int headerHeight =
        s.DisplayColumnHeadings ? frozen_->horizontalHeader()->sizeHint().height() : 0;
    frozen_->setFixedHeight(frozenModel_->rowCount() * kRowPixels + headerHeight + 2);
    main_->setHorizontalScrollBarPolicy(window.DisplayHorizontalScrollBar ? Qt::ScrollBarAsNeeded
                                                                          : Qt::ScrollBarAlwaysOff);
    main_->setVerticalScrollBarPolicy(window.DisplayVerticalScrollBar ? Qt::ScrollBarAsNeeded
                                                                      : Qt::ScrollBarAlwaysOff);
}

void SpreadsheetView::ShowSelection() {
    const Area& selection = sheet_->Selection();
    for (QTableView* table : {frozen_, main_}) {
        auto* model = static_cast<SheetTableModel*>(table->model());
        const Area& band = model->Band();
        if (!band.Contains(selection.top, selection.left))
            continue;
        QModelIndex index = model->index(selection.top - band.top, selection.left - band.left);
        if (table->currentIndex() == index)
            return;
        syncing_ = true;
        table->setCurrentIndex(index);
        syncing_ = false;
        return;
    }
}

void SpreadsheetView::TakeSelection(QTableView* table) {
    if (syncing_)
        return;
    QModelIndexList chosen = table->selectionModel()->selectedIndexes();
    if (chosen.isEmpty())
        return;
    auto* model = static_cast<SheetTableModel*>(table->model());
    Area area{kMaxRows, kMaxColumns, 1, 1};
    for (const QModelIndex& index : chosen) {
        int32_t r = model->SheetRow(index.row()), c = model->SheetColumn(index.column());
        area = Area{std::min(area.top, r), std::min(area.left, c), std::max(area.bottom, r),
                    std::max(area.right, c)};
    }
    syncing_ = true;
    sheet_->SetSelection(area);
    syncing_ = false;
}

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
    for (int32_t r = rows.top; r <= rows.bottom; ++r)
        for (int32_t c = rows.left; c <= rows.right; ++c)
            if (!sheet_->UserMayEdit(r, c))
                return false;
    sheet_->SortRows(rows, column - rows.left);
    return true;
}

bool SpreadsheetView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == main_ || watched == frozen_)) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            MoveAfterReturn();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace owc
