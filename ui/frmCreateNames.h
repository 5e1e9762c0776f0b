#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/desktop/Desktop.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabBar;
class cAppFiles;
class cApps;
class cListHandler;
namespace grid {
class HostControls;
}

class LinkLabel;

// The program's one window: a tab per name-day list, the list in a grid, the target
// calendar and year, and the buttons that save the list or write it into the calendar.
// Positions are designed in twips; 15 twips make one pixel.
class frmCreateNames : public QWidget, public desktop::Window {
  public:
    explicit frmCreateNames(QWidget* parent = nullptr);
    ~frmCreateNames() override;

    // desktop::Window
    std::string Caption() override;
    void SetFocus() override;

    // The controls, under the names the rest of the program and the tests know them by.
    QTabBar* tbsApps = nullptr;
    QFrame* fraList = nullptr;
    QPushButton* cmdSaveChanges = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblUSInfo = nullptr;
    QLabel* lblGreek = nullptr;
    LinkLabel* lblWebLink = nullptr;
    LinkLabel* Label2 = nullptr;
    LinkLabel* lblFinishVelmora = nullptr;
    LinkLabel* lblMyNameday = nullptr;
    LinkLabel* lblGreekLinks = nullptr;
    QRadioButton* optMyCalendar = nullptr;
    QRadioButton* optChooseCalendar = nullptr;
    QLabel* lblYear = nullptr;
    QComboBox* cmbYear = nullptr;
    QFrame* picBackground = nullptr;
    QFrame* picForeGround = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* OKButton = nullptr;

    // The window's Controls collection, where the grid is created at run time.
    std::unique_ptr<grid::HostControls> Controls;
    std::shared_ptr<cListHandler> objList;
    std::shared_ptr<cAppFiles> objAppFiles;
    bool blnBirthYears = false;

    void Form_Load();
    void subSetCaptions();
    void subAddList();
    void subSetHeaders();
    void subFillList();
    void subGotoWeb(const std::string& strURL);
    void optMyCalendar_Click();
    void optChooseCalendar_Click();
    void cmdSaveChanges_Click();
    void OKButton_Click();
    void CancelButton_Click();
    void Form_Unload();
    // The selected tab's list, rebuilt from the grid; written to its file when blnSave.
    std::shared_ptr<cApps> fncGetCurrentList(bool blnSave);

    // Width and height of a control in twips, as designed or as last set.
    static int TwipsWidth(const QWidget* control);
    static int TwipsHeight(const QWidget* control);
    static int TwipsLeft(const QWidget* control);
    static int TwipsTop(const QWidget* control);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void BuildControls();
    void BuildLinks();
    void BuildCalendarChoice();
    void BuildProgressAndButtons();
    void BuildListKeys();
    void Connect();
    void TakeGridIntoTabOrder();
    void StepList(int by);
    void SetFillWidth(int16_t twips);
    void SetRunning(bool running);
    std::string SelectedCaption() const;
    void FillRows(const cApps& list);
};

// Places a control at a designed position given in twips.
void PlaceInTwips(QWidget* control, int left, int top, int width, int height);
