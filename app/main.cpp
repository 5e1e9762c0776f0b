#include <QApplication>
#include <QPushButton>

#include "app/Components.h"
#include "platform/automation/Registry.h"
#include "platform/desktop/Desktop.h"
#include "ui/frmCreateNames.h"

int main(int argc, char** argv) {
    desktop::RefuseBusLaunch();
    QApplication app(argc, argv);
    desktop::Install(desktop::ProductPlatform());
    components::RegisterProductComponents(automation::Objects());
    components::RegisterDesktopCalendar(
        automation::Objects(),
        desktop::Services().paths->ProgramFolder() / components::kDesktopCalendarModule);
    // Loading runs the start-up; the window shows only once it has gone through.
    frmCreateNames window;
    window.Form_Load();
    window.show();
    window.OKButton->setFocus();
    return app.exec();
}
