#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QIcon>
#include <QInputDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "outlook/desktopcal/FolderTree.h"
#include "platform/runtime/Failure.h"

namespace desktopcal {

namespace {

constexpr int kKindRole = Qt::UserRole + 1;
constexpr int kIdRole = Qt::UserRole + 2;
constexpr int kChoosableRole = Qt::UserRole + 3;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QIcon IconOf(const FolderEntry& entry) {
    QColor color(Text(entry.color));
    if (entry.kind == FolderEntry::Kind::Calendar && color.isValid()) {
        QPixmap swatch(12, 12);
        swatch.fill(color);
        return QIcon(swatch);
    }
    QStyle* style = QApplication::style();
    if (entry.kind == FolderEntry::Kind::Group)
        return style->standardIcon(QStyle::SP_DirIcon);
    return QIcon::fromTheme("x-office-calendar",
                            style->standardIcon(QStyle::SP_FileDialogDetailedView));
}

// Calendars and folders that cannot be chosen stay in view, greyed, with the word why;
// accounts, collections and the store's own node can be selected as the place for a new
// calendar but not chosen.
QTreeWidgetItem* ItemOf(const FolderEntry& entry) {
    QString text = Text(entry.name);
    if (!entry.reason.empty())
        text += " (" + Text(entry.reason) + ")";
    auto* item = new QTreeWidgetItem({text});
    item->setIcon(0, IconOf(entry));
    item->setData(0, kKindRole, static_cast<int>(entry.kind));
    item->setData(0, kIdRole, Text(entry.id));
    item->setData(0, kChoosableRole, entry.choosable);
    if (!entry.reason.empty()) {
        item->setToolTip(0, Text(entry.name + ": " + entry.reason));
        item->setDisabled(true);
    }
    for (const auto& child : entry.children)
        item->addChild(ItemOf(child));
    return item;
}

FolderRef RefOf(const QTreeWidgetItem& item) {
    return {static_cast<FolderEntry::Kind>(item.data(0, kKindRole).toInt()),
            item.data(0, kIdRole).toString().toStdString()};
}

QTreeWidgetItem* Find(QTreeWidget& tree, const FolderRef& ref) {
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        if (RefOf(**it) == ref)
            return *it;
    return nullptr;
}

QTreeWidgetItem* FirstChoosable(QTreeWidget& tree) {
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        if ((*it)->data(0, kChoosableRole).toBool())
            return *it;
    return nullptr;
}

class ChooserDialog : public QDialog {
  public:
    ChooserDialog(FolderCatalog& catalog, const std::string& title, QWidget* parent)
        : QDialog(parent), catalog_(catalog) {
        setObjectName("PickFolder");
        setWindowTitle(Text(title));
        tree_ = new QTreeWidget(this);
        tree_->setObjectName("folderTree");
        tree_->setHeaderHidden(true);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        ok_ = buttons->button(QDialogButtonBox::Ok);
        auto* create = buttons->addButton("&New calendar…", QDialogButtonBox::ActionRole);
        create->setObjectName("newCalendar");
        create->setAutoDefault(false);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(create, &QPushButton::clicked, this, [this] { NewCalendar(); });
        connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { UpdateOk(); });
        connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
            if (item->data(0, kChoosableRole).toBool())
                accept();
        });
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(tree_);
        layout->addWidget(buttons);
        resize(360, 420);
        Fill(std::nullopt);
    }

    std::optional<FolderRef> Chosen() const {
        QTreeWidgetItem* item = tree_->currentItem();
        if (!item || !item->data(0, kChoosableRole).toBool())
            return std::nullopt;
        return RefOf(*item);
    }

  private:
    void Fill(const std::optional<FolderRef>& select) {
        tree_->clear();
        for (const auto& entry : catalog_.Tree())
            tree_->addTopLevelItem(ItemOf(entry));
        tree_->expandAll();
        QTreeWidgetItem* current = select ? Find(*tree_, *select) : nullptr;
        tree_->setCurrentItem(current ? current : FirstChoosable(*tree_));
        tree_->setFocus();
        UpdateOk();
    }

    void UpdateOk() { ok_->setEnabled(Chosen().has_value()); }

    void NewCalendar() {
        bool accepted = false;
        QString name = QInputDialog::getText(this, "New calendar",
                                             "Name of the new calendar:", QLineEdit::Normal,
                                             kNewCalendarName, &accepted);
        if (!accepted)
            return;
        std::optional<FolderRef> near;
        if (QTreeWidgetItem* item = tree_->currentItem())
            near = RefOf(*item);
        try {
            Fill(catalog_.NewCalendar(name.toStdString(), near));
        } catch (const rt::Failure& failure) {
            QMessageBox::warning(this, windowTitle(), Text(failure.Description()));
        }
    }

    FolderCatalog& catalog_;
    QTreeWidget* tree_ = nullptr;
    QPushButton* ok_ = nullptr;
};

class DialogChooser : public FolderChooser {
  public:
    std::optional<FolderRef> Choose(FolderCatalog& catalog, const std::string& title) override {
        ChooserDialog dialog(catalog, title, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Chosen();
    }
};

}  // namespace

std::shared_ptr<FolderChooser> MakeDialogChooser() {
    return std::make_shared<DialogChooser>();
}

}  // namespace desktopcal
