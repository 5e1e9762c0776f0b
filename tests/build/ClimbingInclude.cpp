// Built only by the layering check: the outlook library stands below the services, so this
// include must not be found.
#include "services/modErroHandling.h"
