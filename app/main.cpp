#include <QApplication>
#include <QPushButton>

#include "platform/automation/Registry.h"
#include "platform/desktop/Desktop.h"
#include "services/Components.h"
#include "ui/frmCreateNames.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    desktop::Install(desktop::ProductPlatform());
    components::RegisterProductComponents(automation::Objects());
    // Loading runs the start-up; the window shows only once it has gone through.
    frmCreateNames window;
    window.Form_Load();
    window.show();
    window.OKButton->setFocus();
    return app.exec();
}
