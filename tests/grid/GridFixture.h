#pragma once

#include <QWidget>

#include <memory>

#include "grid/FormControls.h"
#include "grid/cListHandler.h"
#include "tests/support/ProgramTest.h"

namespace gridtest {

// A program with a host window and a grid on it, set up as the main window does.
class GridTest : public testsupport::ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        window = std::make_unique<QWidget>();
    }
    void TearDown() override {
        list.reset();
        window.reset();
        ProgramTest::TearDown();
    }
    cListHandler& MakeGrid() {
        list = std::make_unique<cListHandler>();
        list->ListName = "objApps";
        list->AddToForm(controls, window.get());
        return *list;
    }
    owc::Worksheet& Sheet() { return *list->CurrSheet; }

    grid::FormControls controls;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<cListHandler> list;
};

}  // namespace gridtest
