// Reading an ACT! database through the Act! Web API, against the stand-in
// of the API (tests/helpers/act_webapi.py): paging, the mapping of every
// kind of field, recurrences, UTC to local time, opportunities and their
// notes, refused log-ins, servers that cannot be reached, and Stop.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <nlohmann/json.hpp>

#include "helpers/act/ActFetch.h"
#include "tests/dav/DebugLogCapture.h"
#include "tests/support/ActWebApi.h"
#include "tests/support/ActWebSeed.h"
#include "tests/support/Dates.h"
#include "tests/support/ServerProcess.h"
#include "tests/support/TimeZone.h"

namespace {

using Kind = act::Error::Kind;

using namespace fwtest::actseed;

act::Account AccountFor(const fwtest::ActWebApi& api, const std::string& password = kPassword) {
    return {api.BaseUrl(), "Sales", "", "chris", password};
}

double Local(int y, int mo, int d, int h = 0, int mi = 0) {
    DATE date = 0;
    EXPECT_TRUE(platform::SystemTimeToVariantTime(fwtest::At(y, mo, d, h, mi), date));
    return date;
}

int Biz(int part) { return kACTBusinessCountry + part; }
int Home(int part) { return kACTHomeCountry + part; }

class ActWebApiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_api = std::make_unique<fwtest::ActWebApi>(Seed().dump()); }
    static void TearDownTestSuite() { s_api.reset(); }
    void SetUp() override { ASSERT_TRUE(s_api->Ok()) << "python3 must be installed"; }
    static std::unique_ptr<fwtest::ActWebApi> s_api;
};
std::unique_ptr<fwtest::ActWebApi> ActWebApiTest::s_api;

template <class T>
const T* ById(const std::vector<T>& list, const std::string& id) {
    for (const T& r : list)
        if (r.id == id) return &r;
    return nullptr;
}

TEST_F(ActWebApiTest, ContactsArriveOnceAcrossPagesWithEveryKindOfField) {
    fwtest::ScopedTimeZone zone(fwtest::kNewYorkZone);
    std::vector<act::Contact> contacts;
    act::Error error;
    std::vector<int> progress;
    ASSERT_TRUE(act::FetchContacts(AccountFor(*s_api), contacts, error, nullptr, [&](int done, int) {
        progress.push_back(done);
    })) << error.message;
    ASSERT_EQ(contacts.size(), 250u);
    EXPECT_EQ(contacts[249].text[kACTRecordID], "c249");
    EXPECT_EQ(progress, (std::vector<int>{60, 120, 180, 240, 250}));

    const act::Contact& c = contacts[0];
    const std::pair<int, const char*> texts[] = {
        {kACTRecordID, "c-full"},
        {3, "Chris"},
        {4, "Chris Manager"},
        {kACTCategory, "Customer"},
        {kACTNamePrefix, "Dr."},
        {kACTNameSuffix, "PhD"},
        {kACTFirstName, "Zoë"},
        {kACTMiddleName, "A."},
        {kACTLastName, "Müller"},
        {kACTFullName, "Dr. Zoë A. Müller PhD"},
        {kACTSalutation, "Zoë"},
        {13, "Ana"},
        {kACTCompany, "Acme, Inc."},
        {kACTDepartment, "R&D"},
        {kACTTitle, "Chief"},
        {Biz(kACTAddrCountry), "USA"},
        {Biz(kACTAddrState), "IL"},
        {Biz(kACTAddrCity), "Springfield"},
        {Biz(kACTAddrLine1), "1 Main St"},
        {Biz(kACTAddrLine2), "Suite 5"},
        {Biz(kACTAddrLine3), ""},
        {Biz(kACTAddrPostal), "62701"},
        {Home(kACTAddrLine1), ""},
        {Home(kACTAddrLine2), "Flat 2"},
        {Home(kACTAddrCity), "Köln"},
        {Home(kACTAddrPostal), "50667"},
        {kACTBusinessPhone, "+1 555 0100"},
        {kACTBusinessPhoneExtension, "12"},
        {kACTHomePhone, "555 0101"},
        {kACTMobilePhone, "555 0102"},
        {kACTMobilePhoneExtension, ""},
        {kACTFax, "555 0103"},
        {kACTFaxExtension, "9"},
        {kACTPager, "555 0104"},
        {kACTAlternatePhone, "555 0105"},
        {kACTAlternatePhoneExtension, "7"},
        {kACTBusinessEmail, "zoe@acme.example"},
        {kACTPersonalEmail, "zoe@home.example"},
        {kACTWebsite, "https://acme.example"},
        {kACTInstantMessenger, "zoe.im"},
        {kACTSpouseName, "Max"},
        {kACTUserDefined1, "first"},
        {kACTUserDefined1 + 4, "42"},
        {kACTUserDefined1 + 9, "tenth"},
        {kACTLastResults, "Called"},
    };
    for (const auto& [id, value] : texts) EXPECT_EQ(c.text[id], value) << "field " << id;
    EXPECT_FALSE(c.flag[kACTIsUser]);
    EXPECT_TRUE(c.flag[kACTIsImported]);
    EXPECT_TRUE(c.flag[kACTIsPrivate]);
    // A birthday stays its day; times move from UTC to local time, by the
    // offset of their own season.
    EXPECT_DOUBLE_EQ(c.date[kACTBirthday], Local(1980, 2, 29));
    EXPECT_DOUBLE_EQ(c.date[kACTCreateDate], Local(2026, 1, 15, 9, 30));
    EXPECT_DOUBLE_EQ(c.date[kACTEditDate], Local(2026, 7, 1, 10, 30));
    EXPECT_DOUBLE_EQ(c.date[68], Local(2026, 3, 2, 2, 0));
    EXPECT_EQ(contacts[1].text[kACTFirstName], "First1");
    EXPECT_EQ(contacts[1].date[kACTBirthday], 0.0);
}

TEST_F(ActWebApiTest, CalendarHoldsAppointmentsMeetingsAndCallsWithTheirRecurrences) {
    fwtest::ScopedTimeZone zone(fwtest::kNewYorkZone);
    std::vector<act::Activity> list;
    act::Error error;
    ASSERT_TRUE(act::FetchCalendar(AccountFor(*s_api), list, error, nullptr, nullptr)) << error.message;
    EXPECT_EQ(list.size(), 10u);
    EXPECT_EQ(ById(list, "todo1"), nullptr);
    EXPECT_EQ(ById(list, "todo2"), nullptr);

    const act::Activity* appt = ById(list, "appt");
    ASSERT_TRUE(appt);
    EXPECT_EQ(appt->type, act::kAppointment);
    EXPECT_EQ(appt->description, "Subject appt");
    EXPECT_EQ(appt->location, "Room appt");
    EXPECT_EQ(appt->notes, "Details of appt");
    EXPECT_TRUE(appt->isPrivate);
    EXPECT_DOUBLE_EQ(appt->start, Local(2026, 7, 1, 10, 30));
    EXPECT_DOUBLE_EQ(appt->end, Local(2026, 7, 1, 11, 30));
    EXPECT_DOUBLE_EQ(appt->created, Local(2026, 1, 15, 9, 30));
    EXPECT_EQ(appt->recurrence, act::kNoRecurrence);
    const act::Activity* meet = ById(list, "meet");
    ASSERT_TRUE(meet);
    EXPECT_EQ(meet->type, act::kMeeting);
    EXPECT_DOUBLE_EQ(meet->start, Local(2026, 1, 15, 9, 30));
    EXPECT_EQ(ById(list, "call")->type, act::kCall);
    EXPECT_TRUE(ById(list, "allday")->allDay);
    EXPECT_DOUBLE_EQ(ById(list, "allday")->start, Local(2026, 7, 3));

    const struct {
        const char* id;
        int recurrence, interval, dayValue;
        bool onDate;
        int instance, month;
        double end;
    } recurrences[] = {
        {"daily", act::kDaily, 2, 0, false, 0, 0, Local(2026, 12, 31)},
        {"weekly", act::kWeekly, 1, 1 | 64, false, 0, 0, 0},
        {"monthDate", act::kMonthly, 3, 15, true, 0, 0, 0},
        {"monthDay", act::kMonthly, 1, 2 | 32, false, 5, 0, 0},
        {"yearDate", act::kYearly, 1, 29, true, 0, 2, 0},
        {"yearDay", act::kYearly, 1, 4, false, 2, 11, 0},
    };
    for (const auto& r : recurrences) {
        SCOPED_TRACE(r.id);
        const act::Activity* a = ById(list, r.id);
        ASSERT_TRUE(a);
        EXPECT_EQ(a->recurrence, r.recurrence);
        EXPECT_EQ(a->interval, r.interval);
        EXPECT_EQ(a->dayValue, r.dayValue);
        EXPECT_EQ(a->onDate, r.onDate);
        EXPECT_EQ(a->instance, r.instance);
        EXPECT_EQ(a->month, r.month);
        EXPECT_DOUBLE_EQ(a->recurrenceEnd, r.end);
    }
}

TEST_F(ActWebApiTest, TodosAndOpportunitiesWithAndWithoutTheirNotes) {
    fwtest::ScopedTimeZone zone(fwtest::kNewYorkZone);
    const struct {
        bool opportunities, notes;
        std::size_t count;
    } cases[] = {{false, false, 2}, {true, false, 5}, {true, true, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.opportunities) + std::to_string(c.notes));
        std::vector<act::Todo> todos;
        act::Error error;
        ASSERT_TRUE(act::FetchTodos(AccountFor(*s_api), c.opportunities, c.notes, todos, error, nullptr, nullptr))
            << error.message;
        ASSERT_EQ(todos.size(), c.count);
        const act::Todo* t = ById(todos, "todo1");
        ASSERT_TRUE(t);
        EXPECT_EQ(t->description, "Subject todo1");
        EXPECT_EQ(t->notes, "Details of todo1");
        EXPECT_EQ(t->priority, act::kHigh);
        EXPECT_TRUE(t->completed);
        EXPECT_DOUBLE_EQ(t->due, Local(2026, 1, 15, 12, 0));
        EXPECT_EQ(ById(todos, "todo2")->priority, act::kLow);
        EXPECT_FALSE(ById(todos, "todo2")->completed);
        if (!c.opportunities) continue;
        const act::Todo* big = ById(todos, "opp 1/a");
        ASSERT_TRUE(big);
        EXPECT_EQ(big->description, "Big deal");
        EXPECT_DOUBLE_EQ(big->due, Local(2026, 7, 1, 10, 30));
        EXPECT_TRUE(big->completed);
        EXPECT_TRUE(big->isPrivate);
        EXPECT_EQ(big->priority, act::kNormal);
        EXPECT_EQ(big->notes, c.notes ? "Called them.\r\n\r\nSent offer.\r\nTwo pages." : "");
        EXPECT_FALSE(ById(todos, "opp2")->completed);
        EXPECT_EQ(ById(todos, "opp2")->notes, "");
        EXPECT_TRUE(ById(todos, "opp3")->completed);
    }
}

TEST_F(ActWebApiTest, Notes) {
    fwtest::ScopedTimeZone zone(fwtest::kNewYorkZone);
    std::vector<act::Note> notes;
    act::Error error;
    ASSERT_TRUE(act::FetchNotes(AccountFor(*s_api), notes, error, nullptr, nullptr)) << error.message;
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].text, "Lunch with Zoë\r\nAt noon");
    EXPECT_TRUE(notes[0].isPrivate);
    EXPECT_EQ(notes[0].manageUser, "Chris");
    EXPECT_EQ(notes[0].editUser, "Ana");
    EXPECT_DOUBLE_EQ(notes[0].created, Local(2026, 7, 1, 10, 30));
    EXPECT_DOUBLE_EQ(notes[0].edited, Local(2026, 1, 15, 9, 30));
    EXPECT_EQ(notes[1].text, "");
}

TEST(ActWebApiPaging, AServerThatDoesNotPageIsReadOnce) {
    for (const bool ids : {true, false}) {
        SCOPED_TRACE(ids);
        Json seed = BaseSeed();
        seed["ignoreSkip"] = true;
        seed["notes"] = Json::array();
        for (int i = 0; i < 150; ++i)
            seed["notes"].push_back({{"id", ids ? "n" + std::to_string(i) : ""}, {"noteText", std::to_string(i)}});
        fwtest::ActWebApi api(seed.dump());
        ASSERT_TRUE(api.Ok());
        std::vector<act::Note> notes;
        act::Error error;
        ASSERT_TRUE(act::FetchNotes(AccountFor(api), notes, error, nullptr, nullptr)) << error.message;
        EXPECT_EQ(notes.size(), 100u);
    }
}

// Refusals and failures: the kind, a message that holds no secret, and a
// debug log that holds none either.
struct Failure {
    bool ok;
    act::Error error;
    std::string log;
};

Failure ReadContacts(const act::Account& account, const act::StopCheck& stop = nullptr) {
    DebugLogCapture capture;
    Failure f;
    std::vector<act::Contact> contacts;
    f.ok = act::FetchContacts(account, contacts, f.error, stop, nullptr);
    f.log = capture.Text();
    EXPECT_EQ(f.error.message.find(kPassword), std::string::npos);
    EXPECT_EQ(f.error.detail.find(kPassword), std::string::npos);
    EXPECT_EQ(f.log.find(kPassword), std::string::npos);
    EXPECT_EQ(f.log.find("Bearer"), std::string::npos);
    return f;
}

TEST_F(ActWebApiTest, RefusedLogInWithoutAMessageOfItsOwn) {
    for (const act::Account& account :
         {AccountFor(*s_api, "wrong"), act::Account{s_api->BaseUrl(), "Other", "", "chris", kPassword},
          act::Account{s_api->BaseUrl(), "Sales", "", "nobody", kPassword}}) {
        const Failure f = ReadContacts(account);
        EXPECT_FALSE(f.ok);
        EXPECT_EQ(f.error.kind, Kind::Unauthorized);
        EXPECT_EQ(f.error.message, "");  // the helper words it
    }
}

TEST(ActWebApiFailures, RefusedLogInWithTheApisMessage) {
    Json seed = BaseSeed();
    seed["authMessage"] = "Your account is locked.";
    fwtest::ActWebApi api(seed.dump());
    ASSERT_TRUE(api.Ok());
    const Failure f = ReadContacts(AccountFor(api, "wrong"));
    EXPECT_EQ(f.error.kind, Kind::Unauthorized);
    EXPECT_EQ(f.error.message, "Your account is locked.");
}

TEST(ActWebApiFailures, ServersThatCannotBeReachedOrAnswerWrongly) {
    Json seed = BaseSeed();
    seed["fail"] = {{"path", "/api/contacts"}, {"status", 500}, {"body", "{\"Message\": \"Database offline\"}"}};
    fwtest::ActWebApi failing(seed.dump());
    seed["fail"] = {{"path", "/api/contacts"}, {"status", 200}, {"body", "<html>Welcome</html>"}};
    fwtest::ActWebApi html(seed.dump());
    ASSERT_TRUE(failing.Ok() && html.Ok());
    const int closed = fwtest::FreeLoopbackPort();
    const struct {
        const char* name;
        std::string url;
        Kind kind;
        const char* wants;
    } cases[] = {
        {"closed port", "http://127.0.0.1:" + std::to_string(closed) + "/act.web.api", Kind::Unreachable,
         "cannot be reached"},
        {"plain http elsewhere", "http://192.0.2.7/act.web.api", Kind::Unreachable, "https://"},
        {"no API there", failing.BaseUrl() + "/nothing", Kind::Protocol, "no Act! Web API"},
        {"server error", failing.BaseUrl(), Kind::Protocol, "Database offline"},
        {"not JSON", html.BaseUrl(), Kind::Protocol, "did not answer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto start = std::chrono::steady_clock::now();
        const Failure f = ReadContacts({c.url, "Sales", "", "chris", kPassword});
        EXPECT_FALSE(f.ok);
        EXPECT_EQ(f.error.kind, c.kind);
        EXPECT_NE(f.error.message.find(c.wants), std::string::npos) << f.error.message;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    }
}

TEST(ActWebApiFailures, StopDuringASlowPage) {
    Json seed = BaseSeed();
    seed["contacts"] = Contacts(150);
    seed["slow"] = {{"path", "/api/contacts"}, {"skip", 100}, {"seconds", 20}};
    fwtest::ActWebApi api(seed.dump());
    ASSERT_TRUE(api.Ok());
    using Clock = std::chrono::steady_clock;
    Clock::time_point asked{};
    int pages = 0;
    std::vector<act::Contact> contacts;
    act::Error error;
    const auto stop = [&] {
        if (pages == 1 && asked == Clock::time_point{}) asked = Clock::now() + std::chrono::milliseconds(300);
        return asked != Clock::time_point{} && Clock::now() >= asked;
    };
    EXPECT_FALSE(act::FetchContacts(AccountFor(api), contacts, error, stop, [&](int, int) { ++pages; }));
    EXPECT_EQ(error.kind, Kind::Stopped);
    EXPECT_LT(Clock::now() - asked, std::chrono::milliseconds(1500));
}

}  // namespace
