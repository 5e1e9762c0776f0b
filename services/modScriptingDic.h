#pragma once

#include <memory>
#include <type_traits>

#include "platform/runtime/Variant.h"
#include "services/scripting/Dictionary.h"

namespace modScriptingDic {

// Creates the dictionary component, with one registration attempt when it is missing; a
// failure goes to the error report and ends the program.
std::shared_ptr<automation::Object> fncCreateDicObject();

// Every keyed map of the program comes from here.
template <class V = rt::Variant>
std::shared_ptr<scripting::Dictionary<V>> fncCreateDic() {
    auto made = fncCreateDicObject();
    if constexpr (std::is_same_v<V, rt::Variant>) {
        return automation::As<scripting::Dictionary<rt::Variant>>(made);
    } else {
        return std::make_shared<scripting::Dictionary<V>>();
    }
}

void ResetState();

}  // namespace modScriptingDic
