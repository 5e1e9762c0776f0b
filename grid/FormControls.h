#pragma once

#include "grid/HostControls.h"

namespace grid {

// The Controls collection of a Qt window: components come from the automation registry, and
// a spreadsheet gets its view as a child of the container.
class FormControls : public HostControls {
  public:
    std::shared_ptr<HostedControl> Add(const std::string& progId, const std::string& name,
                                       QWidget* container) override;
};

}  // namespace grid
