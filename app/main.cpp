#include <QApplication>

#include "platform/automation/Registry.h"
#include "platform/desktop/Desktop.h"
#include "services/Components.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    desktop::Install(desktop::ProductPlatform());
    components::RegisterProductComponents(automation::Objects());
    return 0;
}
