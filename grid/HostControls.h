#pragma once

// The host window's Controls collection as the grid wrapper needs it: controls created by
// ProgID and placed in twips.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/automation/Registry.h"

class QWidget;

namespace grid {

// The host-side wrapper of one added control: the object inside, its place and visibility.
class HostedControl {
  public:
    virtual ~HostedControl() = default;
    virtual std::shared_ptr<automation::Object> object() = 0;
    // In twips, relative to the container the control was added to.
    virtual void Top(int16_t twips) = 0;
    virtual void Left(int16_t twips) = 0;
    virtual void Height(int16_t twips) = 0;
    virtual void Width(int16_t twips) = 0;
    virtual void Visible(bool visible) = 0;
    virtual int16_t Top() const = 0;
    virtual int16_t Left() const = 0;
    virtual int16_t Height() const = 0;
    virtual int16_t Width() const = 0;
    virtual bool Visible() const = 0;
};

// A host window's Controls.
class HostControls {
  public:
    virtual ~HostControls() = default;
    // Creates the component registered under progId, puts its widget (if it has one) into the
    // container under the given object name, and returns the wrapper. Fails (error 429) when
    // the ProgID cannot be created.
    virtual std::shared_ptr<HostedControl> Add(const std::string& progId, const std::string& name,
                                               QWidget* container) = 0;
};

}  // namespace grid
