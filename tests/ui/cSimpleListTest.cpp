#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QComboBox>
#include <QListWidget>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/runtime/Convert.h"
#include "tests/support/ProgramTest.h"
#include "ui/data/SqliteRecordset.h"
#include "ui/forms/ComboOrList.h"
#include "ui/simplelist/cSimpleList.h"

namespace {

using rt::Variant;

std::vector<Variant> Values(cSimpleList& list) {
    return list.DicList->Keys();
}

class SimpleList : public testsupport::ProgramTest {};

TEST_F(SimpleList, TextJoinsAndSplitsAtCrLf) {
    struct Case {
        std::vector<std::string> texts;  // given to FromString in turn
        std::vector<Variant> values;
        std::string joined;
    };
    const Case cases[] = {
        {{"a\r\n\r\nb\r\na"}, {"a", "b"}, "a\r\nb"},
        {{"a\r\nb", "a\r\nb"}, {"a", "b"}, "a\r\nb"},
        {{"a\r\nb", "c\r\na"}, {"a", "b", "c"}, "a\r\nb\r\nc"},
        {{" a\r\nb "}, {" a", "b "}, "a\r\nb"},
        {{"x\ny"}, {"x\ny"}, "x\ny"},
        {{""}, {}, ""},
    };
    for (const auto& c : cases) {
        cSimpleList list;
        for (const auto& text : c.texts)
            list.FromString(text);
        EXPECT_EQ(Values(list), c.values) << c.texts[0];
        EXPECT_EQ(list.ToString(), c.joined);
    }
}

TEST_F(SimpleList, FillsAComboBoxKeepingItsText) {
    QComboBox box;
    box.setEditable(true);
    box.addItem("old");
    box.setEditText("y");
    forms::ComboBoxAdapter combo(box);
    cSimpleList list;
    list.FromString("x\r\n \r\ny");
    list.AddToComboOrList(combo);
    ASSERT_EQ(box.count(), 2);
    EXPECT_EQ(box.itemText(0), "x");
    EXPECT_EQ(box.itemText(1), "y");
    EXPECT_EQ(box.currentText(), "y");

    cSimpleList copy;
    copy.FromString("stale");
    copy.FromComboOrList(combo);
    EXPECT_EQ(Values(copy), (std::vector<Variant>{"x", "y"}));
}

TEST_F(SimpleList, FillsAListBoxAndReadsItBack) {
    QListWidget widget;
    forms::ListBoxAdapter box(widget);
    cSimpleList list;
    list.FromString("b\r\na\r\nb ");
    box.AddItem(Variant("gone"));
    box.SetText("gone");
    list.AddToComboOrList(box);
    EXPECT_EQ(box.ListCount(), 3);
    EXPECT_EQ(box.Text(), "");  // the item it showed is gone
    box.SetText("a");
    EXPECT_EQ(box.Text(), "a");
    cSimpleList copy;
    copy.FromComboOrList(box);
    EXPECT_EQ(Values(copy), (std::vector<Variant>{"b", "a", "b "}));
    EXPECT_THROW(box.List(3), rt::Failure);
}

TEST_F(SimpleList, ArraysReplaceAndComeBackAsOneColumn) {
    cSimpleList list;
    list.FromString("other");
    list.FromArray({Variant(int16_t(3)), Variant(int16_t(3)), Variant(int16_t(4))});
    EXPECT_EQ(Values(list), (std::vector<Variant>{Variant(int16_t(3)), Variant(int16_t(4))}));
    EXPECT_EQ(list.DicList->Keys()[0].TypeName(), "Integer");  // kept as it came
    TextArray array = list.ToArray();
    EXPECT_EQ(array.UBound(1), 1);
    EXPECT_EQ(array.UBound(2), 0);
    EXPECT_EQ(array(0, 0), "3");
    EXPECT_EQ(array(1, 0), "4");
}

TEST_F(SimpleList, RandomItemRoundsHalfToEven) {
    struct Case {
        double r;
        const char* expected;
    };
    cSimpleList list;
    list.FromString("first\r\nsecond");
    for (const Case c :
         {Case{0.0, "first"}, Case{0.5, "first"}, Case{0.5001, "second"}, Case{0.999, "second"}}) {
        desktop.random->value = c.r;
        EXPECT_EQ(list.RandomItem(), Variant(c.expected)) << c.r;
    }
    cSimpleList three;
    three.FromString("a\r\nb\r\nc");
    desktop.random->value = 0.25;  // 0.5 rounds to 0
    EXPECT_EQ(three.RandomItem(), Variant("a"));
    desktop.random->value = 0.75;  // 1.5 rounds to 2
    EXPECT_EQ(three.RandomItem(), Variant("c"));
}

TEST_F(SimpleList, AnEmptyListHasNoRandomItemAndNoArray) {
    cSimpleList list;
    EXPECT_THROW(list.RandomItem(), rt::Failure);
    EXPECT_THROW(list.ToArray(), rt::Failure);
    EXPECT_TRUE(desktop.messages->shown.empty());  // the caller gets the failure
}

class Records : public SimpleList {
  protected:
    void SetUp() override {
        SimpleList::SetUp();
        file = (desktop.paths->temp / "names.db").string();
        sqlite3* db = nullptr;
        sqlite3_open(file.c_str(), &db);
        sqlite3_exec(db, "CREATE TABLE names (id INTEGER PRIMARY KEY, name TEXT)", nullptr, nullptr,
                     nullptr);
        sqlite3_close(db);
    }
    void Fill(std::initializer_list<const char*> names) {
        data::SqliteRecordset records(file, "names");
        for (const char* name : names) {
            records.AddNew();
            records.Fields(1)->SetValue(Variant(name));
            records.Update();
        }
    }
    std::vector<std::string> Stored() {
        std::vector<std::string> names;
        data::SqliteRecordset records(file, "names");
        for (; !records.Eof(); records.MoveNext())
            names.push_back(rt::TextOf(records.Fields(1)->Value()));
        return names;
    }
    std::string file;
};

TEST_F(Records, ToRSMakesTheColumnHoldExactlyTheList) {
    struct Case {
        std::vector<const char*> before;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {{}, {"Anna", "O'Brien", "Eva"}},
        {{"Anna", "O'Brien", "Eva"}, {"Anna", "O'Brien", "Eva"}},
        {{"Eva", "Old", "Anna", "D'Arcy", "O'Brien"}, {"Eva", "Anna", "O'Brien"}},
    };
    for (const auto& c : cases) {
        sqlite3* db = nullptr;
        sqlite3_open(file.c_str(), &db);
        sqlite3_exec(db, "DELETE FROM names", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        for (const char* name : c.before)
            Fill({name});
        cSimpleList list;
        list.FromString("Anna\r\nO'Brien\r\nEva");
        data::SqliteRecordset records(file, "names");
        list.ToRS(records);
        EXPECT_EQ(Stored(), c.after);
    }
}

TEST_F(Records, FromRSReadsFromTheCurrentRecordOn) {
    Fill({"a", "b", "a", "c"});
    data::SqliteRecordset records(file, "names");
    EXPECT_EQ(records.RecordCount(), 4);
    EXPECT_EQ(records.Fields(1)->Name(), "name");
    records.MoveNext();
    cSimpleList list;
    list.FromString("z");
    list.FromRS(&records);
    EXPECT_EQ(Values(list), (std::vector<Variant>{"z", "b", "a", "c"}));
    EXPECT_TRUE(records.Eof());
    list.FromRS(nullptr);  // nothing to read: nothing changes
    EXPECT_EQ(list.DicList->Count(), 4);
}

TEST_F(Records, FindUnderstandsDoubledQuotesAndRefusesBrokenCriteria) {
    Fill({"a", "it's", "b"});
    data::SqliteRecordset records(file, "names");
    records.Find("name = 'it''s'", 0, data::adSearchForward);
    ASSERT_FALSE(records.Eof());
    EXPECT_EQ(records.Fields(1)->Value(), Variant("it's"));
    records.Find("name = 'missing'", 0, data::adSearchForward);
    EXPECT_TRUE(records.Eof());
    records.MoveFirst();
    EXPECT_THROW(records.Find("name = 'it's'", 0, data::adSearchForward), rt::Failure);
    EXPECT_THROW(records.Find("nope = 'a'", 0, data::adSearchForward), rt::Failure);
}

size_t OpenFileCount() {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                             std::filesystem::directory_iterator()));
}

// A recordset that cannot be made closes the database it opened: a missing table, a file
// that is no database, a file that is not there.
TEST_F(Records, AFailedOpenLeavesNoDatabaseOpen) {
    std::ofstream(desktop.paths->temp / "text.db") << "not a database at all, only some text";
    const std::pair<std::string, const char*> cases[] = {
        {file, "missing_table"},
        {(desktop.paths->temp / "text.db").string(), "names"},
        {(desktop.paths->temp / "absent.db").string(), "names"},
    };
    for (const auto& [path, table] : cases) {
        SCOPED_TRACE(path + " " + table);
        size_t before = OpenFileCount();
        EXPECT_THROW(data::SqliteRecordset(path, table), rt::Failure);
        EXPECT_EQ(OpenFileCount(), before);
    }
}

}  // namespace
