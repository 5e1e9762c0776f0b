#include <QApplication>
#include <QPushButton>

#include "app/Components.h"
#include "platform/automation/Registry.h"
#include "platform/desktop/Desktop.h"
#include "ui/frmCreateNames.h"

int main(int argc, char** argv) {
    desktop::RefuseBusLaunch();
    // The search for the desktop's calendar service goes on while Qt starts.
    components::RegisterDesktopCalendar(
        automation::Objects(), desktop::ExecutableFolder() / components::kDesktopCalendarModule);
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
