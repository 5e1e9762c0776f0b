#pragma once

#include <glib-object.h>

#include <memory>
#include <string>

// Owning the service's GLib objects and errors without leaks on any path.
namespace desktopcal {

// The service's text; empty for none.
inline std::string TextOf(const char* text) {
    return text ? text : "";
}

// Owns one reference of a GObject.
template <class T>
struct Unref {
    void operator()(T* object) const {
        if (object)
            g_object_unref(object);
    }
};
template <class T>
using Ref = std::unique_ptr<T, Unref<T>>;

// Owns a GError.
struct ErrorSlot {
    GError* error = nullptr;
    ~ErrorSlot() { g_clear_error(&error); }
    GError** operator&() { return &error; }
    explicit operator bool() const { return error != nullptr; }
};

}  // namespace desktopcal
