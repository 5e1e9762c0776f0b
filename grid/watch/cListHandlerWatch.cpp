#include "grid/cListHandler.h"

#include "grid/watch/frmTimer.h"
#include "platform/runtime/Convert.h"

// The selection watch: a timer on the window thread polls the selection, reports a new one
// through SelectionChange, keeps the header row from staying selected, and toggles the
// cells of a check-mark column.

namespace {

constexpr int32_t kPollMilliseconds = 500;

}  // namespace

std::shared_ptr<frmTimer> cListHandler::NewTimer() {
    auto timer = std::make_shared<frmTimer>();
    timer->Timer = [this] { objTimer_Timer(); };
    return timer;
}

void cListHandler::DropTimer() {
    if (!objTimer)
        return;
    objTimer->TimerEnabled(false);
    objTimer->Timer = nullptr;
    objTimer.reset();
}

// Inside an edit bracket the tick must not run between two of the owner's changes.
void cListHandler::PauseWatch(bool paused) {
    if (paused) {
        if (!objTimer)
            objTimer = NewTimer();
        objTimer->TimerEnabled(false);
    } else {
        rt::Need(objTimer).TimerEnabled(true);
    }
}

void cListHandler::RaiseEventsEnabled(bool v) {
    if (v) {
        DropTimer();
        objTimer = NewTimer();
        objTimer->TimerInterval(kPollMilliseconds);
        objTimer->TimerEnabled(true);
        eventsEnabled_ = true;
        // The grid's own members reach the timer only through these.
        pauseWatch_ = [this](bool paused) { PauseWatch(paused); };
        releaseWatch_ = [this] {
            if (objTimer)
                objTimer->Timer = nullptr;
        };
    } else {
        DropTimer();
        eventsEnabled_ = false;
    }
}

void cListHandler::objTimer_Timer() {
    auto& sheet = rt::Need(ObjectList);
    if (sheet.Range(sheet.ViewableRange()).Rows().Count() <= 1)
        return;
    std::string addr = fncGetSel();
    std::string plain = addr;
    std::erase(plain, '$');
    if (SelectedCell == addr || SelectedCell == plain)
        return;
    if (Checkboxes && !plain.empty() && plain.substr(0, 1) == CheckBoxCol) {
        EditMode(true);
        bool checked = GetChecked(addr);
        SetChecked(addr, !checked);
        EditMode(false);
        SelectCell(addr);
        return;
    }
    SelectedCell = addr;
    if (SelectionChange)
        SelectionChange(addr);
}

std::string cListHandler::fncGetSel() {
    owc::Range selection = rt::Need(ObjectList).Selection();
    std::string addr =
        selection.Cells().Count() == 1 ? selection.Address() : selection.Cells(1, 1).Address();
    Row = rt::RoundToInteger(selection.Row());
    if (Row == 1) {
        for (char& c : addr)
            if (c == '1')
                c = '2';
        SelectCell(addr);
        Row = 2;
    }
    Column = rt::RoundToInteger(selection.Column());
    return addr;
}

void cListHandler::SelectCell(const std::string& Address) {
    EditMode(true);
    rt::Need(ObjectList).Range(Address).Select();
    EditMode(false);
    SelectedCell = fncGetSel();
}

void cListHandler::SetCheckedColumn(const std::string& Address) {
    SetFont(Address, "Wingdings");
    CenterAlign(Address);
    RaiseEventsEnabled(true);
    Checkboxes = true;
    CheckBoxCol = Address.substr(0, 1);
}
