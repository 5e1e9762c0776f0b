#include "platform/automation/Registry.h"

namespace automation {

namespace {

std::shared_ptr<Object> Create(const std::map<std::string, Factory>& table,
                               const std::string& name) {
    auto it = table.find(name);
    if (it == table.end())
        throw rt::Failure(rt::kCannotCreateObject);
    auto object = it->second();
    if (!object)
        throw rt::Failure(rt::kCannotCreateObject);
    return object;
}

}  // namespace

void Registry::RegisterClass(const std::string& className, Factory factory) {
    classes_[className] = std::move(factory);
}

void Registry::RegisterProgId(const std::string& progId, Factory factory) {
    progIds_[progId] = std::move(factory);
}

void Registry::SetRunning(const std::string& progId, std::shared_ptr<Object> instance) {
    if (instance)
        running_[progId] = std::move(instance);
    else
        running_.erase(progId);
}

void Registry::SetRunningFinder(const std::string& progId, Factory finder) {
    finders_[progId] = std::move(finder);
}

void Registry::Unregister(const std::string& name) {
    classes_.erase(name);
    progIds_.erase(name);
    running_.erase(name);
    finders_.erase(name);
}

void Registry::Clear() {
    classes_.clear();
    progIds_.clear();
    running_.clear();
    finders_.clear();
}

std::shared_ptr<Object> Registry::GetRunning(const std::string& progId) {
    auto finder = finders_.find(progId);
    if (finder != finders_.end() && !running_.contains(progId)) {
        Factory find = std::move(finder->second);
        finders_.erase(finder);
        SetRunning(progId, find());
    }
    auto it = running_.find(progId);
    if (it == running_.end())
        throw rt::Failure(rt::kCannotCreateObject);
    return it->second;
}

std::shared_ptr<Object> Registry::CreateByClass(const std::string& className) const {
    return Create(classes_, className);
}

std::shared_ptr<Object> Registry::CreateObject(const std::string& progId) const {
    return Create(progIds_, progId);
}

Registry& Objects() {
    static Registry registry;
    return registry;
}

}  // namespace automation
