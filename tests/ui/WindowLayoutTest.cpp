#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>

#include "grid/owc/CellText.h"
#include "grid/owc/ColumnMetrics.h"
#include "platform/runtime/Publisher.h"
#include "tests/ui/WindowFixture.h"
#include "ui/GridTabs.h"
#include "ui/LinkLabel.h"

// The window as designed and as drawn: where the controls stand, the links, the captions, the
// grid's columns and the tabs over it.

namespace {

namespace fs = std::filesystem;
using testsupport::EndStatus;
using windowtest::ShownWindowTest;
using windowtest::WindowTest;

TEST_F(WindowTest, ControlsStandWhereTheyAreDesigned) {
    struct Placed {
        const char* name;
        int left, top, width, height;
        const char* caption;
    };
    const Placed table[] = {
        {"tbsApps", 120, 0, 10695, 735, nullptr},
        {"fraList", 120, 720, 10695, 4455, nullptr},
        {"cmdSaveChanges", 120, 5280, 1455, 375, "&Save"},
        {"Label3", 120, 5640, 1695, 1095,
         "More information about other MS Outlook add-ons is available at:"},
        {"Label1", 1800, 5640, 1695, 975,
         "More information about names, and Name days is available at:"},
        {"Label4", 3840, 5640, 2775, 975, nullptr},
        {"lblUSInfo", 6840, 5640, 1695, 975, nullptr},
        {"lblGreek", 8880, 5640, 1695, 975, nullptr},
        {"lblWebLink", 120, 6600, 1575, 255, nullptr},
        {"Label2", 1800, 6600, 1935, 255, nullptr},
        {"lblFinishVelmora", 3840, 6600, 2775, 255, "Helsinki University Almanac Office. "},
        {"lblMyNameday", 6840, 6600, 1935, 255, nullptr},
        {"lblGreekLinks", 8880, 6600, 1575, 255, nullptr},
        {"optMyCalendar", 120, 6960, 2295, 255, "My calendar"},
        {"optChooseCalendar", 2400, 6960, 2295, 255, "Choose calendar ..."},
        {"lblYear", 5040, 6960, 855, 255, "Year"},
        {"cmbYear", 6000, 6960, 1935, 360, nullptr},
        {"picBackground", 120, 7440, 8925, 255, nullptr},
        {"picForeGround", 120, 7440, 15, 240, nullptr},
        {"CancelButton", 6480, 7800, 1215, 375, "&Cancel"},
        {"OKButton", 7800, 7800, 1215, 375, "&OK"},
    };
    frmCreateNames form;
    EXPECT_EQ(form.windowTitle(), "Create Name Days");
    EXPECT_EQ(form.size(), QSize(10920 / 15, 8280 / 15));
    EXPECT_EQ(form.font().pointSizeF(), 9.75);
    for (const Placed& p : table) {
        SCOPED_TRACE(p.name);
        auto* control = form.findChild<QWidget*>(p.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), QRect(p.left / 15, p.top / 15, p.width / 15, p.height / 15));
        if (!p.caption)
            continue;
        QString text = control->property("text").toString();
        EXPECT_EQ(text.toStdString(), p.caption);
    }
    EXPECT_TRUE(form.optMyCalendar->isChecked());
    EXPECT_EQ(form.cmbYear->currentText(), "Combo1");
    EXPECT_TRUE(form.cmbYear->isEditable());
}

TEST_F(WindowTest, LinksLookLikeLinksAndOpenTheirAddresses) {
    frmCreateNames form;
    std::vector<std::string> opened;
    for (const char* name :
         {"lblWebLink", "Label2", "lblFinishVelmora", "lblMyNameday", "lblGreekLinks"}) {
        SCOPED_TRACE(name);
        auto* link = form.findChild<QLabel*>(name);
        ASSERT_NE(link, nullptr);
        EXPECT_TRUE(link->font().underline());
        EXPECT_EQ(link->font().pointSizeF(), 8.25);
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(link->foregroundRole(), QPalette::Highlight);
        QTest::mouseClick(link, Qt::LeftButton);
    }
    ASSERT_EQ(desktop.launcher->opened.size(), 5u);
    std::set<std::string> distinct(desktop.launcher->opened.begin(),
                                   desktop.launcher->opened.end());
    EXPECT_EQ(distinct.size(), 5u);
    EXPECT_TRUE(desktop.launcher->opened[2].ends_with("/kalenteri.html"));
    for (const auto& url : desktop.launcher->opened)
        EXPECT_TRUE(url.starts_with("https://"));
}

TEST_F(WindowTest, ALinkThatCannotBeOpenedIsReported) {
    frmCreateNames form;
    desktop.launcher->failing = true;
    auto status = EndStatus(
        [&] { QTest::mouseClick(form.findChild<QLabel*>("lblWebLink"), Qt::LeftButton); });
    EXPECT_EQ(status, 1);
    EXPECT_NE(LastMessage().find("Sub routine : subGotoWeb"), std::string::npos);
    EXPECT_NE(LastMessage().find("This error has occured: :\r\nOpening " +
                                 std::string(publisher::kWebSite) + "\r\n"),
              std::string::npos)
        << LastMessage();
}

TEST_F(WindowTest, CaptionsStayInsideTheirBoxesAndClearOfTheirNeighbours) {
    frmCreateNames form;
    struct Caption {
        const char* label;
        const char* nextColumn;  // the label whose column follows, if any
    };
    const Caption labels[] = {{"Label3", "Label1"},
                              {"Label1", "Label4"},
                              {"Label4", "lblUSInfo"},
                              {"lblUSInfo", "lblGreek"},
                              {"lblGreek", nullptr}};
    // The links' letters begin below the top of their boxes by the font's ascent less its
    // capital height; a caption's last line may end above that.
    QFontMetrics link(form.lblWebLink->font());
    const int linkLetters = form.lblWebLink->y() + link.ascent() - link.capHeight();
    const QRect save = form.cmdSaveChanges->geometry();
    for (const Caption& c : labels) {
        SCOPED_TRACE(c.label);
        auto* label = form.findChild<QLabel*>(c.label);
        QRect room = label->contentsRect().translated(label->pos());
        QFontMetrics metrics(label->font());
        QRect text =
            metrics.boundingRect(room, Qt::TextWordWrap | label->alignment(), label->text());
        EXPECT_TRUE(room.contains(text)) << "the whole caption is drawn";
        EXPECT_LT(text.bottom() - metrics.descent(), linkLetters) << "above the links";
        if (text.left() <= save.right()) {
            EXPECT_GE(text.top(), save.bottom() + 2) << "clear of the Save button";
        }
        if (c.nextColumn) {
            EXPECT_LE(text.right() + 4, form.findChild<QWidget*>(c.nextColumn)->x());
        }
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             form.lblWebLink, form.Label2, form.lblFinishVelmora, form.lblMyNameday,
             form.lblGreekLinks, form.optMyCalendar, form.optChooseCalendar, form.lblYear,
             form.cmdSaveChanges, form.CancelButton, form.OKButton}) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_LE(control->sizeHint().width(), control->width());
    }
}

TEST_F(WindowTest, LinksUnderlineTheirWordsOnly) {
    const std::pair<const char*, const char*> captions[] = {
        {"Helsinki University Almanac Office. ", "Helsinki University Almanac Office"},
        {"names.example", "names.example"},
        {" (www.example.gr) ", "www.example.gr"},
        {". ", ""},
    };
    for (const auto& [caption, words] : captions)
        EXPECT_EQ(LinkLabel::Words(caption).toStdString(), words) << caption;

    // As drawn: the underline stops where the words end.
    frmCreateNames form;
    LinkLabel* link = form.lblFinishVelmora;
    QImage drawn(link->size(), QImage::Format_RGB32);
    link->render(&drawn);
    QFontMetrics metrics(link->font());
    int wordsEnd = metrics.horizontalAdvance(LinkLabel::Words(link->text()));
    int textEnd = metrics.horizontalAdvance(link->text());
    const QColor paper = drawn.pixelColor(drawn.width() - 1, 0);
    auto inked = [&](int y, int from, int to) {
        int count = 0;
        for (int x = from; x < to; ++x)
            count += drawn.pixelColor(x, y) != paper ? 1 : 0;
        return count;
    };
    // The underline is the row below the baseline inked almost all along the words.
    int underline = -1;
    for (int y = metrics.ascent(); y < drawn.height() && underline < 0; ++y)
        if (inked(y, 0, wordsEnd) > wordsEnd * 3 / 4)
            underline = y;
    ASSERT_GE(underline, 0) << "the words are underlined";
    EXPECT_EQ(inked(underline, wordsEnd + 2, textEnd + 2), 0) << "the full stop and blank are not";
}

// The pixels a cell's text may take before the view cuts it short, as Qt's item views draw.
int TextRoom(QTableView* table, int column) {
    int margin = table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
    return table->columnWidth(column) - 2 * margin - 1;
}

TEST_F(ShownWindowTest, ShippedListsShowTheirHeadingsAndNamesWhole) {
    for (const auto& file : fs::directory_iterator(fs::path(NAMEDAYS_SOURCE_DIR) / "data/lists"))
        fs::copy_file(file.path(), desktop.paths->program / file.path().filename());
    LoadOrFail();
    Show();
    QTableView* cells = Cells();
    auto* frozen = window->findChild<QTableView*>("frozenRows");
    auto& sheet = *window->objList->CurrSheet;
    ASSERT_GE(window->tbsApps->count(), 13);
    for (int tab = 0; tab < window->tbsApps->count(); ++tab) {
        SCOPED_TRACE(window->tbsApps->tabText(tab).toStdString());
        window->tbsApps->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        int columns = cells->model()->columnCount();
        int shown = 0;
        for (int c = 0; c < columns; ++c)
            shown += cells->columnWidth(c);
        EXPECT_LE(shown, cells->viewport()->width()) << "every shown column stays in view";
        for (int row = 1; row <= 1000 && sheet.HasContent(row, 1); ++row) {
            for (int c = 0; c < columns; ++c) {
                std::string text = owc::CellText(sheet.ValueAt(row, c + 1));
                QFontMetricsF drawn(owc::FontOf(sheet.StyleAt(row, c + 1)));
                bool whole = drawn.horizontalAdvance(QString::fromStdString(text)) <=
                             TextRoom(row == 1 ? frozen : cells, c);
                if (row == 1 || c != 2) {
                    EXPECT_TRUE(whole) << text;
                    continue;
                }
                // Only a names text too long for the room beside the other columns is cut
                // short, and then its tooltip has it whole.
                QVariant tip = cells->model()->index(row - 2, c).data(Qt::ToolTipRole);
                if (whole) {
                    EXPECT_TRUE(tip.isNull()) << text;
                } else {
                    EXPECT_EQ(tip.toString().toStdString(), text);
                }
            }
        }
    }
}

TEST_F(ShownWindowTest, TabsStandOnTheGridAndAClickAboveATabChoosesIt) {
    WriteList("A", {"1.2\tAnna\t"});
    WriteList("B", {"2.3\tBert\t"});
    LoadOrFail();
    Show();
    auto* tabs = static_cast<GridTabs*>(window->tbsApps);
    for (int i = 0; i < tabs->count(); ++i) {
        QRect drawn = tabs->DrawnTabRect(i).translated(tabs->pos());
        EXPECT_GE(drawn.bottom() + 2, window->fraList->y()) << "no gap to the grid";
        EXPECT_LE(drawn.bottom(), window->fraList->y() + 2);
        EXPECT_LT(drawn.height(), tabs->height());
    }
    QRect second = tabs->DrawnTabRect(1);
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, QPoint(second.center().x(), 2));
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(Cell("C2"), "Bert");
}

}  // namespace
