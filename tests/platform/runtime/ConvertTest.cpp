#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "platform/runtime/Convert.h"
#include "platform/runtime/Failure.h"

namespace {

struct TextCase {
    const char* text;
    std::optional<int16_t> value;  // nullopt: the conversion fails
    int32_t error;                 // the failure's number when it fails
};

// Names each case by its text, so the test names stay the same from run to run.
void PrintTo(const TextCase& c, std::ostream* os) {
    *os << '"';
    for (const char* p = c.text; *p; ++p)
        *os << (*p == '\t' ? std::string("\\t") : std::string(1, *p));
    *os << '"';
}

class ToIntegerText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ToIntegerText, ConvertsOrFails) {
    const TextCase& c = GetParam();
    if (c.value) {
        EXPECT_EQ(rt::ToInteger(c.text), *c.value);
        EXPECT_TRUE(rt::IsNumeric(c.text));
        return;
    }
    try {
        rt::ToInteger(c.text);
        FAIL() << "no failure for \"" << c.text << "\"";
    } catch (const rt::Failure& f) {
        EXPECT_EQ(f.Number(), c.error) << c.text;
    }
    EXPECT_EQ(rt::IsNumeric(c.text), c.error == rt::kOverflow) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ToIntegerText,
    ::testing::Values(TextCase{"12", 12, 0}, TextCase{" 7 ", 7, 0}, TextCase{"\t8", 8, 0},
                      TextCase{"+5", 5, 0}, TextCase{"-5", -5, 0}, TextCase{"007", 7, 0},
                      TextCase{"2.5", 2, 0}, TextCase{"3.5", 4, 0}, TextCase{"-2.5", -2, 0},
                      TextCase{"2.5000001", 3, 0}, TextCase{"2.4999", 2, 0}, TextCase{"0.5", 0, 0},
                      TextCase{".5", 0, 0}, TextCase{"5.", 5, 0}, TextCase{"-32768", -32768, 0},
                      TextCase{"32767", 32767, 0}, TextCase{"32767.5", std::nullopt, rt::kOverflow},
                      TextCase{"-32768.5", -32768, 0},
                      TextCase{"32768", std::nullopt, rt::kOverflow},
                      TextCase{"-32769", std::nullopt, rt::kOverflow},
                      TextCase{"99999999999999999999", std::nullopt, rt::kOverflow},
                      TextCase{"", std::nullopt, rt::kTypeMismatch},
                      TextCase{"   ", std::nullopt, rt::kTypeMismatch},
                      TextCase{"abc", std::nullopt, rt::kTypeMismatch},
                      TextCase{"12a", std::nullopt, rt::kTypeMismatch},
                      TextCase{"1e3", std::nullopt, rt::kTypeMismatch},
                      TextCase{"1,000", std::nullopt, rt::kTypeMismatch},
                      TextCase{"+", std::nullopt, rt::kTypeMismatch},
                      TextCase{".", std::nullopt, rt::kTypeMismatch},
                      TextCase{"1 2", std::nullopt, rt::kTypeMismatch},
                      TextCase{"--1", std::nullopt, rt::kTypeMismatch}));

struct ValueCase {
    rt::Variant value;
    std::optional<int16_t> result;
    int32_t error;
};

TEST(ToIntegerValue, ConvertsEachType) {
    const ValueCase cases[] = {
        {rt::Variant(), 0, 0},
        {rt::Variant(true), -1, 0},
        {rt::Variant(int16_t(-7)), -7, 0},
        {rt::Variant(int32_t(40000)), std::nullopt, rt::kOverflow},
        {rt::Variant(2.5), 2, 0},
        {rt::Variant(3.5), 4, 0},
        {rt::Variant(rt::Currency{25000}), 2, 0},
        {rt::Variant(rt::Currency{35000}), 4, 0},
        {rt::Variant(" 12 "), 12, 0},
        {rt::Variant::Null(), std::nullopt, rt::kInvalidUseOfNull},
        {rt::Variant("x"), std::nullopt, rt::kTypeMismatch},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.TypeName());
        if (c.result) {
            EXPECT_EQ(rt::ToInteger(c.value), *c.result);
        } else {
            try {
                rt::ToInteger(c.value);
                ADD_FAILURE() << "no failure";
            } catch (const rt::Failure& f) {
                EXPECT_EQ(f.Number(), c.error);
            }
        }
    }
}

TEST(VariantText, TypeNamesAndTextForms) {
    EXPECT_EQ(rt::Variant().TypeName(), "Empty");
    EXPECT_EQ(rt::Variant::Null().TypeName(), "Null");
    EXPECT_EQ(rt::Variant(int16_t(1)).TypeName(), "Integer");
    EXPECT_EQ(rt::Variant(int32_t(1)).TypeName(), "Long");
    EXPECT_EQ(rt::Variant(1.0).TypeName(), "Double");
    EXPECT_EQ(rt::Variant(rt::Currency{}).TypeName(), "Currency");
    EXPECT_EQ(rt::Variant(rt::Date{}).TypeName(), "Date");
    EXPECT_EQ(rt::Variant("a").TypeName(), "String");
    EXPECT_EQ(rt::Variant(false).TypeName(), "Boolean");

    EXPECT_EQ(rt::TextOf(rt::Variant(int16_t(-3))), "-3");
    EXPECT_EQ(rt::TextOf(rt::Variant(2.5)), "2.5");
    EXPECT_EQ(rt::TextOf(rt::Variant(rt::Currency{-5000})), "-0.5");
    EXPECT_EQ(rt::TextOf(rt::Variant(rt::Currency{12340000})), "1234");
    EXPECT_EQ(rt::TextOf(rt::Variant()), "");
    EXPECT_THROW(rt::TextOf(rt::Variant::Null()), rt::Failure);
}

TEST(VariantEquality, NumbersCompareByValueAcrossTypes) {
    EXPECT_EQ(rt::Variant(int16_t(5)), rt::Variant(int32_t(5)));
    EXPECT_EQ(rt::VariantHash{}(rt::Variant(int16_t(5))), rt::VariantHash{}(rt::Variant(5.0)));
    EXPECT_FALSE(rt::Variant("5") == rt::Variant(int16_t(5)));
    EXPECT_FALSE(rt::Variant("a") == rt::Variant("A"));
}

struct DateCase {
    int year, month, day;
    const char* expected;
};

TEST(DateSerial, CarriesMonthsAndDaysOver) {
    const DateCase cases[] = {
        {2006, 12, 24, "2006-12-24"}, {2006, 2, 29, "2006-03-01"},  {2006, 13, 1, "2007-01-01"},
        {2006, 0, 1, "2005-12-01"},   {2006, 3, 0, "2006-02-28"},   {2006, 1, 32, "2006-02-01"},
        {2004, 2, 30, "2004-03-01"},  {2006, -11, 1, "2005-01-01"}, {2006, 25, 1, "2008-01-01"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rt::DateText(rt::DateSerial(c.year, c.month, c.day)), c.expected)
            << c.year << "/" << c.month << "/" << c.day;
    }
}

TEST(DateSerial, RefusesYearsOutsideTheCalendar) {
    EXPECT_THROW(rt::DateSerial(99, 12, 31), rt::Failure);
    EXPECT_THROW(rt::DateSerial(9999, 13, 1), rt::Failure);
    EXPECT_NO_THROW(rt::DateSerial(100, 1, 1));
    EXPECT_NO_THROW(rt::DateSerial(9999, 12, 31));
}

}  // namespace
