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

#include <algorithm>
#include <utility>

#include "grid/FormControls.h"
#include "platform/desktop/Twips.h"
#include "platform/runtime/Publisher.h"
#include "services/modErroHandling.h"
#include "ui/GridTabs.h"
#include "ui/LinkLabel.h"

// The designed window: its controls placed in twips, the list keys, and the connections to
// the handlers. Start-up, the handlers and the create run have files of their own.

using modErroHandling::Reported;
using modErroHandling::Step;

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
