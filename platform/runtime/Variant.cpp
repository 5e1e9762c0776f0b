#include "platform/runtime/Variant.h"

#include <functional>

#include "platform/runtime/Failure.h"

namespace rt {

std::string Variant::TypeName() const {
    static const char* const kNames[] = {"Empty",  "Null",     "Boolean", "Integer", "Long",
                                         "Double", "Currency", "Date",    "String"};
    return kNames[value_.index()];
}

bool Variant::IsNumber() const {
    switch (Type()) {
        case VarType::Integer:
        case VarType::Long:
        case VarType::Double:
        case VarType::Currency:
            return true;
        default:
            return false;
    }
}

namespace {

template <class T, class V>
const T& Get(const V& value) {
    if (auto* p = std::get_if<T>(&value))
        return *p;
    throw Failure(kTypeMismatch);
}

}  // namespace

bool Variant::AsBoolean() const {
    return Get<bool>(value_);
}
int16_t Variant::AsInteger() const {
    return Get<int16_t>(value_);
}
int32_t Variant::AsLong() const {
    return Get<int32_t>(value_);
}
Currency Variant::AsCurrency() const {
    return Get<Currency>(value_);
}
Date Variant::AsDate() const {
    return Get<Date>(value_);
}
const std::string& Variant::AsString() const {
    return Get<std::string>(value_);
}

double Variant::AsDouble() const {
    switch (Type()) {
        case VarType::Boolean:
            return AsBoolean() ? -1.0 : 0.0;
        case VarType::Integer:
            return AsInteger();
        case VarType::Long:
            return AsLong();
        case VarType::Double:
            return std::get<double>(value_);
        case VarType::Currency:
            return double(AsCurrency().scaled) / 10000.0;
        case VarType::Date:
            return AsDate().serial;
        default:
            throw Failure(kTypeMismatch);
    }
}

bool operator==(const Variant& a, const Variant& b) {
    if (a.IsNumber() && b.IsNumber())
        return a.AsDouble() == b.AsDouble();
    return a.value_ == b.value_;
}

size_t VariantHash::operator()(const Variant& v) const {
    if (v.IsNumber())
        return std::hash<double>{}(v.AsDouble() + 0.0);
    switch (v.Type()) {
        case VarType::String:
            return std::hash<std::string>{}(v.AsString());
        case VarType::Boolean:
            return v.AsBoolean() ? 1 : 2;
        case VarType::Date:
            return std::hash<double>{}(v.AsDate().serial) ^ 0x5bd1e995;
        default:
            return static_cast<size_t>(v.Type());
    }
}

}  // namespace rt
