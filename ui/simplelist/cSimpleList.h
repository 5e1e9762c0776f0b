#pragma once

#include <memory>
#include <string>
#include <vector>

#include "grid/TextArray.h"
#include "platform/runtime/Variant.h"
#include "services/scripting/Dictionary.h"
#include "ui/data/Recordset.h"
#include "ui/forms/ComboOrList.h"

// An ordered list of distinct values, each both key and item of DicList, with conversions
// to and from CR LF-joined text, arrays, combo or list boxes, and one recordset column.
class cSimpleList {
  public:
    cSimpleList();

    std::string ListName;
    std::shared_ptr<scripting::Dictionary<rt::Variant>> DicList;

    std::string ToString();
    void FromString(const std::string& JoinedList);
    void AddToComboOrList(forms::ComboOrList& cmbCombo);
    // Fails (error 9) on an empty list.
    rt::Variant RandomItem();
    void FromRS(data::Recordset* adrRS);
    void FromArray(const std::vector<rt::Variant>& ArrayToSplit);
    void FromComboOrList(forms::ComboOrList& cmbCombo);
    // Rows 0 to n - 1, one column; fails (error 9) on an empty list.
    TextArray ToArray();
    // Makes field 1 of the recordset hold exactly the list's values.
    void ToRS(data::Recordset& adrRS);

  private:
    void AddUnlessHeld(const rt::Variant& value);
};
