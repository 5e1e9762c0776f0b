#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "outlook/ExplorerWindows.h"
#include "outlook/ObjectModel.h"
#include "outlook/calendar/Source.h"
#include "platform/desktop/Desktop.h"

namespace outlook {

// The version the application reports. The connection takes the part before the first "."
// as the object model's major version and needs 9 or more; the calls the program makes are
// those of version 11, so that is what it says. The rest is a build number of no meaning.
inline constexpr const char* kObjectModelVersion = "11.0.2.7";

using Sources = std::vector<std::shared_ptr<calendar::Source>>;
using MailMaker = std::function<std::shared_ptr<MailItem>()>;

// The object model over one or more calendar sources. The first source gives the default
// calendar; a default folder of another kind comes from the first source that has one. The
// chooser shows every source's folders in order. Mail comes from `newMail`; the windows live
// in memory, and there is no assistant.
class CalendarApplication : public Application,
                            public std::enable_shared_from_this<CalendarApplication> {
  public:
    CalendarApplication(Sources sources, MailMaker newMail);

    // kObjectModelVersion, naming after it what stands behind the sources.
    std::string Version() override;
    std::shared_ptr<NameSpace> GetNamespace(const std::string& type) override;
    std::shared_ptr<Explorer> ActiveExplorer() override;
    std::shared_ptr<ExplorerList> Explorers() override;
    std::shared_ptr<ActiveWindowInfo> ActiveWindow() override;
    std::shared_ptr<MailItem> CreateItem(int32_t itemType) override;
    std::shared_ptr<automation::Object> CreateObject(const std::string& progId) override;
    std::shared_ptr<outlook::Assistant> Assistant() override;

    std::shared_ptr<Folder> DefaultFolder(int32_t folderType);
    // The folder a chooser's answer names; fails (76) when no source holds it.
    std::shared_ptr<Folder> FolderFor(const std::string& id);
    // The chooser's tree. Beside other sources' calendars, a mail folder is shown but
    // cannot be chosen: it is there for mail only.
    std::vector<desktop::FolderNode> Tree();
    // Makes a calendar in the source that holds `nearId`, else in the first; gives its id.
    std::string NewCalendar(const std::string& name, const std::string& nearId);
    // The chooser over Tree(), with "New calendar..."; none on cancel.
    std::shared_ptr<Folder> PickFolder();

    const Sources& CalendarSources() const { return sources_; }

  private:
    std::shared_ptr<calendar::Source> SourceHolding(const std::string& id);

    Sources sources_;
    MailMaker newMail_;
    std::shared_ptr<ExplorerWindows> windows_;
};

}  // namespace outlook
