// The record review pages through the real driver: Palm Desktop files
// written by tools/palmdat, loaded and compared with the temporary Outlook
// store, listed, picked and migrated.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/AppCommon.h"
#include "app/wizard/TfmDataPage.h"
#include "app/wizard/WindowHandle.h"
#include "platform/text/TextCopy.h"
#include "tests/app/FakeAdapters.h"
#include "tests/support/PalmDatRecords.h"
#include "tests/support/TimeZone.h"
#include "tests/wizard/WizardFixture.h"

namespace {

namespace palm = fwtest::palm;
using palmdat::Kind;

// 2026-01-05 08:00 UTC and an hour later.
constexpr std::int32_t kMorning = 1767600000;
constexpr std::int32_t kMorningEnd = kMorning + 3600;

class ReviewPage : public fwtest::WizardFixture {
protected:
    ReviewPage() {
        Settings& s = AppSettings();
        s.SyncAddr = s.SyncDate = s.SyncTask = s.SyncNote = 1;
    }
    ~ReviewPage() override {
        for (int app : {kAppACT, kAppGoogle, kAppLotus})
            for (int kind = 0; kind < CommKindCount; ++kind) RegisterAdapterFactory(app, kind, nullptr);
        fwtest::Plans().clear();
    }

    // Writes the kind's data file and points the Palm settings at it.
    void WriteKind(Kind kind, std::vector<palmdat::Record> records) {
        const std::string path = dir.File(palmdat::FileName(kind));
        ASSERT_TRUE(palmdat::Write(path, palm::File(kind, std::move(records))));
        Settings& s = AppSettings();
        switch (kind) {
        case Kind::Address: s.PDUseAddrFile = 1, platform::CopyText(s.PDAddrFileName, path); break;
        case Kind::Datebook: s.PDUseDateFile = 1, platform::CopyText(s.PDDateFileName, path); break;
        case Kind::Todo: s.PDUseTaskFile = 1, platform::CopyText(s.PDTaskFileName, path); break;
        case Kind::Memo: s.PDUseNoteFile = 1, platform::CopyText(s.PDNoteFileName, path); break;
        }
    }
    void WriteAll(std::vector<palmdat::Record> contacts) {
        WriteKind(Kind::Address, std::move(contacts));
        WriteKind(Kind::Datebook, {palm::Event(1, "Standup", kMorning, kMorningEnd, "Room 1")});
        WriteKind(Kind::Todo, {palm::Todo(1, "Pay rent", kMorning, 1)});
        WriteKind(Kind::Memo, {palm::Memo(1, "Shopping\r\nmilk")});
    }

    bool Load() { return LoadApplications(HandleOf(&host.window), kAppPalm, kAppOutlook); }
    // Loads and migrates every record: Outlook then holds the Palm data.
    void Seed() {
        ASSERT_TRUE(Load());
        TfmPDData seed(host);
        seed.Prepare();
        ASSERT_TRUE(seed.Commit());
    }
    // Loads and shows the page filled.
    void Open(TfmDataPage& page) {
        ASSERT_TRUE(Load());
        page.show();
        page.Prepare();
    }

    static void Click(TfmDataPage& page, const char* name) {
        auto* button = page.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static std::vector<std::string> Column(QTreeWidget* list, int column) {
        std::vector<std::string> out;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            out.push_back(list->topLevelItem(row)->text(column).toStdString());
        return out;
    }
    static std::string CountText(TfmDataPage& page, const char* label) {
        auto* widget = page.findChild<QLabel*>(label);
        return widget ? widget->text().toStdString() : std::string("<none>");
    }
    static int Picked() {
        AdapterTable& t = GetAdapterTable();
        return static_cast<int>(t.SelectedAddr()->GetCount() + t.SelectedDate()->GetCount() +
                                t.SelectedTask()->GetCount() + t.SelectedNote()->GetCount());
    }
    std::vector<std::string> LogLines() const {
        std::ifstream in(dir.Path() + "share/norrbek/FRWY/SWLog.txt");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) lines.push_back(line);
        }
        return lines;
    }
    // What Outlook holds now, read back through the Outlook adapters.
    std::vector<std::string> OutlookCompanies() {
        EXPECT_TRUE(LoadApplication(HandleOf(&host.window), kAppOutlook, kAppNone));
        std::vector<std::string> out;
        if (auto* list = fwtest::ListOf<CommAddrMgr>(kAppOutlook, CommKindAddr))
            for (auto* r = list->GetFirstRecord(); r != nullptr; r = list->GetNextRecord())
                out.push_back(std::string(r->FirstName) + "=" + r->Company);
        return out;
    }

    fwtest::ScopedTimeZone zone{fwtest::kUtcZone};
};

TEST_F(ReviewPage, RecordsArriveCheckedAndColouredByTheirComparison) {
    WriteAll({palm::Contact(1, "Anna", "Berg", "Acme"), palm::Contact(2, "Bo", "Lind", "Beta"),
              palm::Contact(3, "Cy", "Holm", "Corp")});
    Seed();
    // Bo changed his company, Dee is new, Anna and Cy are as Outlook has them.
    WriteKind(Kind::Address, {palm::Contact(1, "Anna", "Berg", "Acme"), palm::Contact(2, "Bo", "Lind", "Beta Two"),
                              palm::Contact(3, "Cy", "Holm", "Corp"), palm::Contact(4, "Dee", "Ek", "Delta")});
    Settings& s = AppSettings();
    s.NewColor = 0x0000FF;   // red in 0x00BBGGRR
    s.SameColor = 0x808000;  // teal
    // "DiffColor" keeps its default, 16711680: blue.
    ASSERT_TRUE(Load());
    TfmPDData page(host);
    page.Prepare();
    QTreeWidget* list = page.List(CommKindAddr);
    EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"Anna Berg", "Bo Lind", "Cy Holm", "Dee Ek"}));
    EXPECT_EQ(Checks(list), (std::vector<bool>{false, true, false, true}));
    const QColor same(0, 128, 128), diff(0, 0, 255), added(255, 0, 0);
    const std::vector<QColor> colours{same, diff, same, added};
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        for (int column = 0; column < list->columnCount(); ++column)
            EXPECT_EQ(list->topLevelItem(row)->foreground(column).color(), colours[static_cast<std::size_t>(row)])
                << "row " << row << " column " << column;
    EXPECT_EQ(CountText(page, "lblAddrCount"), "4 Contact records in total");
    EXPECT_EQ(CountText(page, "lblDateCount"), "1 Calendar records in total");
    EXPECT_EQ(CountText(page, "lblTaskCount"), "1 Task records in total");
    EXPECT_EQ(CountText(page, "lblNoteCount"), "1 Note records in total");
    // The calendar, task and note came over the first time.
    EXPECT_EQ(Checks(page.List(CommKindDate)), std::vector<bool>{false});

    // Next picks the checked ones in list order, and Outlook then holds them.
    ASSERT_TRUE(page.Commit());
    ASSERT_EQ(GetAdapterTable().SelectedAddr()->GetCount(), 2u);
    EXPECT_STREQ(GetAdapterTable().SelectedAddr()->GetAt(0)->FirstName, "Bo");
    EXPECT_STREQ(GetAdapterTable().SelectedAddr()->GetAt(1)->FirstName, "Dee");
    EXPECT_EQ(Picked(), 2);
    EXPECT_EQ(StoreFiles("Contacts"), 4u);
    EXPECT_EQ(OutlookCompanies(), (std::vector<std::string>{"Anna=Acme", "Bo=Beta Two", "Cy=Corp", "Dee=Delta"}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ReviewPage, ColumnsShowTheCommonRecordsTexts) {
    WriteKind(Kind::Address, {palm::Contact(1, "Anna", "Berg", "Acme", "Dr"), palm::Contact(2, "", "", "Only Co"),
                              palm::Contact(3, palmdat::Ansi("Åsa"), palmdat::Ansi("Öberg"), palmdat::Ansi("Café"))});
    WriteKind(Kind::Datebook, {palm::Event(1, "Standup", kMorning, kMorningEnd, "Room 1"),
                               palm::Event(2, "Holiday", kMorning - 8 * 3600, kMorning - 8 * 3600, "", true)});
    WriteKind(Kind::Todo, {palm::Todo(1, "Pay rent", kMorning, 1, "by transfer"), palm::Todo(2, "Read", 0, 5),
                           palm::Todo(3, "Call", 0, 3)});
    const std::string longNote = "Line one\r\nline two\n" + std::string(300, 'x');
    WriteKind(Kind::Memo, {palm::Memo(1, longNote)});
    ASSERT_TRUE(Load());
    TfmPDData page(host);
    page.Prepare();

    struct Case {
        int kind;
        int column;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        // A Palm contact has no display name: the name is made of its parts.
        {CommKindAddr, 0, {"Anna Berg", "", "Åsa Öberg"}},
        {CommKindAddr, 3, {"Acme", "Only Co", "Café"}},
        {CommKindAddr, 4, {"Dr", "", ""}},
        {CommKindDate, 0, {"Standup", "Holiday"}},
        {CommKindDate, 1, {"08:00:00", "00:00:00"}},
        {CommKindDate, 2, {"09:00:00", "00:00:00"}},
        {CommKindDate, 3, {"No", "Yes"}},
        {CommKindDate, 4, {"Room 1", ""}},
        {CommKindTask, 1, {"High", "Low", "Normal"}},
        // No due date is an empty date, not the first day of 1970.
        {CommKindTask, 2, {"01/05/2026", "", ""}},
        {CommKindTask, 3, {"by transfer", "", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Column(page.List(c.kind), c.column), c.texts) << "kind " << c.kind << " column " << c.column;

    // A note shows its beginning on one line.
    const std::string note = page.List(CommKindNote)->topLevelItem(0)->text(0).toStdString();
    EXPECT_EQ(note.substr(0, 20), "Line one line two xx");
    EXPECT_EQ(note.size(), 255u);

    // The headers and widths of the form.
    QTreeWidget* dates = page.List(CommKindDate);
    ASSERT_EQ(dates->columnCount(), 5);
    EXPECT_EQ(dates->headerItem()->text(3).toStdString(), "All Day Event");
    EXPECT_EQ(dates->columnWidth(0), 200);
    EXPECT_EQ(page.List(CommKindNote)->columnWidth(0), 600);
    EXPECT_EQ(page.List(CommKindAddr)->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(page.List(CommKindAddr)->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(ReviewPage, AKindThatIsOffIsHiddenLeftAloneAndNeverPicked) {
    WriteAll({palm::Contact(1, "Anna", "Berg", "Acme")});
    ASSERT_TRUE(Load());  // tasks too: their adapter holds one
    AppSettings().SyncTask = 0;
    TfmPDData page(host);
    page.show();
    page.Prepare();
    auto* tabs = page.findChild<QTabWidget*>("pData");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(
        (std::vector<bool>{tabs->isTabVisible(0), tabs->isTabVisible(1), tabs->isTabVisible(2), tabs->isTabVisible(3)}),
        (std::vector<bool>{true, true, false, true}));
    Click(page, "btnSelAll");
    EXPECT_EQ(page.List(CommKindTask)->topLevelItemCount(), 0);
    EXPECT_EQ(Checks(page.List(CommKindNote)), std::vector<bool>{true});
    ASSERT_TRUE(page.Commit());
    EXPECT_EQ(GetAdapterTable().SelectedTask()->GetCount(), 0u);
    EXPECT_EQ(Picked(), 3);
    EXPECT_EQ(StoreFiles("Tasks"), 0u);
    EXPECT_EQ(StoreFiles("Contacts"), 1u);
}

TEST_F(ReviewPage, TheSelectionButtonsCheckAllNoneOrExactlyTheDifferentOnes) {
    WriteAll({palm::Contact(1, "Anna", "Berg", "Acme"), palm::Contact(2, "Bo", "Lind", "Beta")});
    Seed();
    WriteKind(Kind::Address, {palm::Contact(1, "Anna", "Berg", "Acme"), palm::Contact(2, "Bo", "Lind", "Other"),
                              palm::Contact(3, "Cy", "Holm")});
    WriteKind(Kind::Memo, {palm::Memo(1, "Shopping\r\nmilk"), palm::Memo(2, "Ideas")});
    TfmPDData page(host);
    Open(page);
    const std::vector<bool> different{false, true, true};
    EXPECT_EQ(Checks(page.List(CommKindAddr)), different);

    struct Step {
        const char* button;
        std::vector<bool> contacts;
        std::vector<bool> notes;
    };
    const Step steps[] = {
        {"btnSelAll", {true, true, true}, {true, true}},
        {"btnSelDiff", different, {false, true}},
        {"btnClear", {false, false, false}, {false, false}},
        {"btnSelDiff", different, {false, true}},
    };
    for (const Step& step : steps) {
        Click(page, step.button);
        EXPECT_EQ(Checks(page.List(CommKindAddr)), step.contacts) << step.button;
        EXPECT_EQ(Checks(page.List(CommKindNote)), step.notes) << step.button;
        EXPECT_EQ(Checks(page.List(CommKindDate)), std::vector<bool>{step.contacts[0]}) << step.button;
    }
}

TEST_F(ReviewPage, NextWithNothingCheckedStillMigratesAndPicksNothing) {
    WriteAll({palm::Contact(1, "Anna", "Berg", "Acme")});
    TfmPDData page(host);
    Open(page);
    // A pick of an earlier Next is forgotten.
    GetAdapterTable().SelectedAddr()->Add(GetAdapterTable().SelectedAddr()->GetFirst());
    Click(page, "btnClear");
    ASSERT_TRUE(page.Commit());
    EXPECT_EQ(Picked(), 0);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"Start migrating information to Outlook ...",
                                                    "Migrating information to Outlook completed successfully."}));
    for (int kind = 0; kind < CommKindCount; ++kind) EXPECT_EQ(GetMigratedCount(kind), 0);
    EXPECT_EQ(StoreFiles("Contacts"), 0u);
}

TEST_F(ReviewPage, ASecondRunWithoutContactsMigratesNoContact) {
    WriteAll({palm::Contact(1, "Anna", "Berg", "Acme")});
    ASSERT_TRUE(Load());
    TfmPDData page(host);
    page.Prepare();
    ASSERT_TRUE(page.Commit());
    EXPECT_EQ(GetMigratedCount(CommKindAddr), 1);

    WriteKind(Kind::Address, {palm::Contact(1, "Anna", "Berg", "Acme"), palm::Contact(2, "Bo", "Lind", "Beta")});
    WriteKind(Kind::Memo, {palm::Memo(1, "Shopping\r\nmilk"), palm::Memo(2, "Ideas")});
    AppSettings().SyncAddr = 0;
    ASSERT_TRUE(Load());
    page.Prepare();
    EXPECT_FALSE(page.findChild<QTabWidget*>("pData")->isTabVisible(CommKindAddr));
    ASSERT_TRUE(page.Commit());
    EXPECT_EQ(GetAdapterTable().SelectedAddr()->GetCount(), 0u);
    EXPECT_EQ(GetMigratedCount(CommKindAddr), 0);
    EXPECT_EQ(GetMigratedCount(CommKindNote), 1);
    EXPECT_EQ(StoreFiles("Contacts"), 1u);
}

TEST_F(ReviewPage, RefreshReadsTheChangedFileAgainAndComparesIt) {
    WriteAll({palm::Contact(1, "Anna", "Berg", "Acme")});
    TfmPDData page(host);
    Open(page);
    EXPECT_EQ(Checks(page.List(CommKindAddr)), std::vector<bool>{true});

    ASSERT_TRUE(page.Commit());  // Anna is in Outlook now
    ASSERT_TRUE(Load());
    page.Prepare();
    EXPECT_EQ(Checks(page.List(CommKindAddr)), std::vector<bool>{false});

    // Bo's status word in the file says nothing changed; Outlook lacks him,
    // so he is New after the refresh, and Anna stays Same.
    WriteKind(Kind::Address, {palm::Contact(1, "Anna", "Berg", "Acme"), palm::Contact(2, "Bo", "Lind", "Beta")});
    Click(page, "btnRefresh");
    EXPECT_EQ(Column(page.List(CommKindAddr), 0), (std::vector<std::string>{"Anna Berg", "Bo Lind"}));
    EXPECT_EQ(Checks(page.List(CommKindAddr)), (std::vector<bool>{false, true}));
    EXPECT_EQ(CountText(page, "lblAddrCount"), "2 Contact records in total");

    // A file that cannot be read any more is not reported; the list shows
    // what is left.
    std::filesystem::remove(dir.File("memopad.dat"));
    Click(page, "btnRefresh");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(page.List(CommKindNote)->topLevelItemCount(), 0);
    EXPECT_EQ(CountText(page, "lblNoteCount"), "0 Note records in total");
    EXPECT_EQ(page.List(CommKindAddr)->topLevelItemCount(), 2);
}

// The sample sets of both file generations: every record listed, named and
// checked, and every checked one in Outlook after Next.
TEST_F(ReviewPage, TheSampleFilesOfBothGenerationsListAndMigrateWhole) {
    for (palmdat::Format format : {palmdat::Format::Earlier, palmdat::Format::V414}) {
        const std::string folder = dir.Path() + (format == palmdat::Format::V414 ? "v414/" : "earlier/");
        std::filesystem::create_directories(folder);
        ASSERT_TRUE(palmdat::WriteSample(folder, format));
        Settings& s = AppSettings();
        s.PDUseAddrFile = s.PDUseDateFile = s.PDUseTaskFile = s.PDUseNoteFile = 1;
        char* names[] = {s.PDAddrFileName, s.PDDateFileName, s.PDTaskFileName, s.PDNoteFileName};
        const Kind kinds[] = {Kind::Address, Kind::Datebook, Kind::Todo, Kind::Memo};
        for (int kind = 0; kind < CommKindCount; ++kind)
            platform::CopyText(names[kind], sizeof s.PDAddrFileName, folder + palmdat::FileName(kinds[kind]));
        TfmPDData page(host);
        Open(page);
        std::size_t checked = 0;
        for (int kind = 0; kind < CommKindCount; ++kind) {
            QTreeWidget* list = page.List(kind);
            ASSERT_GT(list->topLevelItemCount(), 0) << kind;
            EXPECT_EQ(static_cast<std::size_t>(list->topLevelItemCount()), page.Records(kind).size());
            for (bool c : Checks(list)) checked += c;
        }
        for (int row = 0; row < page.List(CommKindAddr)->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = page.List(CommKindAddr)->topLevelItem(row);
            EXPECT_FALSE(item->text(0).isEmpty() && item->text(3).isEmpty()) << row;
            EXPECT_FALSE(item->text(0).contains(QChar::ReplacementCharacter)) << row;
        }
        ASSERT_TRUE(page.Commit());
        EXPECT_EQ(static_cast<std::size_t>(Picked()), checked);
        int migrated = 0;
        for (int kind = 0; kind < CommKindCount; ++kind) {
            migrated += GetMigratedCount(kind);
            EXPECT_EQ(GetFailedCount(kind), 0) << kind;
        }
        EXPECT_EQ(static_cast<std::size_t>(migrated), checked);
        EXPECT_TRUE(Messages().empty());
    }
}

// A page of a helper application, on adapters that load what the test plans.
TEST_F(ReviewPage, HelperPagesRefreshByLoadingAgainExceptGoogle) {
    fwtest::RegisterFakes<kAppACT>();
    fwtest::RegisterFakes<kAppGoogle>();
    for (int app : {kAppACT, kAppGoogle}) {
        fwtest::Plans()[{app, CommKindAddr}].records = {"Anna=Acme"};
        fwtest::Plans()[{app, CommKindDate}].records = {"Standup=Room 1"};
    }
    AppSettings().SyncTask = AppSettings().SyncNote = 0;
    TfmACTData act(host);
    TfmGGData google(host);
    // Without adapters the lists stay empty.
    act.Prepare();
    EXPECT_EQ(act.List(CommKindAddr)->topLevelItemCount(), 0);
    for (int app : {kAppACT, kAppGoogle}) ASSERT_TRUE(LoadApplication(HandleOf(&host.window), app, kAppNone));

    for (TfmDataPage* page : {static_cast<TfmDataPage*>(&act), static_cast<TfmDataPage*>(&google)}) {
        page->show();
        page->Prepare();
        EXPECT_EQ(Column(page->List(CommKindDate), 4), std::vector<std::string>{"Room 1"});
    }
    for (int app : {kAppACT, kAppGoogle}) fwtest::Plans()[{app, CommKindAddr}].records = {"Anna=Acme", "Bo=Beta"};
    fwtest::Journal().clear();
    Click(act, "btnRefresh");
    Click(google, "btnRefresh");
    EXPECT_EQ(fwtest::Journal(), (std::vector<std::string>{
                                     "1:0 clear", "1:0 configure " + dir.Path() + "share/norrbek/FRWY/", "1:0 load",
                                     "1:1 clear", "1:1 configure " + dir.Path() + "share/norrbek/FRWY/", "1:1 load"}));
    EXPECT_EQ(act.List(CommKindAddr)->topLevelItemCount(), 2);
    EXPECT_EQ(google.List(CommKindAddr)->topLevelItemCount(), 1);
    EXPECT_TRUE(Messages().empty());
}

class DetailProbe : public TfmPDData {
public:
    using TfmPDData::TfmPDData;
    std::vector<std::pair<int, CommRecordRef>> opened;

protected:
    void OpenDetail(int kind, const CommRecordRef& record) override { opened.emplace_back(kind, record); }
};

TEST_F(ReviewPage, KeyboardAndMouseReachEveryControl) {
    WriteAll({palm::Contact(1, "Anna", "Berg", "Acme"), palm::Contact(2, "Bo", "Lind", "Beta")});
    ASSERT_TRUE(Load());
    DetailProbe page(host);
    page.resize(800, 500);
    page.show();
    QApplication::setActiveWindow(&page);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    page.Prepare();
    QTreeWidget* list = page.List(CommKindAddr);

    // Tab walks the tabs, the list and the buttons in reading order.
    auto* tabBar = page.findChild<QTabWidget*>("pData")->tabBar();
    tabBar->setFocus();
    std::vector<std::string> order;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        order.push_back(focus ? focus->objectName().toStdString() : "<none>");
    }
    EXPECT_EQ(order, (std::vector<std::string>{"lvAddr", "btnRefresh", "btnSelAll", "btnClear", "btnSelDiff"}));

    // Space toggles the check box of the current item.
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(1));
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(Checks(list), (std::vector<bool>{true, false}));
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(Checks(list), (std::vector<bool>{true, true}));

    // Alt+R refreshes (the button shows its press first).
    QSignalSpy refreshed(page.findChild<QPushButton*>("btnRefresh"), &QPushButton::clicked);
    QTest::keyClick(&page, Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(refreshed.count() == 1 || refreshed.wait(2000));

    // A double-click opens the record's detail.
    list = page.List(CommKindAddr);
    const QRect row = list->visualItemRect(list->topLevelItem(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    ASSERT_EQ(page.opened.size(), 1u);
    EXPECT_EQ(page.opened[0].first, CommKindAddr);
    EXPECT_EQ(page.opened[0].second, page.Records(CommKindAddr)[1]);
}

}  // namespace
