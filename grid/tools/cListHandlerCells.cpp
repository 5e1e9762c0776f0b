#include "grid/cListHandler.h"

#include <cmath>

#include "grid/owc/CellText.h"
#include "platform/runtime/Convert.h"
#include "services/modErroHandling.h"
#include "services/modScriptingDic.h"

// Reading and writing cells beyond what the main window needs: typed values, formulas,
// check marks, the readers into keyed maps, and the sort.

using modErroHandling::Reported;
using modErroHandling::Step;

namespace {

// The check marks in the font "Wingdings": bytes 254 and 168 of the Western code page.
const std::string kTicked = "\xC3\xBE";
const std::string kUnticked = "\xC2\xA8";

rt::Currency AsCurrency(const rt::Variant& value) {
    double number =
        value.IsString() ? owc::ParseInput(value.AsString()).AsDouble() : value.AsDouble();
    double scaled = std::nearbyint(number * 10000);
    if (!(std::fabs(scaled) < 9.2e18))
        throw rt::Failure(rt::kOverflow);
    return rt::Currency{static_cast<int64_t>(scaled)};
}

}  // namespace

rt::Variant cListHandler::GetValue(const std::string& Address, int32_t intDataType) {
    rt::Variant value = rt::Need(ObjectList).Range(Address).Value();
    bool numeric = intDataType == 2 || intDataType == 6 || intDataType == 14;
    if (value.IsEmpty()) {
        if (numeric)
            return int16_t(0);
        if (intDataType == 8)
            return std::string();
        return rt::Variant();
    }
    if (numeric)
        return rt::IsNumeric(value) ? rt::Variant(AsCurrency(value)) : int16_t(0);
    if (intDataType == 8)
        return owc::CellText(value);
    return rt::Variant();
}

void cListHandler::SetFormula(const std::string& Address, const std::string& Formula) {
    Step step;
    Reported("cListHandler.SetFormula", step, [&] {
        step(10, "Setting formula of cells: " + Address + " to a formula: " + Formula);
        step(20);
        owc::Range range = rt::Need(ObjectList).Range(Address);
        if (!Formula.empty())
            range.SetFormula(Formula);
        else
            range.ClearContents();
    });
}

void cListHandler::SetChecked(const std::string& Address, bool Value) {
    Step step;
    Reported("cListHandler.SetChecked", step, [&] {
        step(10, "Setting checkbox value of cells: " + Address + " to the value " +
                     (Value ? "True" : "False"));
        step(20);
        rt::Need(ObjectList).Range(Address).SetValue(Value ? kTicked : kUnticked);
    });
}

bool cListHandler::GetChecked(const std::string& Address) {
    Step step;
    return Reported("cListHandler.GetChecked", step, [&] {
        step(10, "Reading the value of cell " + Address);
        step(20);
        rt::Variant value = rt::Need(ObjectList).Range(Address).Value();
        if (value.IsEmpty())
            return true;
        return value.IsString() && (value.AsString() == kTicked || value.AsString().empty());
    });
}

int16_t cListHandler::UsedRows(const std::string& CountCellRef) {
    modErroHandling::strAction = "Trying to find number of used rows";
    return CountMinusOne(rt::Need(CurrSheet), CountCellRef);
}

std::shared_ptr<cListHandler::KeyedMap> cListHandler::fncGetRangeDic(
    const std::string& strCountCellRef, const std::string& strColDef) {
    Step step;
    return Reported("fncGetRangeDic", step, [&] {
        step(10, "Entering fncGetRangeDic");
        step(20);
        int16_t n = UsedRows(strCountCellRef);
        step(30);
        auto values = modScriptingDic::fncCreateDic();
        step(40);
        if (n >= 1) {
            CurrSheet->Range("a2:" + strColDef + "1000").Sort();
            owc::Range range = CurrSheet->Range("a2:" + strColDef + rt::NumberText(n + 1));
            for (int32_t i = 0; i < range.Rows().Count(); ++i) {
                std::string text = fncCellText(range.Cells(i + 1, 1).Value());
                if (!values->Exists(text))
                    values->Add(text, text);
            }
        }
        return values;
    });
}

void cListHandler::SetDicList(const std::shared_ptr<KeyedMap>& DicItems) {
    Step step;
    Reported("SetDicList", step, [&] {
        step(10);
        EditMode(true);
        step(20);
        SetValue("A2:A200", "");
        step(30);
        int16_t k = 2;
        for (const rt::Variant& item : rt::Need(DicItems).Items()) {
            SetValue("A" + rt::NumberText(k), item);
            k = rt::RoundToInteger(k + 1);
        }
        step(40);
        EditMode(false);
    });
}

void cListHandler::SortRange() {
    Step step;
    Reported("subSortRange", step, [&] {
        step(10);
        rt::Need(ObjectList).Range("A2:d1000").Sort();
    });
}
