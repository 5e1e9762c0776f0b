#include "platform/desktop/FolderDialog.h"

#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QIcon>
#include <QInputDialog>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/desktop/QtText.h"
#include "platform/runtime/Failure.h"
#include "platform/runtime/Publisher.h"

namespace desktop {

namespace {

constexpr int kIdRole = Qt::UserRole + 1;
constexpr int kChoosableRole = Qt::UserRole + 2;

// A calendar with a colour of its own shows it; accounts, collections and the store's own
// node (not choosable, with nothing wrong with them) show a folder.
QIcon IconOf(const FolderNode& node) {
    if (QColor color(Q(node.color)); color.isValid()) {
        QPixmap swatch(12, 12);
        swatch.fill(color);
        return QIcon(swatch);
    }
    QStyle* style = QApplication::style();
    if (node.mail)
        return QIcon::fromTheme("mail-folder-inbox", style->standardIcon(QStyle::SP_DirIcon));
    if (!node.choosable && node.reason.empty())
        return style->standardIcon(QStyle::SP_DirIcon);
    return QIcon::fromTheme("x-office-calendar",
                            style->standardIcon(QStyle::SP_FileDialogDetailedView));
}

// Folders that cannot be chosen for a reason stay in view, greyed, with the word why;
// the others that cannot be chosen can still be selected as the place for a new calendar.
void AddNodes(QTreeWidgetItem* parent, const std::vector<FolderNode>& nodes) {
    for (const FolderNode& node : nodes) {
        QString text = Q(node.name);
        if (!node.reason.empty())
            text += " (" + Q(node.reason) + ")";
        auto* item = new QTreeWidgetItem(parent, {text});
        item->setIcon(0, IconOf(node));
        item->setData(0, kIdRole, Q(node.id));
        item->setData(0, kChoosableRole, node.choosable);
        if (!node.reason.empty()) {
            // Greyed and out of reach, but not disabled: that would take the folders inside
            // (a calendar folder inside a mail folder) with it.
            item->setToolTip(0, Q(node.name + ": " + node.reason));
            item->setFlags(item->flags() & ~Qt::ItemIsSelectable);
            item->setForeground(0,
                                QApplication::palette().brush(QPalette::Disabled, QPalette::Text));
        }
        AddNodes(item, node.children);
    }
}

bool IsChoosable(const QTreeWidgetItem* item) {
    return item && item->data(0, kChoosableRole).toBool();
}

class FolderDialog : public QDialog {
  public:
    FolderDialog(const FolderRequest& request, QWidget* parent)
        : QDialog(parent), request_(request) {
        setObjectName("PickFolder");
        setWindowTitle(Q(request.title));
        tree_ = new QTreeWidget(this);
        tree_->setObjectName("folderTree");
        tree_->setHeaderHidden(true);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        ok_ = buttons->button(QDialogButtonBox::Ok);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        if (request.create) {
            auto* create = buttons->addButton("&New calendar…", QDialogButtonBox::ActionRole);
            create->setObjectName("newCalendar");
            create->setAutoDefault(false);
            connect(create, &QPushButton::clicked, this, [this] { NewCalendar(); });
        }
        connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { UpdateOk(); });
        connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
            if (IsChoosable(item))
                accept();
        });
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(tree_);
        layout->addWidget(buttons);
        resize(360, 420);
        Fill(request.tree, "");
    }

    std::optional<std::string> Chosen() const {
        QTreeWidgetItem* item = tree_->currentItem();
        if (!IsChoosable(item))
            return std::nullopt;
        return item->data(0, kIdRole).toString().toStdString();
    }

  private:
    // Shows the tree with the folder of that id selected, else the first that can be chosen.
    void Fill(const std::vector<FolderNode>& tree, const std::string& select) {
        tree_->clear();
        AddNodes(tree_->invisibleRootItem(), tree);
        tree_->expandAll();
        QTreeWidgetItem* current = nullptr;
        for (QTreeWidgetItemIterator it(tree_); *it && !current; ++it)
            if (!select.empty() && (*it)->data(0, kIdRole).toString() == Q(select))
                current = *it;
        for (QTreeWidgetItemIterator it(tree_); *it && !current; ++it)
            if (IsChoosable(*it))
                current = *it;
        tree_->setCurrentItem(current);
        tree_->setFocus();
        UpdateOk();
    }

    void UpdateOk() { ok_->setEnabled(Chosen().has_value()); }

    void NewCalendar() {
        bool accepted = false;
        QString name = QInputDialog::getText(this, "New calendar",
                                             "Name of the new calendar:", QLineEdit::Normal,
                                             Q(request_.newName), &accepted);
        if (!accepted)
            return;
        std::string near;
        if (QTreeWidgetItem* item = tree_->currentItem())
            near = item->data(0, kIdRole).toString().toStdString();
        try {
            NewFolder made = request_.create(name.toStdString(), near);
            Fill(made.tree, made.id);
        } catch (const rt::Failure& failure) {
            QMessageBox::warning(this, publisher::kTitle, Q(failure.Description()));
        }
    }

    const FolderRequest& request_;
    QTreeWidget* tree_ = nullptr;
    QPushButton* ok_ = nullptr;
};

class DialogChooser : public FolderChooser {
  public:
    std::optional<std::string> Choose(const FolderRequest& request) override {
        FolderDialog dialog(request, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Chosen();
    }
};

}  // namespace

std::shared_ptr<FolderChooser> MakeFolderDialog() {
    return std::make_shared<DialogChooser>();
}

}  // namespace desktop
