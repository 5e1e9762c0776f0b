#include "ui/frmCreateNames.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabBar>
#include <QTableView>

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

#include "grid/FormControls.h"
#include "grid/cListHandler.h"
#include "lists/cApp.h"
#include "lists/cAppFiles.h"
#include "lists/cApps.h"
#include "outlook/modGlobals.h"
#include "outlook/modOutlookCode.h"
#include "platform/automation/Registry.h"
#include "platform/desktop/QtText.h"
#include "platform/desktop/Twips.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Failure.h"
#include "platform/runtime/Publisher.h"
#include "services/modAssistant.h"
#include "services/modErroHandling.h"
#include "services/scripting/Shell.h"
#include "ui/GridTabs.h"
#include "ui/LinkLabel.h"

using modErroHandling::Reported;
using modErroHandling::Step;
using modOutlookCode::objCalendar;
using modOutlookCode::objOutlook;

using desktop::TwipsToPixels;

namespace {

constexpr double kWindowPoints = 9.75;
constexpr double kLinkPoints = 8.25;
constexpr const char* kFontName = "Tahoma";

// Where Tahoma is missing, a condensed face keeps the designed captions inside their boxes.
QFont DesignFont(double points, bool underline = false) {
    QFont font;
    font.setFamilies({kFontName, "DejaVu Sans Condensed", "Liberation Sans Narrow"});
    font.setPointSizeF(points);
    font.setUnderline(underline);
    return font;
}

// The option in force names the calendar the appointments go to; the other names none.
void NameTarget(QRadioButton& chosen, QRadioButton& other, outlook::Folder& folder) {
    std::string title = folder.Title();
    chosen.setToolTip(title.empty() ? QString() : desktop::Q("Appointments go to " + title));
    other.setToolTip(QString());
}

template <class Control>
Control* Named(QWidget* parent, const char* name) {
    auto* control = new Control(parent);
    control->setObjectName(name);
    return control;
}

QFrame* Box(QWidget* parent, const char* name, QColor colour) {
    auto* box = Named<QFrame>(parent, name);
    box->setFrameShape(QFrame::NoFrame);
    box->setAutoFillBackground(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, colour);
    box->setPalette(palette);
    return box;
}

LinkLabel* Link(QWidget* parent, const char* name, const char* caption, const char* url) {
    auto* link = new LinkLabel(parent, name, caption, url);
    link->setFont(DesignFont(kLinkPoints, true));
    return link;
}

QLabel* Text(QWidget* parent, const char* name, const char* text) {
    auto* label = Named<QLabel>(parent, name);
    label->setText(QString::fromUtf8(text));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// Label3's box reaches into Label1's column and up under the Save button: its text keeps a
// gutter before that column and a little room below the button. Its box is higher than the
// others', so it still holds the whole text.
void KeepClear(QLabel* label, const QWidget* next, const QWidget* above) {
    constexpr int kGutterPixels = 5;
    constexpr int kRoomPixels = 2;
    int reach = label->geometry().right() + 1 + kGutterPixels - next->x();
    int under = above->geometry().bottom() + 1 + kRoomPixels - label->y();
    label->setContentsMargins(0, std::max(0, under), std::max(0, reach), 0);
}

}  // namespace

void PlaceInTwips(QWidget* control, int left, int top, int width, int height) {
    control->setProperty("twipsLeft", left);
    control->setProperty("twipsTop", top);
    control->setProperty("twipsWidth", width);
    control->setProperty("twipsHeight", height);
    control->setGeometry(TwipsToPixels(left), TwipsToPixels(top), std::max(1, TwipsToPixels(width)),
                         std::max(1, TwipsToPixels(height)));
}

int frmCreateNames::TwipsWidth(const QWidget* control) {
    return control->property("twipsWidth").toInt();
}
int frmCreateNames::TwipsHeight(const QWidget* control) {
    return control->property("twipsHeight").toInt();
}
int frmCreateNames::TwipsLeft(const QWidget* control) {
    return control->property("twipsLeft").toInt();
}
int frmCreateNames::TwipsTop(const QWidget* control) {
    return control->property("twipsTop").toInt();
}

// ---- the designed window ----

frmCreateNames::frmCreateNames(QWidget* parent)
    : QWidget(parent), Controls(std::make_unique<grid::FormControls>()) {
    setObjectName("frmCreateNames");
    setWindowTitle("Create Name Days");
    setFont(DesignFont(kWindowPoints));
    setFixedSize(TwipsToPixels(10920), TwipsToPixels(8280));
    BuildControls();
    BuildLinks();
    BuildCalendarChoice();
    BuildProgressAndButtons();
    BuildListKeys();
    Connect();
}

frmCreateNames::~frmCreateNames() = default;

void frmCreateNames::BuildControls() {
    tbsApps = Named<GridTabs>(this, "tbsApps");
    tbsApps->addTab("Tab1");
    tbsApps->addTab("Tab2");
    tbsApps->setExpanding(false);
    tbsApps->setUsesScrollButtons(true);
    PlaceInTwips(tbsApps, 120, 0, 10695, 735);

    fraList = Named<QFrame>(this, "fraList");
    fraList->setFrameShape(QFrame::StyledPanel);
    PlaceInTwips(fraList, 120, 720, 10695, 4455);

    cmdSaveChanges = Named<QPushButton>(this, "cmdSaveChanges");
    cmdSaveChanges->setText("&Save");
    PlaceInTwips(cmdSaveChanges, 120, 5280, 1455, 375);

    Label3 =
        Text(this, "Label3", "More information about other MS Outlook add-ons is available at:");
    PlaceInTwips(Label3, 120, 5640, 1695, 1095);
    Label1 = Text(this, "Label1", "More information about names, and Name days is available at:");
    PlaceInTwips(Label1, 1800, 5640, 1695, 975);
    Label4 = Text(this, "Label4",
                  "Finnish name days come from the Helsinki University Almanac Office. All "
                  "Finnish and Finland-Swedish names at:");
    PlaceInTwips(Label4, 3840, 5640, 2775, 975);
    lblUSInfo = Text(this, "lblUSInfo", "US and Canadian name days, and how to celebrate them:");
    PlaceInTwips(lblUSInfo, 6840, 5640, 1695, 975);
    lblGreek = Text(this, "lblGreek", "The Greek name list is kindly supplied by:");
    PlaceInTwips(lblGreek, 8880, 5640, 1695, 975);
    KeepClear(Label3, Label1, cmdSaveChanges);
}

void frmCreateNames::BuildLinks() {
    lblWebLink = Link(this, "lblWebLink", publisher::kWebSiteCaption, publisher::kWebSite);
    PlaceInTwips(lblWebLink, 120, 6600, 1575, 255);
    Label2 = Link(this, "Label2", publisher::kNameLookupCaption, publisher::kNameLookupSite);
    PlaceInTwips(Label2, 1800, 6600, 1935, 255);
    lblFinishVelmora = Link(this, "lblFinishVelmora", publisher::kFinnishAlmanacCaption,
                            publisher::kFinnishAlmanacPage);
    PlaceInTwips(lblFinishVelmora, 3840, 6600, 2775, 255);
    lblMyNameday = Link(this, "lblMyNameday", publisher::kNorthAmericanCaption,
                        publisher::kNorthAmericanNameDays);
    PlaceInTwips(lblMyNameday, 6840, 6600, 1935, 255);
    lblGreekLinks =
        Link(this, "lblGreekLinks", publisher::kGreekCaption, publisher::kGreekNameDays);
    PlaceInTwips(lblGreekLinks, 8880, 6600, 1575, 255);
}

void frmCreateNames::BuildCalendarChoice() {
    optMyCalendar = Named<QRadioButton>(this, "optMyCalendar");
    optMyCalendar->setText("My calendar");
    optMyCalendar->setChecked(true);
    PlaceInTwips(optMyCalendar, 120, 6960, 2295, 255);
    optChooseCalendar = Named<QRadioButton>(this, "optChooseCalendar");
    optChooseCalendar->setText("Choose calendar ...");
    PlaceInTwips(optChooseCalendar, 2400, 6960, 2295, 255);

    lblYear = Text(this, "lblYear", "Year");
    lblYear->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    PlaceInTwips(lblYear, 5040, 6960, 855, 255);
    cmbYear = Named<QComboBox>(this, "cmbYear");
    cmbYear->setEditable(true);
    cmbYear->setInsertPolicy(QComboBox::NoInsert);
    cmbYear->setEditText("Combo1");
    PlaceInTwips(cmbYear, 6000, 6960, 1935, 360);
}

void frmCreateNames::BuildProgressAndButtons() {
    picBackground = Box(this, "picBackground", QColor(128, 128, 255));
    PlaceInTwips(picBackground, 120, 7440, 8925, 255);
    picForeGround = Box(this, "picForeGround", QColor(0, 255, 0));
    PlaceInTwips(picForeGround, 120, 7440, 15, 240);
    picForeGround->raise();

    // Enter anywhere outside the grid is OK; on a focused button it presses that button.
    CancelButton = Named<QPushButton>(this, "CancelButton");
    CancelButton->setText("&Cancel");
    CancelButton->setAutoDefault(true);
    PlaceInTwips(CancelButton, 6480, 7800, 1215, 375);
    OKButton = Named<QPushButton>(this, "OKButton");
    OKButton->setText("&OK");
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    PlaceInTwips(OKButton, 7800, 7800, 1215, 375);
    cmdSaveChanges->setAutoDefault(true);
}

// Ctrl+PgDn and Ctrl+Tab go to the next list, Ctrl+PgUp and Ctrl+Shift+Tab to the one
// before, from anywhere in the window, the grid included; both ends wrap around.
void frmCreateNames::BuildListKeys() {
    const std::pair<QKeySequence, int> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
    };
    for (const auto& [sequence, step] : keys) {
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, by = step] { StepList(by); });
    }
}

void frmCreateNames::StepList(int by) {
    int count = tbsApps->count();
    if (count < 2 || !tbsApps->isEnabled())
        return;
    tbsApps->setCurrentIndex((tbsApps->currentIndex() + by + count) % count);
}

void frmCreateNames::Connect() {
    for (LinkLabel* link : {lblWebLink, Label2, lblFinishVelmora, lblMyNameday, lblGreekLinks})
        connect(link, &LinkLabel::clicked, this,
                [this](const std::string& url) { subGotoWeb(url); });
    connect(tbsApps, &QTabBar::currentChanged, this, [this](int) { subFillList(); });
    connect(optMyCalendar, &QRadioButton::toggled, this, [this](bool on) {
        // Start-up calls optMyCalendar_Click directly, inside Form_Load's report; a click that
        // cannot reach the default calendar is reported too, never left to the event loop.
        Step step;
        if (on)
            Reported("optMyCalendar_Click", step, [&] { optMyCalendar_Click(); });
    });
    connect(optChooseCalendar, &QRadioButton::clicked, this, [this] { optChooseCalendar_Click(); });
    connect(cmdSaveChanges, &QPushButton::clicked, this, [this] { cmdSaveChanges_Click(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
}

std::string frmCreateNames::Caption() {
    return windowTitle().toStdString();
}

void frmCreateNames::SetFocus() {
    activateWindow();
    setFocus();
}

void frmCreateNames::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload();
}

void frmCreateNames::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (OKButton->isEnabled())
                OKButton->click();
            return;
        case Qt::Key_Escape:
            CancelButton->click();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

// ---- start-up ----

void frmCreateNames::Form_Load() {
    Step step;
    Reported("Form_Load", step, [&] {
        step(10);
        objAppFiles = std::make_shared<cAppFiles>();
        step(20);
        objAppFiles->CheckFiles();
        step(30);
        subSetCaptions();
        step(40);
        int32_t inbox = outlook::olFolderInbox;
        modOutlookCode::subStartOutlook(inbox);
        step(50);
        optMyCalendar_Click();
        step(60);
        subAddList();
        step(70);
        subFillList();
    });
}

void frmCreateNames::subSetCaptions() {
    Step step;
    Reported("subSetCaptions", step, [&] {
        step(10);
        while (tbsApps->count() > 0)
            tbsApps->removeTab(0);
        step(20);
        for (const auto& name : rt::Need(rt::Need(objAppFiles).Dic).Keys())
            tbsApps->addTab(QString::fromStdString(rt::TextOf(name)));
        step(30);
        using namespace std::chrono;
        auto today = year_month_day{floor<days>(desktop::Services().clock->Now())};
        int intYear = static_cast<int>(today.year());
        cmbYear->clear();
        for (int y = intYear; y <= intYear + 5; ++y)
            cmbYear->addItem(QString::number(y));
        step(40);
        cmbYear->setEditText(QString::number(intYear));
    });
}

void frmCreateNames::subAddList() {
    Step step;
    Reported("subAddList", step, [&] {
        step(10);
        objList = std::make_shared<cListHandler>();
        step(20);
        objList->LeftPos = rt::RoundToInteger(TwipsLeft(fraList));
        objList->Top = rt::RoundToInteger(TwipsTop(fraList));
        objList->Height = rt::RoundToInteger(TwipsHeight(fraList));
        objList->Width(TwipsWidth(fraList));
        step(30);
        objList->ListName = "objApps";
        step(40);
        objList->AddToForm(*Controls, this);
        step(50);
        objList->AutoFitCols("A:D");
        step(60);
        objList->SetExcelVisible(true);
        step(70);
        objList->DisplayHorizontalScroll(false);
        step(80);
        subSetHeaders();
        step(90);
        objList->Visible(true);
        TakeGridIntoTabOrder();
    });
}

// The grid's cells come between the tabs and Save, as they stand on the window.
void frmCreateNames::TakeGridIntoTabOrder() {
    auto* cells = findChild<QTableView*>("cells");
    if (!cells)
        return;
    setTabOrder(tbsApps, cells);
    setTabOrder(cells, cmdSaveChanges);
}

void frmCreateNames::subSetHeaders() {
    Step step;
    Reported("subSetHeaders", step, [&] {
        step(10);
        auto& grid = rt::Need(objList);
        grid.EditMode(true);
        step(20);
        grid.SetValue("A1", rt::Variant("Month"));
        grid.SetValue("B1", rt::Variant("Day"));
        step(30);
        if (blnBirthYears) {
            grid.SetValue("C1", rt::Variant("Name"));
            grid.SetValue("D1", rt::Variant("Birth year"));
            grid.SetVisibleRange("A1:d1000");
        } else {
            grid.SetValue("C1", rt::Variant("Names"));
            grid.SetVisibleRange("A1:C1000");
        }
        step(40);
        grid.EditMode(false);
    });
}

std::string frmCreateNames::SelectedCaption() const {
    if (tbsApps->currentIndex() < 0)
        throw rt::Failure(rt::kObjectNotSet);
    return tbsApps->tabText(tbsApps->currentIndex()).toStdString();
}

void frmCreateNames::subFillList() {
    Step step;
    Reported("subFillList", step, [&] {
        step(10);
        desktop::Services().windows->SetBusyCursor(true);
        step(20);
        if (objList) {
            step(30);
            objList->EditMode(true);
            objList->SetValue("A2:D1000", rt::Variant(""));
            step(50);
            auto& lists = rt::Need(rt::Need(objAppFiles).Dic);
            if (lists.Exists(rt::Variant(SelectedCaption()))) {
                step(60);
                auto all = lists.Items();
                auto index = static_cast<size_t>(tbsApps->currentIndex());
                if (index >= all.size())
                    throw rt::Failure(rt::kSubscriptOutOfRange);
                FillRows(rt::Need(all[index]));
                step(70);
                objList->SetVisibleRange(blnBirthYears ? "A1:D1000" : "A1:C1000");
                step(80);
                subSetHeaders();
                // Fitted once the headings are written and the shown columns known: each
                // heading fits too, and a long names column leaves room for the others.
                objList->AutoFitCols("A:D");
            }
            step(90);
            objList->EditMode(false);
        }
        step(100);
        desktop::Services().windows->SetBusyCursor(false);
    });
}

void frmCreateNames::FillRows(const cApps& list) {
    blnBirthYears = false;
    int16_t intRow = 1;
    for (const auto& entry : rt::Need(list.Dic).Items()) {
        const cApp& app = rt::Need(entry);
        intRow = rt::RoundToInteger(intRow + 1.0);
        std::string row = rt::NumberText(intRow);
        objList->SetValue("A" + row, rt::Variant(app.AppMonth));
        objList->SetValue("B" + row, rt::Variant(app.AppDay));
        objList->SetValue("C" + row, rt::Variant(app.Subject));
        if (app.BirthYear != 0) {
            objList->SetValue("D" + row, rt::Variant(app.BirthYear));
            blnBirthYears = true;
        }
    }
}

// ---- handlers ----

void frmCreateNames::optMyCalendar_Click() {
    objCalendar = rt::Need(rt::Need(objOutlook).GetNamespace("MAPI"))
                      .GetDefaultFolder(outlook::olFolderCalendar);
    if (objCalendar)
        NameTarget(*optMyCalendar, *optChooseCalendar, *objCalendar);
}

void frmCreateNames::optChooseCalendar_Click() {
    Step step;
    Reported("optChooseCalendar_Click", step, [&] {
        if (!optChooseCalendar->isChecked())
            return;
        step(10);
        objCalendar = modOutlookCode::fncPickFolder(this);
        step(20);
        if (!objCalendar) {
            optMyCalendar->setChecked(true);
            return;
        }
        step(30);
        if (objCalendar->DefaultItemType() != outlook::olAppointmentItem)
            optMyCalendar->setChecked(true);
        else
            NameTarget(*optChooseCalendar, *optMyCalendar, *objCalendar);
    });
}

void frmCreateNames::cmdSaveChanges_Click() {
    fncGetCurrentList(true);
}

void frmCreateNames::CancelButton_Click() {
    modGlobals::subEndProgram();
}

void frmCreateNames::Form_Unload() {
    modGlobals::subEndProgram();
}

void frmCreateNames::subGotoWeb(const std::string& strURL) {
    Step step;
    Reported("subGotoWeb", step, [&] {
        step(10, "Opening " + strURL);
        auto objShell = automation::As<scripting::WshShell>(
            automation::Objects().CreateObject("Wscript.Shell"));
        step(20);
        objShell->Run(strURL);
        step(30);
        objShell.reset();
    });
}

// ---- the create run ----

std::shared_ptr<cApps> frmCreateNames::fncGetCurrentList(bool blnSave) {
    Step step;
    return Reported("fncGetCurrentList", step, [&] {
        step(10, "Calculating current list!");
        auto rows = rt::Need(objList).fncGetRangeArray("f1", "D");
        step(20);
        std::string strList;
        for (int16_t r = 0; r <= rows.UBound(1); r = rt::RoundToInteger(r + 1.0))
            strList +=
                rows(r, 0) + "." + rows(r, 1) + "\t" + rows(r, 2) + "\t" + rows(r, 3) + "\r\n";
        step(30);
        auto lists = rt::Need(rt::Need(objAppFiles).Dic).Items();
        auto index = tbsApps->currentIndex();
        if (index < 0 || static_cast<size_t>(index) >= lists.size())
            throw rt::Failure(rt::kSubscriptOutOfRange);
        std::shared_ptr<cApps> list = lists[static_cast<size_t>(index)];
        step(40);
        rt::Need(list).FromString(strList);
        if (blnSave) {
            step(50, "Calculating current list!");
            list->SaveToFile(SelectedCaption() + ".txt");
        }
        return list;
    });
}

void frmCreateNames::SetFillWidth(int16_t twips) {
    PlaceInTwips(picForeGround, TwipsLeft(picForeGround), TwipsTop(picForeGround), twips,
                 TwipsHeight(picForeGround));
}

// A run writes into the calendar chosen when it started: everything but Cancel waits.
void frmCreateNames::SetRunning(bool running) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             OKButton, cmdSaveChanges, tbsApps, optMyCalendar, optChooseCalendar, cmbYear})
        control->setEnabled(!running);
}

void frmCreateNames::OKButton_Click() {
    Step step;
    Reported("OKButton_Click", step, [&] {
        SetRunning(true);
        step(10);
        std::shared_ptr<cApps> list = fncGetCurrentList(false);
        step(20);
        int16_t intYear = rt::ToInteger(cmbYear->currentText().toStdString());
        step(30);
        int16_t intCounter = 0;
        for (const auto& entry : rt::Need(rt::Need(list).Dic).Items()) {
            step(40);
            intCounter = rt::RoundToInteger(intCounter + 1.0);
            step(50);
            rt::Need(entry).ToOutlook(intYear);
            step(60);
            desktop::Services().windows->ProcessEvents();
            step(70);
            double track = TwipsWidth(picBackground);
            SetFillWidth(rt::RoundToInteger(track / list->Dic->Count() * intCounter + 1));
        }
        step(80);
        std::string strMessage = "Name Days sucessfully created!";
        modAssistant::subShowMessage(objOutlook, strMessage);
        step(90);
        modGlobals::subEndProgram();
    });
}
