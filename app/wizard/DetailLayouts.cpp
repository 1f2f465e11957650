#include "app/wizard/DetailLayouts.h"

#include <utility>

namespace detail {
namespace {

DetailTab Tab(std::string name, std::string caption) {
    DetailTab tab;
    tab.name = std::move(name);
    tab.caption = std::move(caption);
    return tab;
}

DetailEdit Edit(std::string name, std::string label) { return {std::move(name), std::move(label), {}, false}; }

DetailTab NotesTab() {
    DetailTab tab = Tab("tNotes", "Notes");
    tab.edits.push_back({"memNotes", {}, {}, true});
    return tab;
}

DetailTab AddressTab(const std::string& sub) {
    DetailTab tab = Tab("t" + sub, sub);
    tab.edits = {{"memStreet" + sub, "Street:", {}, true},
                 Edit("edtCity" + sub, "City:"),
                 Edit("edtState" + sub, "State:"),
                 Edit("edtPostal" + sub, "Postal Code:"),
                 Edit("edtCountry" + sub, "Country:")};
    return tab;
}

DetailTab MiscTab(const char* firstHeader, const char* secondHeader) {
    return ListTab("tMisc", "Misc Fields", "lvMisc", firstHeader, secondHeader);
}

DetailView View(std::string title, std::string heading) {
    DetailView view;
    view.title = std::move(title);
    view.heading = std::move(heading);
    return view;
}

}  // namespace

DetailTab ListTab(std::string name, std::string caption, std::string list, std::string firstHeader,
                  std::string secondHeader) {
    DetailTab tab = Tab(std::move(name), std::move(caption));
    tab.list = DetailList{std::move(list), std::move(firstHeader), std::move(secondHeader), {}};
    return tab;
}

DetailView ContactLayout(std::string title, std::string heading) {
    DetailView view = View(std::move(title), std::move(heading));
    view.header = {Edit("edtDisplayName", "Name:"), Edit("edtCompany", "Company:"), Edit("edtTitle", "Job Title:")};
    view.tabs.push_back(ListTab("tPhones", "Phones and Emails", "lvPhone", "Description", "Content"));
    DetailTab addresses = Tab("tAddresses", "Addresses");
    addresses.subTabs = {AddressTab("Work"), AddressTab("Home"), AddressTab("Other")};
    view.tabs.push_back(std::move(addresses));
    view.tabs.push_back(MiscTab("Label", "Content"));
    view.tabs.push_back(NotesTab());
    view.tabs.push_back(ListTab("tCustom", "Custom Fields", "lvCustom", "Seq.", "Custom Content"));
    return view;
}

DetailView CalendarLayout(std::string title, std::string heading) {
    DetailView view = View(std::move(title), std::move(heading));
    DetailTab general = Tab("tGeneral", "General");
    general.edits = {Edit("edtDescription", "Description:"), Edit("edtDate", "Date:"),
                     Edit("edtStartTime", "Start time:"),    Edit("edtEndTime", "End time:"),
                     Edit("edtLocation", "Location:"),       Edit("edtCategory", "Category:")};
    general.checks = {{"cbAlarm", "Alarm"}, {"cbPrivate", "Private"}, {"cbAllDay", "All day event"}};
    view.tabs.push_back(std::move(general));
    DetailTab recurrence = Tab("tRecurrence", "Recurrence");
    recurrence.recurrence = true;
    view.tabs.push_back(std::move(recurrence));
    view.tabs.push_back(MiscTab("Field Name", "Field Content"));
    view.tabs.push_back(NotesTab());
    return view;
}

DetailView TaskLayout(std::string title, std::string heading) {
    DetailView view = View(std::move(title), std::move(heading));
    DetailTab general = Tab("tGeneral", "General");
    general.edits = {Edit("edtDescription", "Description:"), Edit("edtPriority", "Priority:"),
                     Edit("edtDueDate", "Due Date:"), Edit("edtCategory", "Category:")};
    general.checks = {{"cbCompleted", "Completed"}, {"cbPrivate", "Private"}};
    view.tabs.push_back(std::move(general));
    view.tabs.push_back(MiscTab("Field Name", "Field Content"));
    view.tabs.push_back(NotesTab());
    return view;
}

DetailView NoteLayout(std::string title, std::string heading) {
    DetailView view = View(std::move(title), std::move(heading));
    view.tabs.push_back(MiscTab("Field Name", "Field Content"));
    view.tabs.push_back(NotesTab());
    return view;
}

}  // namespace detail
