#include "platform/desktop/FolderDialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QIcon>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/desktop/QtText.h"

namespace desktop {

namespace {

constexpr int kIdRole = Qt::UserRole + 1;

QIcon FolderIcon(bool mail) {
    QStyle* style = QApplication::style();
    return mail ? QIcon::fromTheme("mail-folder-inbox", style->standardIcon(QStyle::SP_DirIcon))
                : QIcon::fromTheme("x-office-calendar",
                                   style->standardIcon(QStyle::SP_FileDialogDetailedView));
}

void AddNodes(QTreeWidgetItem* parent, const std::vector<FolderNode>& nodes) {
    for (const FolderNode& node : nodes) {
        auto* item = new QTreeWidgetItem(parent, {Q(node.name)});
        item->setIcon(0, FolderIcon(node.mail));
        if (node.choosable)
            item->setData(0, kIdRole, Q(node.id));
        AddNodes(item, node.children);
    }
}

class DialogChooser : public FolderChooser {
  public:
    std::optional<std::string> Choose(const std::vector<FolderNode>& tree,
                                      const std::string& title) override {
        QDialog dialog(QApplication::activeWindow());
        dialog.setObjectName("PickFolder");
        dialog.setWindowTitle(Q(title));
        auto* view = new QTreeWidget(&dialog);
        view->setObjectName("folderTree");
        view->setHeaderHidden(true);
        AddNodes(view->invisibleRootItem(), tree);
        view->expandAll();
        auto* buttons =
            new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        QObject::connect(view, &QTreeWidget::itemDoubleClicked, &dialog,
                         [&](QTreeWidgetItem* item) {
                             if (item->data(0, kIdRole).isValid())
                                 dialog.accept();
                         });
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(view);
        layout->addWidget(buttons);
        dialog.resize(320, 400);
        if (dialog.exec() != QDialog::Accepted || !view->currentItem())
            return std::nullopt;
        QVariant id = view->currentItem()->data(0, kIdRole);
        if (!id.isValid())
            return std::nullopt;
        return id.toString().toStdString();
    }
};

}  // namespace

std::shared_ptr<FolderChooser> MakeFolderDialog() {
    return std::make_shared<DialogChooser>();
}

}  // namespace desktop
