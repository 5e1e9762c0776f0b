#include "lists/cApp.h"

#include <algorithm>
#include <vector>

#include "outlook/modOutlookCode.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Publisher.h"
#include "platform/runtime/Text.h"
#include "services/modErroHandling.h"

using rt::kCrLf;

namespace {

// Every occurrence of the separator splits; empty pieces count.
std::vector<std::string> SplitAll(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    pieces.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), separator)) + 1);
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        pieces.emplace_back(text, start, end - start);
    pieces.emplace_back(text, start);
    return pieces;
}

std::string LookupLines(const std::string& names) {
    if (names.empty())
        return "";
    std::string lines;
    for (const std::string& word : SplitAll(names, ' ')) {
        lines +=
            word + ": " + publisher::kNameLookupSite + "/cgi-bin/search.cgi?terms=" + word + kCrLf;
    }
    return lines;
}

}  // namespace

void cApp::FromString(const std::string& ToParse) {
    modErroHandling::Step step;
    modErroHandling::Reported("cApp.FromString", step, [&] {
        step(10, "Splitting the text row " + ToParse);
        std::vector<std::string> fields = SplitAll(ToParse, '\t');
        if (fields.size() != 3)
            return;
        step(20);
        std::vector<std::string> date = SplitAll(fields[0], '.');
        if (date.size() != 2)
            return;
        step(30);
        AppMonth = rt::ToInteger(date[0]);
        step(40);
        AppDay = rt::ToInteger(date[1]);
        step(50);
        Subject = fields[1];
        step(60);
        BirthYear = rt::IsNumeric(fields[2]) ? rt::ToInteger(fields[2]) : int16_t(0);
        step(70);
        Valid = true;
    });
}

std::string cApp::ToString() const {
    return rt::NumberText(AppMonth) + "." + rt::NumberText(AppDay) + "\t" + Subject + "\t" +
           rt::NumberText(BirthYear);
}

void cApp::ToOutlook(const int16_t& YearToAdd) {
    modErroHandling::Step step;
    modErroHandling::Reported("cApp.ToOutlook", step, [&] {
        step(10, std::string("Adding the appointment to Outlook:") + kCrLf + ToString());
        step(20);
        rt::Date start = rt::DateSerial(YearToAdd, AppMonth, AppDay);
        step(30);
        auto items = rt::Need(modOutlookCode::objCalendar).Items();
        step(40);
        auto item = rt::Need(items).Add("IPM.Appointment");
        step(50);
        rt::Need(item).SetStart(start);
        item->SetAllDayEvent(true);
        step(60);
        bool birthday = BirthYear != 0;
        if (birthday) {
            int16_t age = rt::RoundToInteger(double(YearToAdd) - double(BirthYear));
            item->SetSubject(Subject + ": " + rt::NumberText(age) + " years");
            item->SetCategories("Birthdays");
        } else {
            item->SetSubject(Subject);
            item->SetCategories("Name Days");
        }
        step(70);
        std::string body = std::string("Outlook Velmora provided for free by ") +
                           publisher::kWebSite + kCrLf + kCrLf;
        if (birthday)
            body += std::string("More info about todays names: ") + kCrLf + LookupLines(Subject);
        step(80);
        item->SetBody(body);
        item->SetReminderSet(false);
        step(90);
        item->Save();
        step(100);
        item->Close(outlook::olSave);
    });
}
