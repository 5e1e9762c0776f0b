#include "services/modFileHandling.h"

namespace modFileHandling {

namespace {
int registrations = 0;
}

void subRegisterScrrun() {
    ++registrations;
}
int RegistrationCount() {
    return registrations;
}

void ResetState() {
    objFS.reset();
    registrations = 0;
}

}  // namespace modFileHandling
