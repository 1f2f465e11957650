#include "app/AppDescriptions.h"

#include "app/AppIds.h"

namespace {

constexpr AppDescription kApps[] = {
    {kAppACT,
     "Loading information from ACT! ...",
     {"Loading ACT! Contacts ...", "Loading ACT! Calendar ...", "Loading ACT! Todos and Opportunities ...",
      "Loading ACT! Notes ..."},
     {"Loading ACT! Contacts Error: %s", "Loading ACT! Calendar Error: %s",
      "Loading ACT! Todos or Opportunities Error: %s", "Loading ACT! Notes Error: %s"},
     {"%sACTAddrStatus.dat", "%sACTDateStatus.dat", "%sACTTaskStatus.dat", "%sACTNoteStatus.dat"},
     true},
    {kAppGoogle,
     "Loading information from Google account ...",
     {"Loading Google Contacts ...", "Loading Google Calendar ...", nullptr, nullptr},
     {"Loading Google Contacts Error: %s", "Loading Google Calendar Error: %s", nullptr, nullptr},
     {"%sGAddrStatus.dat", "%sGDateStatus.dat", nullptr, nullptr},
     true},
    {kAppLotus,
     "Loading information from Lotus Notes ...",
     {"Loading Lotus Notes Contacts ...", "Loading Lotus Notes Calendar ...", "Loading Lotus Notes Todos ...",
      "Loading Lotus Notes Notebook ..."},
     {"Loading Lotus Notes Contacts Error: %s", "Loading Lotus Notes Calendar Error: %s",
      "Loading Lotus Notes Todo Error: %s", "Loading Lotus Notes Notebook Error: %s"},
     {"%sLNAddrStatus.dat", "%sLNDateStatus.dat", "%sLNTaskStatus.dat", "%sLNNoteStatus.dat"},
     true},
    {kAppOutlook,
     "Loading information from Outlook ...",
     {"Loading Outlook Contacts ...", "Loading Outlook Calendar ...", "Loading Outlook Tasks ...",
      "Loading Outlook Notes ..."},
     {"Failed to load Outlook Contacts information.", "Failed to load Outlook Calendar information.",
      "Failed to load Outlook Task information.", "Failed to load Outlook Notes information."},
     {nullptr, nullptr, nullptr, nullptr},
     false},
    {kAppPalm,
     "Loading information from Palm Desktop ...",
     {"Loading Palm Desktop Contacts ...", "Loading Palm Desktop Calendar ...", "Loading Palm Desktop Tasks ...",
      "Loading Palm Desktop Notes ..."},
     {"Failed to load Palm Desktop Contacts information.", "Failed to load Palm Desktop Calendar information.",
      "Failed to load Palm Desktop Task information.", "Failed to load Palm Desktop Memos information."},
     {nullptr, nullptr, nullptr, nullptr},
     false},
};

}  // namespace

const AppDescription* DescribeApp(int appId) {
    for (const AppDescription& app : kApps)
        if (app.appId == appId) return &app;
    return nullptr;
}
