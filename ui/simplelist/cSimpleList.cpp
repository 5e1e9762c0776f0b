#include "ui/simplelist/cSimpleList.h"

#include "platform/desktop/Desktop.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Text.h"
#include "services/modErroHandling.h"
#include "services/modScriptingDic.h"

using rt::kCrLf;
using rt::TrimSpaces;

namespace {

constexpr int32_t kListField = 1;

// A value inside single quotes for recordset criteria, its own quotes doubled.
std::string QuotedCriteriaValue(const std::string& value) {
    std::string quoted = "'";
    for (char c : value)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

cSimpleList::cSimpleList() : DicList(modScriptingDic::fncCreateDic()) {}

void cSimpleList::AddUnlessHeld(const rt::Variant& value) {
    if (!DicList->Exists(value))
        DicList->Add(value, value);
}

std::string cSimpleList::ToString() {
    std::string joined;
    bool first = true;
    for (const auto& [key, item] : *DicList) {
        if (!first)
            joined += kCrLf;
        joined += rt::TextOf(item);
        first = false;
    }
    return TrimSpaces(joined);
}

void cSimpleList::FromString(const std::string& JoinedList) {
    modErroHandling::Step step;
    modErroHandling::Reported("cSimpleList.FromString", step, [&] {
        step(10);
        if (JoinedList.empty())
            return;
        step(20);
        size_t start = 0;
        while (start <= JoinedList.size()) {
            size_t end = JoinedList.find(kCrLf, start);
            if (end == std::string::npos)
                end = JoinedList.size();
            std::string piece = JoinedList.substr(start, end - start);
            step(30);
            if (!piece.empty())
                AddUnlessHeld(rt::Variant(piece));
            start = end + kCrLf.size();
        }
    });
}

void cSimpleList::AddToComboOrList(forms::ComboOrList& cmbCombo) {
    std::string shown = cmbCombo.Text();
    cmbCombo.Clear();
    for (const auto& [key, item] : *DicList)
        if (!TrimSpaces(rt::TextOf(item)).empty())
            cmbCombo.AddItem(item);
    if (!shown.empty())
        cmbCombo.SetText(shown);
}

rt::Variant cSimpleList::RandomItem() {
    int32_t count = DicList->Count();
    double r = desktop::Services().random->Next();
    int16_t index = rt::RoundToInteger(r * double(count - 1));
    if (index < 0 || index >= count)
        throw rt::Failure(rt::kSubscriptOutOfRange);
    return DicList->Items()[size_t(index)];
}

void cSimpleList::FromRS(data::Recordset* adrRS) {
    if (!adrRS)
        return;
    while (!adrRS->Eof()) {
        AddUnlessHeld(adrRS->Fields(kListField)->Value());
        adrRS->MoveNext();
    }
}

void cSimpleList::FromArray(const std::vector<rt::Variant>& ArrayToSplit) {
    DicList = modScriptingDic::fncCreateDic();
    for (const auto& value : ArrayToSplit)
        AddUnlessHeld(value);
}

void cSimpleList::FromComboOrList(forms::ComboOrList& cmbCombo) {
    DicList = modScriptingDic::fncCreateDic();
    int32_t count = cmbCombo.ListCount();
    for (int32_t i = 1; i <= count; ++i)
        AddUnlessHeld(rt::Variant(cmbCombo.List(i - 1)));
}

TextArray cSimpleList::ToArray() {
    int32_t count = DicList->Count();
    if (count == 0)
        throw rt::Failure(rt::kSubscriptOutOfRange);
    TextArray array(count, 1);
    int32_t row = 0;
    for (const auto& [key, item] : *DicList)
        array(row++, 0) = rt::TextOf(item);
    return array;
}

void cSimpleList::ToRS(data::Recordset& adrRS) {
    auto held = std::make_unique<cSimpleList>();
    held->FromRS(&adrRS);
    for (const auto& [key, item] : *DicList) {
        if (held->DicList->Exists(item))
            continue;
        adrRS.AddNew();
        adrRS.Fields(kListField)->SetValue(rt::Variant(rt::TextOf(item)));
        adrRS.Update();
    }
    if (adrRS.RecordCount() <= DicList->Count())
        return;
    std::string fieldName = adrRS.Fields(kListField)->Name();
    for (const auto& [key, item] : *held->DicList) {
        if (DicList->Exists(item))
            continue;
        adrRS.MoveFirst();
        adrRS.Find(fieldName + " = " + QuotedCriteriaValue(rt::TextOf(item)), 0,
                   data::adSearchForward);
        if (!adrRS.Eof())
            adrRS.Delete(data::adAffectCurrent);
    }
}
