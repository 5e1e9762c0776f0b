#include "grid/owc/SpreadsheetView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <utility>

#include "grid/owc/CellText.h"
#include "grid/owc/ColumnMetrics.h"
#include "grid/owc/Headings.h"

namespace owc {

namespace {

constexpr int kRowPixels = 17;

QColor ColorOf(int32_t rgb) {
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
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

}  // namespace

// Draws the cells' own borders over what the style paints; Enter and Tab commit and move on.
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

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor_ = editor;
        return editor;
    }

    // Commits the open editor's text, if any, and closes it.
    void Finish() {
        if (!editor_)
            return;
        QWidget* editor = editor_;
        editor_ = nullptr;
        Q_EMIT commitData(editor);
        Q_EMIT closeEditor(editor, NoHint);
    }

  protected:
    bool eventFilter(QObject* editor, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
            switch (key->key()) {
                case Qt::Key_Return:
                case Qt::Key_Enter:
                    Finish();
                    view_->MoveAfterReturn();
                    return true;
                case Qt::Key_Tab:
                case Qt::Key_Backtab:
                    if (!plain)
                        break;
                    Finish();
                    view_->TabFrom(key->key() == Qt::Key_Tab);
                    return true;
                default:
                    break;
            }
        }
        return QStyledItemDelegate::eventFilter(editor, event);
    }

  private:
    std::shared_ptr<Worksheet> sheet_;
    SheetTableModel* model_;
    SpreadsheetView* view_;
    mutable QPointer<QWidget> editor_;
};

namespace {

QTableView* MakeTable(SheetTableModel* model, QWidget* parent) {
    auto* table = new QTableView(parent);
    table->setVerticalHeader(new Headings(Qt::Vertical, table));
    table->setHorizontalHeader(new Headings(Qt::Horizontal, table));
    table->setModel(model);
    // A cell shows one line, cut short with an ellipsis; its tooltip has the whole text.
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideRight);
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
    if (!index.isValid())
        return {};
    int32_t row = SheetRow(index.row()), column = SheetColumn(index.column());
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
        return {};
    const Style& style = sheet_->StyleAt(row, column);
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(CellText(sheet_->ValueAt(row, column)));
        case Qt::EditRole:
            return QString::fromStdString(sheet_->FormulaAt(row, column));
        case Qt::FontRole:
            return FontOf(style);
        case Qt::ToolTipRole: {
            std::string text = CellText(sheet_->ValueAt(row, column));
            if (text.empty() ||
                sheet_->Measure().TextWidth(text, style) <= sheet_->ColumnWidthAt(column))
                return {};
            return QString::fromStdString(text);
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
    frozenDelegate_ = new CellDelegate(sheet_, frozenModel_, this);
    mainDelegate_ = new CellDelegate(sheet_, mainModel_, this);
    frozen_->setItemDelegate(frozenDelegate_);
    main_->setItemDelegate(mainDelegate_);
    // The keyboard works in the data rows: the frozen rows are headings, reached by the mouse.
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->setTabKeyNavigation(false);
    setFocusProxy(main_);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    frozenRow_ = new QHBoxLayout();
    frozenRow_->setContentsMargins(0, 0, 0, 0);
    frozenRow_->addWidget(frozen_);
    layout->addLayout(frozenRow_);
    layout->addWidget(main_, 1);
    connect(main_->horizontalScrollBar(), &QScrollBar::valueChanged, frozen_->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(frozen_->horizontalScrollBar(), &QScrollBar::valueChanged, main_->horizontalScrollBar(),
            &QScrollBar::setValue);
    for (QTableView* table : {frozen_, main_}) {
        table->installEventFilter(this);
        table->viewport()->installEventFilter(this);
        connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, table] { TakeSelection(table); });
        auto* model = static_cast<SheetTableModel*>(table->model());
        // A double-click beyond the last heading names no section (-1).
        connect(table->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
                [this, model](int section) {
                    if (section >= 0)
                        SortByColumn(model->SheetColumn(section));
                });
        connect(
            table->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this, table](int section, int, int pixels) { UserResized(table, section, pixels); });
    }
    sheet_->SetMeasure(this);
    sheet_->SetPendingInput([this] { FinishEdit(); });
    listener_ = sheet_->AddListener([this] { Refresh(); });
    Refresh();
}

SpreadsheetView::~SpreadsheetView() {
    sheet_->RemoveListener(listener_);
    sheet_->SetPendingInput(nullptr);
    if (&sheet_->Measure() == this)
        sheet_->SetMeasure(nullptr);
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

int SpreadsheetView::RowHeadingPixels() const {
    return std::max(frozen_->verticalHeader()->sizeHint().width(),
                    main_->verticalHeader()->sizeHint().width());
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
    }
    ApplyWidths();
    // Both bands share the row-number column, so their cells line up.
    int headerWidth = RowHeadingPixels();
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

// The sheet holds the widths; both bands show them.
void SpreadsheetView::ApplyWidths() {
    applyingWidths_ = true;
    for (QTableView* table : {frozen_, main_}) {
        auto* model = static_cast<SheetTableModel*>(table->model());
        for (int c = 0; c < model->columnCount(); ++c)
            table->setColumnWidth(c, PixelsOfWidth(sheet_->ColumnWidthAt(model->SheetColumn(c))));
    }
    applyingWidths_ = false;
}

// A border dragged in either band goes to the sheet, which gives it to both.
void SpreadsheetView::UserResized(QTableView* table, int section, int pixels) {
    if (applyingWidths_)
        return;
    auto* model = static_cast<SheetTableModel*>(table->model());
    if (!sheet_->UserSetColumnWidth(model->SheetColumn(section), WidthOfPixels(pixels)))
        ApplyWidths();
}

// The frozen band has no vertical scroll bar: it stops where the other band's begins, so that
// both show the same width and scroll sideways alike.
void SpreadsheetView::AlignBands() {
    int margin = frozenRow_->contentsMargins().right();
    int wanted = std::max(0, margin + frozen_->viewport()->width() - main_->viewport()->width());
    if (wanted != margin)
        frozenRow_->setContentsMargins(0, 0, wanted, 0);
    frozen_->horizontalScrollBar()->setValue(main_->horizontalScrollBar()->value());
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
    // One selection in the sheet: what the other band had selected is no longer.
    QTableView* other = table == frozen_ ? static_cast<QTableView*>(main_) : frozen_;
    other->selectionModel()->clearSelection();
    sheet_->SetSelection(area);
    syncing_ = false;
}

void SpreadsheetView::FinishEdit() {
    frozenDelegate_->Finish();
    mainDelegate_->Finish();
}

int SpreadsheetView::CellsPixels() const {
    int pixels = width() - 2 * main_->frameWidth();
    if (spreadsheet_->DisplayRowHeadings)
        pixels -= RowHeadingPixels();
    if (spreadsheet_->ActiveWindow()->DisplayVerticalScrollBar)
        pixels -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, main_);
    return pixels;
}

double SpreadsheetView::TextWidth(const std::string& text, const Style& style) const {
    return WidthOfPixels(CellPixels(text, style));
}

double SpreadsheetView::FitLimit(int32_t column) const {
    const Area& view = sheet_->ViewableArea();
    if (column < view.left || column > view.right)
        return kMaxColumnWidth;
    int pixels = CellsPixels();
    for (int32_t c = view.left; c <= view.right; ++c)
        if (c != column)
            pixels -= PixelsOfWidth(sheet_->ColumnWidthAt(c));
    return WidthOfPixels(pixels);
}

}  // namespace owc
