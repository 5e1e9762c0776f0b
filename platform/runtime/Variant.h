#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "platform/runtime/Date.h"

namespace rt {

enum class VarType { Empty, Null, Boolean, Integer, Long, Double, Currency, Date, String };

struct NullValue {
    friend bool operator==(NullValue, NullValue) = default;
};
struct EmptyValue {
    friend bool operator==(EmptyValue, EmptyValue) = default;
};

// A 64-bit fixed-point amount with four decimals.
struct Currency {
    int64_t scaled = 0;  // value times 10000
    friend bool operator==(const Currency&, const Currency&) = default;
};

// A dynamically typed value, as grid cells and map keys hold them.
class Variant {
  public:
    Variant() = default;
    Variant(NullValue v) : value_(v) {}
    Variant(bool v) : value_(v) {}
    Variant(int16_t v) : value_(v) {}
    Variant(int32_t v) : value_(v) {}
    Variant(double v) : value_(v) {}
    Variant(Currency v) : value_(v) {}
    Variant(Date v) : value_(v) {}
    Variant(std::string v) : value_(std::move(v)) {}
    Variant(const char* v) : value_(std::string(v)) {}

    static Variant Null() { return Variant(NullValue{}); }

    VarType Type() const { return static_cast<VarType>(value_.index()); }
    // "Empty", "Null", "Boolean", "Integer", "Long", "Double", "Currency", "Date", "String".
    std::string TypeName() const;

    bool IsEmpty() const { return Type() == VarType::Empty; }
    bool IsNull() const { return Type() == VarType::Null; }
    bool IsString() const { return Type() == VarType::String; }
    // Integer, Long, Double or Currency.
    bool IsNumber() const;

    // Typed reads; each fails with Type mismatch when the value holds another type.
    bool AsBoolean() const;
    int16_t AsInteger() const;
    int32_t AsLong() const;
    double AsDouble() const;  // any number, Boolean or Date as a double
    Currency AsCurrency() const;
    Date AsDate() const;
    const std::string& AsString() const;

    // Same type and value; numbers of different types compare by value.
    friend bool operator==(const Variant& a, const Variant& b);

  private:
    std::variant<EmptyValue, NullValue, bool, int16_t, int32_t, double, Currency, Date, std::string>
        value_;
};

struct VariantHash {
    size_t operator()(const Variant& v) const;
};

}  // namespace rt
