// Fills the Palm Desktop review page from large lists and works its
// selection buttons: 50,000 contacts, 20,000 events and tasks, and 5,000
// notes of 20,000 characters each, on Qt's offscreen platform. Prints the
// seconds of Prepare, Select All and Select Diff.
#include <QApplication>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "app/AppCommon.h"
#include "app/wizard/TfmDataPage.h"
#include "common/records/CommAddrMgr.h"
#include "common/records/CommDateMgr.h"
#include "common/records/CommNoteMgr.h"
#include "common/records/CommTaskMgr.h"
#include "platform/text/TextCopy.h"
#include "tools/bench/BenchClock.h"

namespace {

// An adapter that only holds a list.
template <class Mgr>
class ListAdapter : public AppAdapter {
public:
    bool Load(const AppLoadContext&) override { return true; }
    void Clear() override {}
    CommListRef GetList() override { return &mgr; }
    Mgr mgr;
};

class BenchHost : public WizardHost {
public:
    QWidget* OwnerWindow() override { return &window; }
    void SetStepCount(int) override {}
    void RestartWizard() override {}
    QWidget window;
};

template <class Rec, class Mgr, class F>
void Put(int kind, int count, F&& fill) {
    auto adapter = std::make_unique<ListAdapter<Mgr>>();
    auto rec = std::make_unique<Rec>();
    for (int i = 0; i < count; ++i) {
        std::memset(rec.get(), 0, sizeof *rec);
        fill(*rec, i);
        rec->Status = i % 3;
        adapter->mgr.AddRecord(rec.get());
    }
    GetAdapterTable().Put(kAppPalm, kind, std::move(adapter));
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int contacts = argc > 1 ? std::atoi(argv[1]) : 50000;
    Settings& s = AppSettings();
    s.SyncAddr = s.SyncDate = s.SyncTask = s.SyncNote = 1;
    Put<CommAddrRec, CommAddrMgr>(CommKindAddr, contacts, [](CommAddrRec& r, int i) {
        platform::CopyText(r.FirstName, "First" + std::to_string(i));
        platform::CopyText(r.LastName, "Last" + std::to_string(i % 997));
        platform::CopyText(r.Email, "p" + std::to_string(i) + "@example.org");
        platform::CopyText(r.Company, "Company " + std::to_string(i % 50));
    });
    Put<CommDateRec, CommDateMgr>(CommKindDate, 20000, [](CommDateRec& r, int i) {
        platform::CopyText(r.Subject, "Event " + std::to_string(i));
        r.Start = SYSTEMTIME{2026, 1, 1, 5, 8, 0, 0, 0};
        r.End = SYSTEMTIME{2026, 1, 1, 5, 9, 0, 0, 0};
    });
    Put<CommTaskRec, CommTaskMgr>(CommKindTask, 20000, [](CommTaskRec& r, int i) {
        platform::CopyText(r.Subject, "Task " + std::to_string(i));
        r.DueDate = 1767600000;
        std::memset(r.Note, 'n', sizeof r.Note - 1);
    });
    Put<CommNoteRec, CommNoteMgr>(CommKindNote, 5000,
                                  [](CommNoteRec& r, int) { std::memset(r.Note, 'x', sizeof r.Note - 1); });

    BenchHost host;
    TfmPDData page(host);
    const double prepare = Seconds([&] { page.Prepare(); });
    const double all = Seconds([&] { page.findChild<QPushButton*>("btnSelAll")->click(); });
    const double diff = Seconds([&] { page.findChild<QPushButton*>("btnSelDiff")->click(); });
    std::printf("review page: %d contacts, 20000 events, 20000 tasks, 5000 notes\n", contacts);
    std::printf("  Prepare      %.3f s\n  Select All   %.3f s\n  Select Diff  %.3f s\n", prepare, all, diff);
    GetAdapterTable().DestroyAll();
    return 0;
}
