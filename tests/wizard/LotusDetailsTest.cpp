// The Lotus Notes detail windows as views: each of the four filled from the
// native record of a real load (the DXL exports that tests/helpers/lotus_dxl.py
// writes as Notes writes them, read by the real helper programs and loaded
// through the program's adapters), and the rows of hand-made records at
// their edges: repeat rules, custom slots, priorities, colours and dates.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "app/AppAdapters.h"
#include "app/AppIds.h"
#include "app/wizard/DetailSources.h"
#include "common/lotus/CxLNAddrUtil.h"
#include "common/lotus/CxLNDateUtil.h"
#include "common/lotus/CxLNNoteUtil.h"
#include "common/lotus/CxLNTaskUtil.h"
#include "common/misc/CxDateTime.h"
#include "platform/text/TextCopy.h"
#include "tests/support/Dates.h"
#include "tests/support/LotusHelperRun.h"
#include "tests/support/ScriptExports.h"
#include "tests/support/TimeZone.h"
#include "tests/support/Zeroed.h"
#include "tests/wizard/DetailViewSupport.h"
#include "tests/wizard/DetailWindowSupport.h"

namespace {

using detail::DetailView;
using detail::RepeatView;
using fwtest::OleDate;

// A list's rows ("first|second") joined by ";", and an edit's text.
std::string Listed(const DetailView& view, const char* list) {
    std::string out;
    for (const std::string& row : fwtest::Rows(view, list)) out += (out.empty() ? "" : ";") + row;
    return out;
}
std::string Text(const DetailView& view, const char* edit) { return fwtest::Texts(view, {edit}).front(); }

// The exports read by the real helper programs, whose data files the test
// helper (linked under their names beside this program) hands to the
// program's own adapters. Everything runs in UTC.
class LotusDetailsLoaded : public fwtest::LotusHelperRun {
protected:
    LotusDetailsLoaded() { zone = fwtest::kUtcZone; }

    template <class Bridge>
    Bridge& Load(CxHelperKindId id, const char* exportName) {
        EXPECT_EQ(Run(id, fwtest::ExportsWrittenBy("lotus_dxl.py") + exportName), 0) << LastError(id);
        adapters.push_back(CreateBridgeAdapter<Bridge>());
        Bridge& bridge = dynamic_cast<AppAdapterOf<Bridge>&>(*adapters.back()).Object();
        bridge.SetFolder(exchange.Path().c_str());
        bridge.SetLogFolder(exchange.Path().c_str());
        EXPECT_TRUE(bridge.Load()) << bridge.GetErrorText();
        return bridge;
    }

    // The view of the loaded record of the subject (contacts: the display
    // or last name).
    template <class Bridge>
    DetailView Describe(Bridge& bridge, DetailView (*describe)(const void*, AppAdapter&), const char* name) {
        for (auto* rec = bridge.GetDataMgr()->GetFirstRecord(); rec; rec = bridge.GetDataMgr()->GetNextRecord()) {
            if constexpr (std::is_same_v<Bridge, CxLNAddrUtil>) {
                if (std::strcmp(rec->DisplayName, name) != 0 && std::strcmp(rec->LastName, name) != 0) continue;
            } else if (std::strcmp(rec->Subject, name) != 0) {
                continue;
            }
            EXPECT_NE(rec->NativeRecord, nullptr);
            DetailView view = describe(rec->NativeRecord, *adapters.back());
            fwtest::ExpectWindowShows(kAppLotus, *adapters.back(), CommRecordRef(rec), view);
            return view;
        }
        ADD_FAILURE() << "no record " << name;
        return {};
    }

    fwtest::TempDir exchange;
    fwtest::ScopedEnv handOver{"FWTH_SOURCE", dir.Path()};
    fwtest::ScopedEnv wine{"WINEPREFIX", exchange.Path() + "wine"};
    fwtest::ScopedEnv noWindow{"FRWY_WAIT_WINDOW", "none"};
    fwtest::ScopedTimeZone utc{fwtest::kUtcZone};
    std::vector<std::unique_ptr<AppAdapter>> adapters;
};

TEST_F(LotusDetailsLoaded, EachWindowShowsItsRecordInItsRowsAndOrder) {
    auto& contacts = Load<CxLNAddrUtil>(kHelperLNAddr, "names.dxl");
    DetailView asa = Describe(contacts, detail::DescribeLNAddr, "Åsa M. Öberg/Fleet/Ferry");
    EXPECT_EQ(asa.title, "Lotus Notes Contact Record Details");
    EXPECT_EQ(Text(asa, "edtCompany"), "Fährhaus & Söhne AG");
    EXPECT_EQ(Text(asa, "edtTitle"), "Kapitänin");
    EXPECT_EQ(Listed(asa, "lvPhone"),
              "Primary Phone|+46 8 100;Work Phone|+46 31 100;Home Phone|+46 8 200;Mobile Phone|+46 70 300;"
              "Work Fax|+46 31 101;Home Fax|+46 8 201;Pager|+46 74 400;Work Email|asa@ferry.example;"
              "Personal Email|asa@home.example;Work Email 2|asa.oberg@ferry.example;"
              "Personal Email 2|asa2@home.example");
    EXPECT_EQ(Listed(asa, "lvMisc"),
              "First Name|Åsa;Middle/Initial|M.;Last Name|Öberg;Suffix|Jr.;Department|Flotte;Location|Deck 3;"
              "Assistant Name|Bo Ek;Manager Name|Carl Dahl;Instant Messenger|asa@im.example;"
              "Website|https://ferry.example;Blog Site|https://blog.example/asa;Spouse|Erik Öberg;"
              "Children|Lisa, Nils;Category|Friends, Sailing;Birthday|01/02/1980;Anniversary|06/18/2005");
    EXPECT_EQ(Text(asa, "memStreetWork"), "Hamnvägen 1\r\nBox 7");
    EXPECT_EQ(Text(asa, "edtPostalWork"), "411 01");
    EXPECT_EQ(Text(asa, "edtCityHome"), "Stockholm");
    EXPECT_EQ(Text(asa, "edtCountryOther"), "Sverige");
    EXPECT_NE(Text(asa, "memNotes").find("Met at the regatta."), std::string::npos);
    EXPECT_EQ(Listed(asa, "lvCustom"), "1|Business Email: asa.oberg@ferry.example;2|Personal Email: asa2@home.example");
    // A contact with neither phone nor e-mail lists nothing.
    const DetailView zoe = Describe(contacts, detail::DescribeLNAddr, "Παπαδοπούλου");
    EXPECT_EQ(Listed(zoe, "lvPhone"), "");
    EXPECT_EQ(Text(zoe, "edtDisplayName"), "Ζωή Παπαδοπούλου");  // no full name: the name parts
    EXPECT_EQ(Text(zoe, "edtCityWork"), "Πειραιάς");

    auto& calendar = Load<CxLNDateUtil>(kHelperLNDate, "mail.dxl");
    DetailView ferry = Describe(calendar, detail::DescribeLNDate, "Ferry meeting");
    EXPECT_EQ(ferry.title, "Lotus Notes Calendar Record Details");
    EXPECT_EQ(Text(ferry, "edtDate"), "01/15/2026");
    EXPECT_EQ(Text(ferry, "edtStartTime"), "14:00:00");
    EXPECT_EQ(Text(ferry, "edtEndTime"), "15:30:00");
    EXPECT_EQ(Text(ferry, "edtLocation"), "Pier 4");
    EXPECT_EQ(Text(ferry, "memNotes"), "Agenda:\r\n1. Timetable");
    EXPECT_TRUE(fwtest::Check(ferry, "cbPrivate").checked);
    EXPECT_FALSE(fwtest::Check(ferry, "cbAllDay").checked);
    const std::string eastern = "Z=5$DO=1$DL=3 2 1 11 1 1$ZX=55$ZN=Eastern";
    EXPECT_EQ(Listed(ferry, "lvMisc"), "Start Time Zone|" + eastern + ";End Time Zone|" + eastern);
    EXPECT_EQ(ferry.repeat.type, RepeatView::None);
    EXPECT_FALSE(fwtest::Visible(ferry, "tRecurrence"));

    DetailView midsummer = Describe(calendar, detail::DescribeLNDate, "Midsummer");
    EXPECT_TRUE(fwtest::Check(midsummer, "cbAllDay").checked);
    EXPECT_EQ(Text(midsummer, "edtEndTime"), "06/21/2026 00:00:00");

    const DetailView gym = Describe(calendar, detail::DescribeLNDate, "Gym");
    EXPECT_TRUE(fwtest::Visible(gym, "tRecurrence"));
    EXPECT_EQ(gym.repeat.type, RepeatView::Weekly);
    EXPECT_EQ(gym.repeat.dayMask, 42);
    EXPECT_EQ(gym.repeat.interval, 1);
    EXPECT_DOUBLE_EQ(gym.repeat.start, OleDate(2026, 3, 2, 17));
    EXPECT_DOUBLE_EQ(gym.repeat.end, OleDate(2026, 3, 13));  // the day of the last instance
    const DetailView rent = Describe(calendar, detail::DescribeLNDate, "Rent");
    EXPECT_EQ(rent.repeat.type, RepeatView::Monthly);
    EXPECT_TRUE(rent.repeat.monthlyByDate);
    const DetailView board = Describe(calendar, detail::DescribeLNDate, "Board meeting");
    EXPECT_EQ(board.repeat.type, RepeatView::Monthly);
    EXPECT_FALSE(board.repeat.monthlyByDate);
    EXPECT_EQ(board.repeat.dayMask, 4);

    auto& tasks = Load<CxLNTaskUtil>(kHelperLNTask, "mail.dxl");
    DetailView charts = Describe(tasks, detail::DescribeLNTask, "Buy charts");
    EXPECT_EQ(charts.title, "Lotus Notes Task Record Details");
    EXPECT_EQ(Text(charts, "edtPriority"), "High");
    EXPECT_EQ(Text(charts, "edtDueDate"), "12/31/2030");
    EXPECT_EQ(Text(charts, "edtCategory"), "Boat");
    EXPECT_FALSE(fwtest::Check(charts, "cbCompleted").checked);
    EXPECT_EQ(Listed(charts, "lvMisc"), "Start Time|12/01/2030 08:00:00;End Time|12/31/2030 00:00:00");
    DetailView report = Describe(tasks, detail::DescribeLNTask, "File report");
    EXPECT_EQ(Text(report, "edtPriority"), "Low");
    EXPECT_TRUE(fwtest::Check(report, "cbCompleted").checked);
    EXPECT_EQ(Text(Describe(tasks, detail::DescribeLNTask, "Paint hull"), "memNotes"), "Two coats");

    auto& notebook = Load<CxLNNoteUtil>(kHelperLNNote, "journal.dxl");
    const DetailView idea = Describe(notebook, detail::DescribeLNNote, "Idéer för sommaren");
    EXPECT_EQ(idea.title, "Lotus Notes Notebook Record Details");
    // The document's note information gives its creation and edit times.
    EXPECT_EQ(Listed(idea, "lvMisc"),
              "Subject|Idéer för sommaren;Categories|Segling, Planer;Border Color|0x000000;"
              "Create Time|06/01/2025 08:10:10;Edit Time|10/01/2025 08:10:10");
    EXPECT_EQ(Text(idea, "memNotes"), "Segla till Åland");
}

// Hand-made records, for the rows at their edges.
class LotusDetailsEdges : public ::testing::Test {
protected:
    std::unique_ptr<AppAdapter> adapter = CreateBridgeAdapter<CxLNAddrUtil>();
    fwtest::ScopedTimeZone utc{fwtest::kUtcZone};
};

TEST_F(LotusDetailsEdges, ContactRowsOnlyForValuesAndCustomSlotsThatAreThere) {
    auto rec = fwtest::Zeroed<LNAddrRec>();
    DetailView empty = detail::DescribeLNAddr(rec.get(), *adapter);
    for (const char* list : {"lvPhone", "lvMisc", "lvCustom"}) EXPECT_EQ(Listed(empty, list), "") << list;

    // A labelled slot without value, an unlabelled value, an empty slot,
    // the last slot; an old birthday keeps its date.
    platform::CopyText(rec->CustomLabel[0], "Boat");
    platform::CopyText(rec->CustomValue[1], "Seabird");
    platform::CopyText(rec->CustomLabel[9], "Berth");
    platform::CopyText(rec->CustomValue[9], "B12");
    rec->BirthDate = OleDate(1925, 3, 4);
    rec->Anniversary = 0.0005;
    std::strcpy(rec->Fields + LNAddrFieldOffset(kLNPager), "555");
    const DetailView view = detail::DescribeLNAddr(rec.get(), *adapter);
    EXPECT_EQ(Listed(view, "lvCustom"), "1|Boat: [Empty];2|Seabird;10|Berth: B12");
    EXPECT_EQ(Listed(view, "lvMisc"), "Birthday|03/04/1925");
    EXPECT_EQ(Listed(view, "lvPhone"), "Pager|555");

    // Without a record the window stays empty.
    const DetailView none = detail::DescribeLNAddr(nullptr, *adapter);
    EXPECT_EQ(none.title, "Lotus Notes Contact Record Details");
    EXPECT_EQ(Listed(none, "lvPhone"), "");
}

TEST_F(LotusDetailsEdges, RepeatRulesByUnit) {
    const double start = OleDate(2026, 3, 2, 9), until = OleDate(2026, 6, 1);
    struct Case {
        const char *repeats, *unit, *interval, *on;
        fwtest::Rule rule;
    } const cases[] = {
        {"", "W", "1", "42", {RepeatView::None, 0, 0, true, 0, 0}},  // a single entry, whatever its unit
        {"0", "D", "1", "", {RepeatView::None, 0, 0, true, 0, 0}},
        {"1", "D", "3", "", {RepeatView::Daily, 3, 0, true, start, until}},
        {"1", "W", "2", "34", {RepeatView::Weekly, 2, 34, true, start, until}},  // Monday and Friday
        {"1", "MD", "1", "15", {RepeatView::Monthly, 1, 0, true, start, until}},
        {"1", "MP", "1", "8", {RepeatView::Monthly, 1, 8, false, start, until}},
        {"1", "Y", "2x", "", {RepeatView::Yearly, 2, 0, true, start, until}},  // leading digits
        {"1", "C", "1", "", {RepeatView::None, 0, 0, true, 0, 0}},             // custom dates: no rule
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.repeats) + "/" + c.unit);
        auto rec = fwtest::Zeroed<LNDateRec>();
        platform::CopyText(rec->Repeats, c.repeats);
        platform::CopyText(rec->RepeatUnit, c.unit);
        platform::CopyText(rec->RepeatInterval, c.interval);
        platform::CopyText(rec->RepeatOn, c.on);
        rec->DisplayStart = start;
        rec->DisplayEnd = start + 1.0 / 24;
        rec->RepeatUntil = until;
        DetailView view = detail::DescribeLNDate(rec.get(), *adapter);
        fwtest::ExpectRule(view, c.rule);
    }
}

TEST_F(LotusDetailsEdges, TaskPrioritiesAndCompletionAndNotebookColours) {
    const std::pair<int, const char*> priorities[] = {
        {0, "High"}, {1, "Normal"}, {2, "Low"}, {3, "Normal"}, {-1, "Normal"}};
    for (const auto& [priority, text] : priorities) {
        auto rec = fwtest::Zeroed<LNTaskRec>();
        rec->Priority = priority;
        EXPECT_EQ(Text(detail::DescribeLNTask(rec.get(), *adapter), "edtPriority"), text) << priority;
    }
    auto task = fwtest::Zeroed<LNTaskRec>();
    task->CompletionDate = CxDateTime().GetVariantTime() + 1;  // planned for tomorrow: not done yet
    task->KeptDate = OleDate(2026, 1, 5, 8, 30);
    task->DueDate = 1e12;  // past every date: no text rather than a made-up one
    DetailView view = detail::DescribeLNTask(task.get(), *adapter);
    EXPECT_FALSE(fwtest::Check(view, "cbCompleted").checked);
    EXPECT_EQ(Text(view, "edtDueDate"), "");
    EXPECT_EQ(Listed(view, "lvMisc"), "Start Time|01/05/2026 08:30:00");

    auto note = fwtest::Zeroed<LNNoteRec>();
    note->KeptValue = 0x00FF8040;
    platform::CopyText(note->KeptText, "Ideas");
    note->KeptDates[0] = OleDate(2026, 2, 1);
    note->KeptDates[2] = OleDate(2026, 2, 3, 12, 5, 9);
    EXPECT_EQ(Listed(detail::DescribeLNNote(note.get(), *adapter), "lvMisc"),
              "Categories|Ideas;Border Color|0xFF8040;Diary Date|02/01/2026;Edit Time|02/03/2026 12:05:09");
}

}  // namespace
