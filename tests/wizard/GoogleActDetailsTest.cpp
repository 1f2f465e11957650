// The Google and ACT! detail windows as views, each filled from a record
// that the driver loaded through the source's adapter (the test helper
// hands over the data files, written in the helpers' layouts): the rows in
// their order and texts, the edits, check boxes and repeat rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AdapterTable.h"
#include "app/AppCommon.h"
#include "app/wizard/DetailSources.h"
#include "common/ACT/CxACTAddrUtil.h"
#include "common/ACT/CxACTDateUtil.h"
#include "common/ACT/CxACTNoteUtil.h"
#include "common/ACT/CxACTTaskUtil.h"
#include "common/google/CxGAddrUtil.h"
#include "common/google/CxGDateUtil.h"
#include "platform/paths/Paths.h"
#include "platform/text/TextCopy.h"
#include "tests/support/ActRecords.h"
#include "tests/support/GoogleRecords.h"
#include "tests/wizard/DetailViewSupport.h"
#include "tests/wizard/DetailWindowSupport.h"
#include "tests/wizard/WizardFixture.h"

namespace {

using detail::DetailView;
using detail::RepeatView;
using fwtest::Check;
using fwtest::ExpectRule;
using fwtest::Lines;
using fwtest::OleDate;
using fwtest::Rows;
using fwtest::Rule;
using fwtest::Texts;
using fwtest::Visible;

// A driver whose helpers are the test helper, copying the data files the
// test writes into `source`.
class SourceDetails : public fwtest::WizardFixture {
protected:
    std::string source = dir.Path() + "source/";
    fwtest::ScopedEnv copyFrom{"FWTH_SOURCE", source};

    SourceDetails() { platform::EnsureFolderTree(source); }

    template <class Bridge>
    DetailView Describe(int app, int kind, std::size_t index, DetailView (*describe)(const void*, AppAdapter&)) {
        Bridge* bridge = FindAdapterObject<Bridge>(app, kind);
        AppAdapter* adapter = GetAdapterTable().Get(app, kind);
        if (bridge == nullptr || adapter == nullptr || index >= bridge->GetDataMgr()->GetRecordCount()) {
            ADD_FAILURE() << "no record " << index;
            return {};
        }
        auto* record = bridge->GetDataMgr()->GetRecordAt(index);
        DetailView view = describe(record->NativeRecord, *adapter);
        fwtest::ExpectWindowShows(app, *adapter, CommRecordRef(record), view);
        return view;
    }
};

// ---- ACT! ----

// A field of the address group that starts with `country`.
constexpr int At(int country, int part) { return country + part; }

class ActDetails : public SourceDetails {
protected:
    static constexpr int kSecondaryExtension = 85, kMobileExtension = 41, kLastMeeting = 67, kRecordCreator = 2;

    ActDetails() {
        fwtest::WriteFile(dir.Path() + "Sales.pad", "<database/>");
        platform::CopyText(AppSettings().ACTPadName, dir.Path() + "Sales.pad");
        platform::CopyText(AppSettings().ACTUserName, "chris");

        fwtest::ActContact anna;
        anna.text = {{kACTFullName, "Anna Bérg"},
                     {kACTCompany, "Acme AB"},
                     {kACTTitle, "Buyer"},
                     {kACTBusinessPhone, "+46 8 123 45"},
                     {kACTBusinessPhoneExtension, "12"},
                     {kACTHomePhone, "08-55 66"},
                     {kMobileExtension, "99"},  // an extension without its number
                     {kACTBusinessEmail, "anna@acme.example"},
                     {kACTPersonalEmail, "anna@home.example"},
                     {At(kACTBusinessCountry, kACTAddrLine1), "Storgatan 1"},
                     {At(kACTBusinessCountry, kACTAddrLine3), "Box 7"},
                     {At(kACTBusinessCountry, kACTAddrCity), "Stockholm"},
                     {At(kACTBusinessCountry, kACTAddrPostal), "111 22"},
                     {kACTBusinessCountry, "Sweden"},
                     {At(kACTHomeCountry, kACTAddrLine2), "Annexet"},
                     {At(kACTHomeCountry, kACTAddrCity), "Täby"},
                     {kACTUserDefined1, "Gold"},
                     {kACTUserDefined1 + 2, "VIP"},
                     {kRecordCreator, "chris"},
                     {kACTCategory, "Customer"},
                     {kACTSalutation, "Anna"},
                     {kACTDepartment, "Purchasing"},
                     {kACTLastResults, "Called"},
                     {kACTSecondaryFirstName, "Bo"},
                     {kACTSecondaryPhone, "+46 70 1"},
                     {kSecondaryExtension, "5"},
                     {kACTSecondaryEmail, "bo@acme.example"}};
        anna.date = {{kACTBirthday, OleDate(1980, 2, 29)},
                     {kACTCreateDate, OleDate(2025, 1, 2, 12, 30)},
                     {kLastMeeting, OleDate(2025, 3, 4, 9)}};
        anna.flag = {{kACTSecondaryIsPrivate, true}};
        fwtest::ActContact bo;
        bo.text = {{kACTFullName, "Bo Ek"}};
        EXPECT_TRUE(fwtest::WriteActFile(source + "ACTAddr.dat", std::vector{anna, bo}));

        fwtest::ActActivity review;
        review.description = "Weekly review";
        review.location = "Room 4";
        review.notes = "Agenda";
        review.type = 1;
        review.start = OleDate(2026, 3, 2, 9);
        review.end = OleDate(2026, 3, 2, 10, 30);
        review.created = OleDate(2026, 1, 5, 8);
        review.edited = OleDate(2026, 2, 1, 10, 15);
        review.dayValue = 2 | 32;  // Monday and Friday
        review.interval = 2;
        review.recurrence = 2;
        review.recurrenceEnd = OleDate(2026, 6, 26);
        review.isPrivate = true;
        fwtest::ActActivity lunch;
        lunch.description = "Lunch";
        lunch.start = OleDate(2026, 3, 3, 12);
        fwtest::ActActivity rent;
        rent.description = "Rent";
        rent.start = OleDate(2026, 1, 15, 8);
        rent.dayValue = 15;
        rent.onDate = 1;
        rent.interval = 1;
        rent.recurrence = 3;
        fwtest::ActActivity board;
        board.description = "Board";
        board.type = 7;  // none of ACT!'s types
        board.start = OleDate(2026, 11, 10, 13);
        board.dayValue = 4;
        board.interval = 1;
        board.instance = 2;
        board.month = 11;
        board.recurrence = 4;
        board.recurrenceEnd = 0.5;  // not a day after the epoch: no end
        EXPECT_TRUE(fwtest::WriteActFile(source + "ACTDate.dat", std::vector{review, lunch, rent, board}));

        fwtest::ActTodo offer;
        offer.description = "Send the offer";
        offer.notes = "Before Easter";
        offer.created = OleDate(2026, 3, 1, 8);
        offer.priority = 0;
        offer.isPrivate = true;
        offer.due = OleDate(2026, 4, 1);
        offer.completed = true;
        fwtest::ActTodo deal;
        deal.description = "Acme renewal";
        EXPECT_TRUE(fwtest::WriteActFile(source + "ACTTask.dat", std::vector{offer, deal}));

        fwtest::ActNote met;
        met.createUser = "chris";
        met.editUser = "anna";
        met.text = "Lunch with Bo\r\nAt noon.";
        met.isPrivate = true;
        met.created = OleDate(2025, 1, 2, 12);
        fwtest::ActNote keys;
        keys.text = "Remember the keys";
        EXPECT_TRUE(fwtest::WriteActFile(source + "ACTNote.dat", std::vector{met, keys}));

        EXPECT_TRUE(LoadApplication(nullptr, kAppACT, kAppNone));
    }
};

TEST_F(ActDetails, AContactShowsEveryValueInItsPlaceAndAnEmptyOneNoRows) {
    DetailView anna = Describe<CxACTAddrUtil>(kAppACT, CommKindAddr, 0, detail::DescribeACTAddr);
    EXPECT_EQ(anna.title, "ACT! Contact Record Details");
    EXPECT_EQ(Texts(anna, {"edtDisplayName", "edtCompany", "edtTitle"}), (Lines{"Anna Bérg", "Acme AB", "Buyer"}));
    // The mobile phone has only an extension: no row.
    EXPECT_EQ(Rows(anna, "lvPhone"), (Lines{"Work Phone|+46 8 123 45 * 12", "Home Phone|08-55 66",
                                            "Work Email|anna@acme.example", "Personal Email|anna@home.example"}));
    EXPECT_EQ(Texts(anna, {"memStreetWork", "edtCityWork", "edtStateWork", "edtPostalWork", "edtCountryWork",
                           "memStreetHome", "edtCityHome", "memStreetOther", "edtCityOther"}),
              (Lines{"Storgatan 1\nBox 7", "Stockholm", "", "111 22", "Sweden", "Annexet", "Täby", "", ""}));
    EXPECT_EQ(detail::FindTab(anna, "tOther")->caption, "Secondary");
    EXPECT_FALSE(Visible(anna, "tNotes"));
    EXPECT_EQ(Rows(anna, "lvCustom"), (Lines{"1|Gold", "3|VIP"}));
    EXPECT_EQ(Rows(anna, "lvMisc"),
              (Lines{"Rcord Creator|chris", "ID/Status|Customer", "Salutation|Anna", "Company|Acme AB",
                     "Department|Purchasing", "Job Title|Buyer", "Last Results|Called", "Birthday|02/29/1980",
                     "Create Time|01/02/2025 12:30:00", "Last Meet Time|03/04/2025 09:00:00"}));
    const detail::DetailTab* secondary = detail::FindTab(anna, "tSecondary");
    ASSERT_NE(secondary, nullptr);
    EXPECT_EQ(secondary->caption, "Secondary Contacts");
    EXPECT_EQ(secondary->list->firstHeader + "/" + secondary->list->secondHeader, "Field/Content");
    EXPECT_EQ(Rows(anna, "lvSec"),
              (Lines{"First Name|Bo", "Work Phone|+46 70 1 * 5", "Email|bo@acme.example", "Is Private|Yes"}));

    DetailView bo = Describe<CxACTAddrUtil>(kAppACT, CommKindAddr, 1, detail::DescribeACTAddr);
    EXPECT_EQ(Texts(bo, {"edtDisplayName"}), Lines{"Bo Ek"});
    for (const char* list : {"lvPhone", "lvCustom", "lvMisc"}) EXPECT_EQ(Rows(bo, list), Lines{}) << list;
    EXPECT_EQ(Rows(bo, "lvSec"), Lines{"Is Private|No"});
}

TEST_F(ActDetails, ActivitiesShowTheirTypeAndOnlyTheSubTabOfTheirRule) {
    DetailView review = Describe<CxACTDateUtil>(kAppACT, CommKindDate, 0, detail::DescribeACTDate);
    EXPECT_EQ(review.title, "ACT! Calendar Record Details");
    EXPECT_EQ(Texts(review, {"edtDescription", "edtDate", "edtStartTime", "edtEndTime", "edtLocation", "edtCategory",
                             "memNotes"}),
              (Lines{"Weekly review", "03/02/2026", "09:00:00", "10:30:00", "Room 4", "Meeting", "Agenda"}));
    EXPECT_EQ(detail::FindEdit(review, "edtCategory")->label, "Event Type:");
    EXPECT_EQ(Check(review, "cbPrivate").label, "Is Private");
    EXPECT_TRUE(Check(review, "cbPrivate").checked);
    EXPECT_FALSE(Check(review, "cbAllDay").checked);
    EXPECT_EQ(Rows(review, "lvMisc"), (Lines{"Create Time|01/05/2026 08:00:00", "Edit Date|02/01/2026 10:15:00"}));

    const struct {
        std::size_t index;
        const char* type;
        Rule rule;
    } cases[] = {
        {0, "Meeting", {RepeatView::Weekly, 2, 2 | 32, true, OleDate(2026, 3, 2, 9), OleDate(2026, 6, 26)}},
        {1, "Appointment", {RepeatView::None, 0, 0, true, 0, 0}},
        {2, "Appointment", {RepeatView::Monthly, 1, 0, true, OleDate(2026, 1, 15, 8), 0}},
        {3, "", {RepeatView::Yearly, 1, 0, false, OleDate(2026, 11, 10, 13), 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        DetailView view = Describe<CxACTDateUtil>(kAppACT, CommKindDate, c.index, detail::DescribeACTDate);
        EXPECT_EQ(Texts(view, {"edtCategory"}), Lines{c.type});
        ExpectRule(view, c.rule);
    }
}

TEST_F(ActDetails, TodosAndNotesShowTheirFlagsTimesAndUsers) {
    DetailView offer = Describe<CxACTTaskUtil>(kAppACT, CommKindTask, 0, detail::DescribeACTTask);
    EXPECT_EQ(offer.title, "ACT! Todo Record Details");
    EXPECT_EQ(Texts(offer, {"edtDescription", "edtPriority", "edtDueDate", "edtCategory", "memNotes"}),
              (Lines{"Send the offer", "High", "04/01/2026", "", "Before Easter"}));
    EXPECT_TRUE(Check(offer, "cbCompleted").checked);
    EXPECT_TRUE(Check(offer, "cbPrivate").checked);
    EXPECT_EQ(Rows(offer, "lvMisc"), Lines{"Create Time|03/01/2026 08:00:00"});
    DetailView deal = Describe<CxACTTaskUtil>(kAppACT, CommKindTask, 1, detail::DescribeACTTask);
    EXPECT_EQ(Texts(deal, {"edtPriority", "edtDueDate"}), (Lines{"Normal", ""}));
    EXPECT_FALSE(Check(deal, "cbCompleted").checked);
    EXPECT_EQ(Rows(deal, "lvMisc"), Lines{});

    DetailView met = Describe<CxACTNoteUtil>(kAppACT, CommKindNote, 0, detail::DescribeACTNote);
    EXPECT_EQ(met.title, "ACT! Note Record Details");
    EXPECT_EQ(Texts(met, {"memNotes"}), Lines{"Lunch with Bo\r\nAt noon."});
    EXPECT_EQ(Rows(met, "lvMisc"), (Lines{"Create User Name|chris", "Edit User Name|anna", "Private|Yes",
                                          "Create Time|01/02/2025 12:00:00"}));
    DetailView keys = Describe<CxACTNoteUtil>(kAppACT, CommKindNote, 1, detail::DescribeACTNote);
    EXPECT_EQ(Rows(keys, "lvMisc"), Lines{"Private|No"});
}

// ---- Google ----

class GoogleDetails : public SourceDetails {
protected:
    GoogleDetails() {
        platform::CopyText(AppSettings().GGExportPath, dir.Path() + "takeout.zip");

        fwtest::GContact anna;
        anna.first = "Anna";
        anna.middle = "Maria";
        anna.last = "Berg";
        anna.display = "Anna Berg";
        anna.nick = "Annie";
        anna.company = "Acme AB";
        anna.title = "Buyer";
        anna.emails = {{2, "anna@acme.example"}, {1, "anna@home.example"}};
        anna.primaryEmail = "anna@acme.example";
        // The second mobile number is not the typed one.
        anna.phones = {{3, "+46 70 111"}, {2, "+46 8 123"}, {3, "+46 70 999"}};
        anna.primaryPhone = "+46 8 123";
        fwtest::GAddressSlot work, home;
        work.type = 2;
        work.street = "Storgatan 1";
        work.poBox = "Box 7";
        work.city = "Stockholm";
        work.postal = "111 22";
        work.country = "Sweden";
        home.type = 1;
        home.formatted = "Villavägen 3\n183 30 Täby";
        anna.addresses = {work, home};
        anna.webs = {{5, "blog.example"}};
        anna.primaryWeb = "blog.example";
        anna.ims = {{4, "anna.skype"}};
        anna.dates = {{1, OleDate(1980, 2, 29)}};
        anna.relations = {{1, "Bo"}};
        anna.customLabels = {"Shoe size", "", "Unused"};
        anna.customValues = {"38", "blue"};
        anna.notes = "Met at the fair";
        anna.created = OleDate(2024, 5, 6, 7, 8, 9);
        fwtest::GContact bo;
        bo.first = "Bo";
        bo.last = "Ek";
        EXPECT_TRUE(fwtest::WriteGAddrFile(source + "GAddr.dat", {anna, bo}));

        fwtest::GEvent standup;
        standup.title = "Standup";
        standup.location = "Room 1";
        standup.category = "Work";
        standup.description = "Daily sync";
        standup.start = OleDate(2026, 3, 2, 9);
        standup.end = OleDate(2026, 3, 2, 9, 15);
        standup.visibility = 2;
        standup.reminderCount = 1;
        standup.recurrence =
            "DTSTART:20260302T090000\r\nDTEND:20260302T091500\r\nRRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,FR\r\n";
        standup.recurrenceType = 2;
        standup.interval = 2;
        standup.weekdayMask = 2 | 32;
        standup.recurrenceStart = OleDate(2026, 3, 2, 9);
        standup.recurrenceHasEnd = 1;
        standup.recurrenceEnd = OleDate(2026, 6, 26);
        standup.created = OleDate(2026, 2, 1, 10);
        standup.modified = OleDate(2026, 2, 3, 11, 30);
        fwtest::GEvent midsummer;
        midsummer.title = "Midsummer";
        midsummer.allDay = 1;
        midsummer.visibility = 1;
        midsummer.start = OleDate(2026, 6, 19);
        midsummer.end = OleDate(2026, 6, 20);
        // The rule comes from the text alone: the numbers say nothing.
        fwtest::GEvent invoices;
        invoices.title = "Invoices";
        invoices.start = OleDate(2026, 1, 15, 8);
        invoices.recurrence = "DTSTART:20260115T080000\r\nRRULE:FREQ=MONTHLY;INTERVAL=3;BYMONTHDAY=15\r\n";
        invoices.recurrenceStart = OleDate(2026, 1, 15, 8);
        invoices.recurrenceEnd = OleDate(2026, 12, 15);  // without the end flag: no end
        fwtest::GEvent gym;
        gym.title = "Gym";
        gym.start = OleDate(2026, 3, 1, 18);
        gym.recurrence = "RRULE:FREQ=DAILY;INTERVAL=5";
        gym.recurrenceType = 1;
        gym.interval = 1;
        EXPECT_TRUE(fwtest::WriteGDateFile(source + "GDate.dat", {standup, midsummer, invoices, gym}));
        EXPECT_TRUE(fwtest::WriteGCalFile(source + "GCal.dat", {{"Anna", "anna@acme.example", "", "UTC"}}));

        EXPECT_TRUE(LoadApplication(nullptr, kAppGoogle, kAppNone));
    }
};

TEST_F(GoogleDetails, AContactListsItsFieldsUnderTheirCatalogueLabels) {
    DetailView anna = Describe<CxGAddrUtil>(kAppGoogle, CommKindAddr, 0, detail::DescribeGGAddr);
    EXPECT_EQ(anna.title, "Google Contact Record Details");
    EXPECT_EQ(anna.heading, "View detail information of the Google Contact record.");
    EXPECT_EQ(Texts(anna, {"edtDisplayName", "edtCompany", "edtTitle", "memNotes"}),
              (Lines{"Anna Berg", "Acme AB", "Buyer", "Met at the fair"}));
    EXPECT_EQ(Rows(anna, "lvPhone"), (Lines{"Email(Home)|anna@home.example", "Email(Work)|anna@acme.example",
                                            "Email(Primary)|anna@acme.example", "Phone(Work)|+46 8 123",
                                            "Phone(Mobile)|+46 70 111", "Phone(Primary)|+46 8 123"}));
    EXPECT_EQ(Rows(anna, "lvMisc"),
              (Lines{"Middle Name|Maria", "Nick Name|Annie", "Blog|blog.example", "Web Site(Primary)|blog.example",
                     "IM(Skype)|anna.skype", "Birthday|02/29/1980", "Spouse|Bo", "Creation Time|05/06/2024 07:08:09"}));
    // A home address given as one formatted text shows that text.
    EXPECT_EQ(Texts(anna, {"memStreetWork", "edtCityWork", "edtPostalWork", "edtCountryWork", "memStreetHome",
                           "edtCityHome", "memStreetOther"}),
              (Lines{"Storgatan 1\nBox 7", "Stockholm", "111 22", "Sweden", "Villavägen 3\n183 30 Täby", "", ""}));
    EXPECT_EQ(Rows(anna, "lvCustom"), (Lines{"1|Shoe size: 38", "2|[None]: blue"}));

    DetailView bo = Describe<CxGAddrUtil>(kAppGoogle, CommKindAddr, 1, detail::DescribeGGAddr);
    for (const char* list : {"lvPhone", "lvCustom", "lvMisc"}) EXPECT_EQ(Rows(bo, list), Lines{}) << list;
}

TEST_F(GoogleDetails, EventsShowPrivacyTimesAndTheRuleTheBridgeReads) {
    DetailView standup = Describe<CxGDateUtil>(kAppGoogle, CommKindDate, 0, detail::DescribeGGDate);
    EXPECT_EQ(standup.title, "Google Calendar Record Details");
    EXPECT_EQ(Texts(standup, {"edtDescription", "edtDate", "edtStartTime", "edtEndTime", "edtLocation", "edtCategory",
                              "memNotes"}),
              (Lines{"Standup", "03/02/2026", "09:00:00", "09:15:00", "Room 1", "Work", "Daily sync"}));
    EXPECT_TRUE(Check(standup, "cbPrivate").checked);
    EXPECT_TRUE(Check(standup, "cbAlarm").checked);
    EXPECT_FALSE(Check(standup, "cbAllDay").checked);
    EXPECT_EQ(Rows(standup, "lvMisc"),
              (Lines{"Creation Time|02/01/2026 10:00:00", "Last Modification Time|02/03/2026 11:30:00"}));

    DetailView midsummer = Describe<CxGDateUtil>(kAppGoogle, CommKindDate, 1, detail::DescribeGGDate);
    EXPECT_FALSE(Check(midsummer, "cbPrivate").checked);  // visibility 1 is not private
    EXPECT_TRUE(Check(midsummer, "cbAllDay").checked);
    EXPECT_EQ(Rows(midsummer, "lvMisc"), Lines{});

    const Rule rules[] = {
        {RepeatView::Weekly, 2, 2 | 32, true, OleDate(2026, 3, 2, 9), OleDate(2026, 6, 26)},
        {RepeatView::None, 0, 0, true, 0, 0},
        {RepeatView::Monthly, 3, 0, true, OleDate(2026, 1, 15, 8), 0},
        {RepeatView::Daily, 5, 0, true, 0, 0},
    };
    for (std::size_t i = 0; i < std::size(rules); ++i) {
        SCOPED_TRACE(i);
        DetailView view = Describe<CxGDateUtil>(kAppGoogle, CommKindDate, i, detail::DescribeGGDate);
        ExpectRule(view, rules[i]);
    }
}

TEST(DetailsWithoutRecord, EveryWindowKeepsItsLayoutEmpty) {
    struct NoAdapter : AppAdapter {
        bool Load(const AppLoadContext&) override { return false; }
        void Clear() override {}
        CommListRef GetList() override { return {}; }
    } adapter;
    for (auto describe : {detail::DescribeGGAddr, detail::DescribeGGDate, detail::DescribeACTAddr,
                          detail::DescribeACTDate, detail::DescribeACTTask, detail::DescribeACTNote}) {
        const DetailView view = describe(nullptr, adapter);
        EXPECT_FALSE(view.title.empty());
        EXPECT_EQ(view.repeat.type, RepeatView::None);
        for (const detail::DetailTab& tab : view.tabs) {
            if (tab.list) {
                EXPECT_TRUE(tab.list->rows.empty()) << view.title;
            }
        }
    }
}

}  // namespace
