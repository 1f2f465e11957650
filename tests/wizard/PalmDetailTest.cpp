// The Palm Desktop detail windows on the sample data of all three file
// generations, loaded by the real record sets, and their opening by a
// double-click on the review page.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <memory>
#include <string>

#include "app/AppCommon.h"
#include "app/wizard/TfmDataPage.h"
#include "app/wizard/TfmDetailWindows.h"
#include "app/wizard/WindowHandle.h"
#include "platform/text/TextCopy.h"
#include "tests/app/FakeAdapters.h"
#include "tests/support/TimeZone.h"
#include "tests/wizard/DetailWindowSupport.h"
#include "tests/wizard/ModalAnswers.h"
#include "tests/wizard/WizardFixture.h"
#include "tools/jetfixture/PalmSamples.h"
#include "tools/palmdat/PalmDatWriter.h"

namespace {

enum class Generation { Earlier, V414, V6 };

class PalmDetail : public fwtest::WizardFixture {
protected:
    PalmDetail() {
        Settings& s = AppSettings();
        s.SyncAddr = s.SyncDate = s.SyncTask = s.SyncNote = 1;
    }

    // Writes the sample files of a generation (contacts with the custom
    // labels "Shoe size" and "Spouse") and loads them.
    void LoadSample(Generation generation) {
        const std::string folder = dir.Path() + "palm" + std::to_string(static_cast<int>(generation)) + "/";
        std::filesystem::create_directories(folder);
        std::string names[CommKindCount];
        if (generation == Generation::V6) {
            std::string error;
            ASSERT_TRUE(jetfixture::WritePalmSamples(folder, 12, error)) << error;
            const jetfixture::PalmKind kinds[] = {jetfixture::PalmKind::Contacts, jetfixture::PalmKind::Calendar,
                                                  jetfixture::PalmKind::Tasks, jetfixture::PalmKind::Memos};
            for (int kind = 0; kind < CommKindCount; ++kind)
                names[kind] = folder + jetfixture::PalmDatabaseFileName(kinds[kind]);
        } else {
            const palmdat::Format format =
                generation == Generation::V414 ? palmdat::Format::V414 : palmdat::Format::Earlier;
            ASSERT_TRUE(palmdat::WriteSample(folder, format));
            palmdat::DatFile contacts = palmdat::SampleFile(palmdat::Kind::Address, format);
            contacts.labelBlock = "Shoe size\nSpouse\nCustom 3\n\n";
            contacts.customLabels = {"Shoe size", "Spouse",   "",         "Custom 4", "Custom 5",
                                     "Custom 6",  "Custom 7", "Custom 8", "Custom 9"};
            ASSERT_TRUE(palmdat::Write(folder + palmdat::FileName(palmdat::Kind::Address), contacts));
            const palmdat::Kind kinds[] = {palmdat::Kind::Address, palmdat::Kind::Datebook, palmdat::Kind::Todo,
                                           palmdat::Kind::Memo};
            for (int kind = 0; kind < CommKindCount; ++kind) names[kind] = folder + palmdat::FileName(kinds[kind]);
        }
        Settings& s = AppSettings();
        s.PDUseAddrFile = s.PDUseDateFile = s.PDUseTaskFile = s.PDUseNoteFile = 1;
        char* settings[] = {s.PDAddrFileName, s.PDDateFileName, s.PDTaskFileName, s.PDNoteFileName};
        for (int kind = 0; kind < CommKindCount; ++kind)
            platform::CopyText(settings[kind], sizeof s.PDAddrFileName, names[kind]);
        ASSERT_TRUE(LoadApplications(HandleOf(&host.window), kAppPalm, kAppOutlook));
    }

    fwtest::ScopedTimeZone zone{fwtest::kUtcZone};
};

// The window of a kind filled with the record at `index` of the loaded
// list.
std::unique_ptr<TfmRecordDetail> Window(int kind, int index) {
    std::unique_ptr<TfmRecordDetail> window = CreateDetailWindow(kAppPalm, kind);
    AppAdapter* adapter = GetAdapterTable().Get(kAppPalm, kind);
    if (window == nullptr || adapter == nullptr) return nullptr;
    window->Bind(adapter);
    const auto row = static_cast<std::size_t>(index);
    CommListRef list = adapter->GetList();
    CommRecordRef record;
    if (auto* m = std::get_if<CommAddrMgr*>(&list)) record = (*m)->GetRecordAt(row);
    if (auto* m = std::get_if<CommDateMgr*>(&list)) record = (*m)->GetRecordAt(row);
    if (auto* m = std::get_if<CommTaskMgr*>(&list)) record = (*m)->GetRecordAt(row);
    if (auto* m = std::get_if<CommNoteMgr*>(&list)) record = (*m)->GetRecordAt(row);
    EXPECT_TRUE(window->ShowRecord(record)) << kind << " " << index;
    return window;
}

// What one control of one record's window shows: an edit's text ("=..."),
// its label ("label=..."), a tab shown or hidden ("shown"/"hidden"), a
// check ("checked"/"unchecked"), a list row ("row=first|second"), a
// tab's caption ("caption=...").
struct Expect {
    int kind;
    int index;
    const char* control;
    std::string what;
};

void Check(const QWidget& w, const Expect& e) {
    SCOPED_TRACE(std::string(e.control) + " " + e.what);
    const std::string& what = e.what;
    if (what == "shown" || what == "hidden") {
        EXPECT_EQ(fwtest::TabShown(w, e.control), what == "shown");
    } else if (what == "checked" || what == "unchecked") {
        auto* box = w.findChild<QAbstractButton*>(e.control);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->isChecked(), what == "checked");
    } else if (what.rfind("label=", 0) == 0) {
        EXPECT_EQ(fwtest::EditLabel(w, e.control), what.substr(6));
    } else if (what.rfind("caption=", 0) == 0) {
        EXPECT_EQ(fwtest::TabCaption(w, e.control), what.substr(8));
    } else if (what.rfind("row=", 0) == 0) {
        const std::size_t bar = what.find('|');
        const auto row = std::make_pair(what.substr(4, bar - 4), what.substr(bar + 1));
        const fwtest::ListedRows rows = fwtest::ListRows(w, e.control);
        EXPECT_NE(std::find(rows.begin(), rows.end(), row), rows.end());
    } else if (what.rfind("has=", 0) == 0) {
        EXPECT_NE(fwtest::EditText(w, e.control).find(what.substr(4)), std::string::npos);
    } else {
        EXPECT_EQ(fwtest::EditText(w, e.control), what.substr(1));
    }
}

void CheckAll(const std::vector<Expect>& expects) {
    for (const Expect& e : expects) {
        std::unique_ptr<TfmRecordDetail> window = Window(e.kind, e.index);
        ASSERT_NE(window, nullptr);
        SCOPED_TRACE("kind " + std::to_string(e.kind) + " record " + std::to_string(e.index));
        Check(*window, e);
    }
}

constexpr int A = CommKindAddr, D = CommKindDate, T = CommKindTask, N = CommKindNote;

// Both .dat generations: the sample writer's first contact is Zoë Müller with
// a work phone, an e-mail and a mobile; events, to-dos and memos vary by
// their index.
TEST_F(PalmDetail, TheDatGenerationsShowTheirOwnFields) {
    const std::vector<Expect> common = {
        {A, 0, "edtFirstName", "=Zoë"},
        {A, 0, "edtEnglishName", "=Zoë Müller"},
        {A, 0, "edtCompany", "=Société Müller"},
        {A, 0, "edtPhone1", "=+41 44 555 1001"},
        {A, 0, "edtPhone1", "label=Work Phone:"},
        {A, 0, "edtPhone2", "=contact1@example.org"},
        {A, 0, "edtPhone2", "label=E-mail:"},
        {A, 0, "edtPhone3", "label=Mobile Phone:"},
        {A, 0, "edtPrimary", "=Work Phone"},
        {A, 0, "edtCategory", "=Business"},
        {A, 0, "memStreetWork", "=1 Rue de l'Église"},
        {A, 0, "edtPostalWork", "=8001"},
        {A, 0, "edtCustom1", "=Größe L"},
        {A, 0, "edtCustom1", "label=Shoe size:"},
        {A, 0, "edtCustom2", "label=Spouse:"},
        {A, 0, "memNotes", "has=Met at the café in Malmö."},
        // A single timed event with an alarm.
        {D, 0, "edtDescription", "=Réunion d'équipe"},
        {D, 0, "edtDate", "=01/01/2026"},
        {D, 0, "edtStartTime", "=09:00:00"},
        {D, 0, "edtEndTime", "=10:00:00"},
        {D, 0, "cbAlarm", "checked"},
        {D, 0, "lvMisc", "row=Alarm Advance|15 minutes"},
        {D, 0, "tRecurrence", "hidden"},
        // Weekly on Monday, Wednesday and Friday until the end of 2026.
        {D, 2, "tRecurrence", "shown"},
        {D, 2, "tWeekly", "shown"},
        {D, 2, "tDaily", "hidden"},
        {D, 2, "cbMonday", "checked"},
        {D, 2, "cbTuesday", "unchecked"},
        {D, 2, "cbFriday", "checked"},
        {D, 2, "edtRangeStart", "=03/03/2026 11:00:00"},
        {D, 2, "edtEndBy", "=12/31/2026 00:00:00"},
        // Every second month on a weekday, without end (2031).
        {D, 3, "tMonthly", "shown"},
        {D, 3, "edtMonthlyEvery", "=2"},
        {D, 3, "rbByDay", "checked"},
        {D, 3, "rbNoEnd", "checked"},
        {D, 3, "edtEndBy", "="},
        // An untimed event: a day without times.
        {D, 4, "cbAllDay", "checked"},
        {D, 4, "edtDate", "=05/05/2026"},
        {D, 4, "edtStartTime", "="},
        {D, 4, "rbByDate", "checked"},
        {T, 0, "edtDescription", "=Rapport trimestriel"},
        {T, 0, "edtPriority", "=1"},
        {T, 0, "edtDueDate", "="},
        {T, 3, "cbCompleted", "checked"},
        {T, 3, "edtDueDate", "=05/04/2026"},
        {T, 5, "cbPrivate", "checked"},
        {N, 0, "memNotes", "has=Einkaufsliste"},
        {N, 6, "lvMisc", "row=Private|Yes"},
        {N, 0, "lvMisc", "row=Private|No"},
    };
    // The earlier format: five phones, one address captioned "Address",
    // four custom fields, no online tab, no location or category of events.
    LoadSample(Generation::Earlier);
    CheckAll(common);
    CheckAll({{A, 0, "edtPhone5", "="},
              {A, 0, "edtPhone6", "=<none>"},
              {A, 0, "tWork", "caption=Address"},
              {A, 0, "tHome", "hidden"},
              {A, 0, "tOnline", "hidden"},
              {A, 0, "edtCustom4", "label=Custom 4:"},
              {A, 0, "edtCustom5", "=<none>"},
              {D, 0, "edtLocation", "="}});
    // The 4.1.4 format: three addresses, instant messaging and a home page,
    // nine custom fields; a label the file leaves empty reads "Custom n".
    LoadSample(Generation::V414);
    CheckAll(common);
    CheckAll({{A, 0, "tOnline", "shown"},
              {A, 0, "tWork", "caption=Work"},
              {A, 0, "memStreetHome", "=Hauptstraße 1"},
              {A, 0, "edtIm1", "=im1"},
              {A, 0, "edtIm1", "label=AIM:"},
              {A, 0, "edtUrl", "=https://example.org/1"},
              {A, 0, "edtCustom3", "label=Custom 3:"},
              {A, 0, "edtCustom9", "="},
              {D, 0, "edtLocation", "=Zürich"},
              {D, 2, "edtCategory", "=Personal"},
              {T, 3, "edtCategory", "=Clubs & Vereine"},
              {N, 1, "lvMisc", "row=Category|Business"}});
}

// The 6.x databases: name parts, e-mail columns and phones by their label
// columns; repeat rules from their texts.
TEST_F(PalmDetail, TheNewestGenerationShowsItsColumns) {
    LoadSample(Generation::V6);
    CheckAll({{A, 0, "edtFirstName", "=Zoë"},
              {A, 0, "edtLastName", "=Müller"},
              {A, 0, "edtCompany", "=Ferrywise Ltd."},
              {A, 0, "edtPhone1", "=+41 44 555 1000"},
              {A, 0, "edtPhone4", "label=Home Phone:"},
              {A, 0, "edtPhone6", "=+48 12 555 3000"},
              {A, 0, "edtPhone6", "label=Mobile Phone:"},
              {A, 0, "edtEmail1", "=contact0@example.org"},
              {A, 0, "edtCityWork", "=Zürich"},
              {A, 0, "edtCustom1", "=Sprache: Deutsch"},
              {A, 0, "edtCustom1", "label=Custom 1:"},
              {A, 0, "tOnline", "shown"},
              {A, 4, "edtPrivate", "=Yes"},
              {D, 2, "edtDescription", "=Réunion n° 3"},
              {D, 2, "tWeekly", "shown"},
              {D, 2, "cbWednesday", "checked"},
              {D, 2, "cbThursday", "unchecked"},
              {D, 2, "rbNoEnd", "checked"},
              {D, 2, "lvMisc", "row=Repeated Event|W1 MO WE FR #0"},
              {D, 3, "edtWeeklyEvery", "=2"},
              {D, 3, "edtEndBy", "=12/31/2026 00:00:00"},
              {D, 0, "tRecurrence", "hidden"},
              {T, 2, "cbCompleted", "checked"},
              {T, 2, "edtDueDate", "=01/10/2024"},
              {T, 2, "lvMisc", "row=Complete Date|01/09/2024"},
              {N, 1, "lvMisc", "row=Category|Business"},
              {N, 5, "lvMisc", "row=Private|Yes"}});
}

// A double-click on a row opens the window of the row's kind on its record,
// modally; it is gone once closed. Outlook as the source has no window.
TEST_F(PalmDetail, ADoubleClickOpensTheWindowOfTheRow) {
    LoadSample(Generation::V414);
    TfmPDData page(host);
    page.resize(800, 500);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    page.Prepare();
    struct Case {
        int kind;
        int row;
        const char* window;
        const char* edit;
        const char* text;
    };
    const Case cases[] = {{A, 1, "TfmPDAddrDetail", "edtFirstName", "Anaïs"},
                          {D, 0, "TfmPDDateDetail", "edtDescription", "Réunion d'équipe"},
                          {T, 1, "TfmPDTaskDetail", "edtDescription", "Steuererklärung"},
                          {N, 0, "TfmPDNoteDetail", "memNotes", "Mémo 1"}};
    for (const Case& c : cases) {
        QTreeWidget* list = page.List(c.kind);
        QTreeWidgetItem* item = list->topLevelItem(c.row);
        ASSERT_NE(item, nullptr);
        std::string shown;
        {
            fwtest::ModalAnswers answers({[&](QWidget* modal) {
                shown = modal->objectName().toStdString() + " " + fwtest::EditText(*modal, c.edit);
                modal->findChild<QPushButton*>("btnClose")->click();
            }});
            page.findChild<QTabWidget*>("pData")->setCurrentIndex(c.kind);
            const QPoint at = list->visualItemRect(item).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        }
        EXPECT_EQ(shown.rfind(std::string(c.window) + " " + c.text, 0), 0u) << shown;
        EXPECT_TRUE(page.findChildren<TfmRecordDetail*>().empty());
    }

    // Outlook as the source: the same double-click opens nothing.
    ASSERT_TRUE(page.Commit());
    ASSERT_TRUE(LoadApplication(HandleOf(&host.window), kAppOutlook, kAppNone));
    TfmOLData outlook(host);
    outlook.resize(800, 500);
    outlook.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&outlook));
    outlook.Prepare();
    QTreeWidget* list = outlook.List(A);
    ASSERT_GT(list->topLevelItemCount(), 0);
    bool opened = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) opened = true, modal->close();
    });
    guard.start(500);
    const QPoint at = list->visualItemRect(list->topLevelItem(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(opened);
    EXPECT_TRUE(outlook.findChildren<TfmRecordDetail*>().empty());
}

}  // namespace
