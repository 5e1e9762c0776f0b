#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QIcon>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "outlook/pimstore/Store.h"

namespace pimstore {

namespace fs = std::filesystem;

namespace {

constexpr int kPathRole = Qt::UserRole + 1;

QIcon FolderIcon(bool mail) {
    QStyle* style = QApplication::style();
    return mail ? QIcon::fromTheme("mail-folder-inbox", style->standardIcon(QStyle::SP_DirIcon))
                : QIcon::fromTheme("x-office-calendar",
                                   style->standardIcon(QStyle::SP_FileDialogDetailedView));
}

void AddChildren(QTreeWidgetItem* parent, const fs::path& folder) {
    for (const fs::path& sub : SubFolders(folder)) {
        auto* item = new QTreeWidgetItem(parent, {QString::fromStdString(sub.filename().string())});
        item->setIcon(0, FolderIcon(IsMailFolder(sub)));
        item->setData(0, kPathRole, QString::fromStdString(sub.string()));
        AddChildren(item, sub);
    }
}

class DialogChooser : public FolderChooser {
  public:
    std::optional<fs::path> Choose(const fs::path& root, const std::string& title) override {
        QDialog dialog(QApplication::activeWindow());
        dialog.setObjectName("PickFolder");
        dialog.setWindowTitle(QString::fromStdString(title));
        auto* tree = new QTreeWidget(&dialog);
        tree->setObjectName("folderTree");
        tree->setHeaderHidden(true);
        auto* top = new QTreeWidgetItem(tree, {QString::fromStdString(title)});
        AddChildren(top, root);
        tree->expandAll();
        auto* buttons =
            new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        QObject::connect(tree, &QTreeWidget::itemDoubleClicked, &dialog,
                         [&](QTreeWidgetItem* item) {
                             if (item->data(0, kPathRole).isValid())
                                 dialog.accept();
                         });
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(tree);
        layout->addWidget(buttons);
        dialog.resize(320, 400);
        if (dialog.exec() != QDialog::Accepted || !tree->currentItem())
            return std::nullopt;
        QVariant path = tree->currentItem()->data(0, kPathRole);
        if (!path.isValid())
            return std::nullopt;
        return fs::path(path.toString().toStdString());
    }
};

}  // namespace

std::shared_ptr<FolderChooser> MakeDialogChooser() {
    return std::make_shared<DialogChooser>();
}

}  // namespace pimstore
