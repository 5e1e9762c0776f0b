#pragma once

// The grid wrapper: creates the spreadsheet control on a host window, gives every grid the
// program's look, brackets the program's own edits, reads the rows back as texts, and can
// watch the user's selection.
//
// The members are defined in three libraries: namedays_grid holds what the main window uses,
// namedays_gridtools the further cell, range and whole-grid members (marked below), and
// namedays_selectionwatch the selection watch. A program that calls a member of the latter
// two links their library.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "grid/HostControls.h"
#include "grid/TextArray.h"
#include "grid/owc/Spreadsheet.h"
#include "platform/runtime/Variant.h"
#include "services/scripting/Dictionary.h"

class QWidget;
class frmTimer;

// The web browser PrintSheet may print through instead of the shell.
class WebBrowser {
  public:
    virtual ~WebBrowser() = default;
    virtual void Navigate2(const std::string& url) = 0;
    // document.execCommand(command) on the loaded page.
    virtual void execCommand(const std::string& command) = 0;
};

class cListHandler {
  public:
    using KeyedMap = scripting::Dictionary<rt::Variant>;

    cListHandler() = default;
    ~cListHandler();
    cListHandler(const cListHandler&) = delete;
    cListHandler& operator=(const cListHandler&) = delete;

    // --- Public fields ---
    std::shared_ptr<grid::HostedControl> List;
    std::shared_ptr<owc::Spreadsheet> ObjectList;
    std::shared_ptr<owc::Worksheet> CurrSheet;
    std::string ListName;
    bool NoXP = false;
    // Placement in twips, in the container's coordinates.
    int16_t Top = 250;
    int16_t LeftPos = 310;
    int16_t Height = 6500;
    std::string SelectedCell;
    int16_t Row = 0;
    int16_t Column = 0;
    bool XP = false;
    bool Checkboxes = false;
    std::string CheckBoxCol;

    // Raised by the selection watch with the new selection's absolute address.
    std::function<void(const std::string& SelectedAddress)> SelectionChange;

    // --- The grid as a whole ---
    // Creates the control through frmForm's Controls inside container (the window whose
    // coordinates Top, LeftPos, Height and Width are given in), sets it up, hides toolbar,
    // headings and scroll bars, freezes the header row. Ends the program after a message
    // when no version of the control can be created.
    void AddToForm(grid::HostControls& frmForm, QWidget* container);
    void Visible(bool v);
    // Written as any number (fails with overflow outside 16 bits), read as remembered.
    void Width(double w);
    int16_t Width() const { return width_; }
    void EditMode(bool v);
    void SetExcelVisible(bool ExcelVisible);
    void ColHeaders(bool Display);
    void RowHeaders(bool Display);
    void DisplayHorizontalScroll(bool DisplayScroll);
    void FreezePanes(const std::string& Address);
    void SetVisibleRange(const std::string& Address);
    // In namedays_gridtools:
    void MoveRight(bool v);
    void DisplayVerticalScroll(bool DisplayScroll);
    void AutoFilter(bool Visible);
    void ClearAll();
    void PrintSheet(const std::shared_ptr<WebBrowser>& objIE = nullptr);

    // --- Cells and ranges ---
    void SetValue(const std::string& Address, const rt::Variant& Value);
    TextArray fncGetRangeArray(const std::string& strCountCellRef, const std::string& strColDef);
    void AutoFitCols(const std::string& Address);
    // The text in which the readers hand a cell value out.
    static std::string fncCellText(const rt::Variant& varValue);
    // In namedays_gridtools:
    rt::Variant GetValue(const std::string& Address, int32_t intDataType = 0);
    void SetFormula(const std::string& Address, const std::string& Formula);
    void SetChecked(const std::string& Address, bool Value);
    bool GetChecked(const std::string& Address);
    int16_t UsedRows(const std::string& CountCellRef);
    std::shared_ptr<KeyedMap> fncGetRangeDic(const std::string& strCountCellRef,
                                             const std::string& strColDef);
    void SetDicList(const std::shared_ptr<KeyedMap>& DicItems);
    void SortRange();
    void SetColumnWidth(const std::string& ColumnName, double NoXPWidth);
    void SetBold(const std::string& Address, bool BoldFont = false);
    void SetFont(const std::string& Address, const std::string& FontName);
    void LockRange(const std::string& Address, bool OpenLock = false);
    void FixHorizontalAlign(owc::Range objRange, int16_t intAlign);
    void CenterAlign(const std::string& Address);
    void SetDateFormat(const std::string& Address);
    void SetTextFormat(const std::string& Address);
    void SetNumberFormat(const std::string& Address);
    void SetInteriorColor(const std::string& Address, int32_t Color = 0,
                          bool blnClearBorders = false);
    rt::Variant GetInteriorColor(const std::string& Address);
    void RightEdgeColDash(owc::Range exrRange);
    void TopEdgeRowDash(owc::Range exrRange);

    // --- Selection watch: namedays_selectionwatch ---
    void RaiseEventsEnabled(bool v);
    std::string fncGetSel();
    void SelectCell(const std::string& Address);
    void SetCheckedColumn(const std::string& Address);
    // The timer of the running watch, none when it is off.
    const std::shared_ptr<frmTimer>& TimerForm() const { return objTimer; }

  private:
    // The count cell's value minus one, as the readers count filled rows.
    static int16_t CountMinusOne(owc::Worksheet& sheet, const std::string& countCell);
    void RequireNewerModel() const;
    owc::Spreadsheet& NewerModel();
    void subSetupSheet();
    void objTimer_Timer();
    void SetScrollBars(bool horizontal, bool vertical, bool display);
    std::shared_ptr<frmTimer> NewTimer();
    void DropTimer();
    void PauseWatch(bool paused);

    bool eventsEnabled_ = false;
    bool visible_ = true;
    int16_t width_ = 7000;
    std::shared_ptr<frmTimer> objTimer;
    // Set by the running watch, so that the edit brackets and the destructor reach its timer
    // without the grid's own members needing the timer window.
    std::function<void(bool paused)> pauseWatch_;
    std::function<void()> releaseWatch_;
};
