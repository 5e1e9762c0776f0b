#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/runtime/Failure.h"

namespace automation {

// What the registry hands out; the caller casts it to the interface it expects.
class Object {
  public:
    virtual ~Object() = default;
};

using Factory = std::function<std::shared_ptr<Object>()>;

// Creating components by name: by class, by ProgID, or attaching to an instance that is
// already running. The product registers its own components at start; tests replace them.
class Registry {
  public:
    void RegisterClass(const std::string& className, Factory factory);
    void RegisterProgId(const std::string& progId, Factory factory);
    void SetRunning(const std::string& progId, std::shared_ptr<Object> instance);
    // Looks for the running instance only when GetRunning first asks for it, so that a
    // program pays for the search when it attaches, not before. The finder gives the
    // instance or none; either answer is kept.
    void SetRunningFinder(const std::string& progId, Factory finder);
    void Unregister(const std::string& name);  // class, ProgID and running instance
    void Clear();

    // Each fails with error 429 when nothing is registered under the name, and passes on
    // what a failing factory throws.
    std::shared_ptr<Object> GetRunning(const std::string& progId);
    std::shared_ptr<Object> CreateByClass(const std::string& className) const;
    std::shared_ptr<Object> CreateObject(const std::string& progId) const;

  private:
    std::map<std::string, Factory> classes_;
    std::map<std::string, Factory> progIds_;
    std::map<std::string, std::shared_ptr<Object>> running_;
    std::map<std::string, Factory> finders_;
};

// The process-wide registry.
Registry& Objects();

// The object as the interface T, or a Type mismatch failure.
template <class T>
std::shared_ptr<T> As(const std::shared_ptr<Object>& object) {
    auto typed = std::dynamic_pointer_cast<T>(object);
    if (!typed)
        throw rt::Failure(rt::kTypeMismatch);
    return typed;
}

}  // namespace automation
