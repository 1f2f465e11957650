// Takes a picture of every page and dialog of the wizard: the Palm Desktop
// run through all its pages on generated sample files (the review page with
// its coloured records, a detail window of each kind, the finish page with
// its counts), the option pages of the other sources, the two diagnostics
// dialogs and the contacts field map. Each picture is read
// back and checked for the size of what it shows.
// Usage: wizard_shots <output folder>
// Everything the run keeps (settings, logs, the Outlook store, the sample
// files) goes to "<output folder>/work", never to the user's own folders.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <type_traits>
#include <variant>

#include "app/AdapterTable.h"
#include "app/AppCommon.h"
#include "app/AppIds.h"
#include "app/wizard/TfmAddrFieldMap.h"
#include "app/wizard/TfmDebug.h"
#include "app/wizard/TfmDetailWindows.h"
#include "app/wizard/TfmDump.h"
#include "app/wizard/TfmMain.h"
#include "app/wizard/TfmPage.h"
#include "app/wizard/TfmSource.h"
#include "common/records/CommAddrMgr.h"
#include "common/records/CommDateMgr.h"
#include "common/records/CommNoteMgr.h"
#include "common/records/CommTaskMgr.h"
#include "platform/ui/RecordingUserInterface.h"
#include "tools/palmdat/PalmDatWriter.h"

namespace fs = std::filesystem;

namespace {

int g_failures = 0;

// Saves a picture of a shown widget and checks it: a PNG of the widget's own
// size, not empty.
void Shoot(QWidget& widget, const fs::path& file, QSize expected = QSize()) {
    QApplication::processEvents();
    const QPixmap picture = widget.grab();
    const QSize want = expected.isValid() ? expected : widget.size();
    const bool saved = picture.save(QString::fromStdString(file.string()), "PNG");
    const QImage read(QString::fromStdString(file.string()));
    if (!saved || read.isNull() || read.size() != want || fs::file_size(file) < 2000) {
        std::fprintf(stderr, "wizard_shots: %s is %dx%d, expected %dx%d\n", file.filename().c_str(), read.width(),
                     read.height(), want.width(), want.height());
        ++g_failures;
        return;
    }
    std::printf("%s %dx%d\n", file.filename().c_str(), read.width(), read.height());
}

// The settings of a Palm Desktop run on the sample files, chosen by name.
void WriteSettings(const fs::path& dataHome, const fs::path& palm) {
    const fs::path folder = dataHome / "norrbek" / "FRWY";
    fs::create_directories(folder);
    std::ofstream ini(folder / "FRWY.ini");
    ini << "[FRWY]\nSourceApp=5\nSyncAddr=1\nSyncDate=1\nSyncTask=1\nSyncNote=1\n"
        << "PDUseAddrFile=1\nPDAddrFileName=" << (palm / "address.dat").string() << "\n"
        << "PDUseDateFile=1\nPDDateFileName=" << (palm / "datebook.dat").string() << "\n"
        << "PDUseTaskFile=1\nPDTaskFileName=" << (palm / "todo.dat").string() << "\n"
        << "PDUseNoteFile=1\nPDNoteFileName=" << (palm / "memopad.dat").string() << "\n";
}

// Shows a window and waits until the display shows it.
void Expose(QWidget& widget) {
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget)) {
        std::fprintf(stderr, "wizard_shots: the window \"%s\" was not shown\n", qPrintable(widget.windowTitle()));
        ++g_failures;
    }
}

// Shows one page of the main window in place of the current one.
void ShowPage(TfmMain& main, TfmMain::PageId id) {
    for (int i = 0; i < TfmMain::PageCount; ++i)
        if (TfmPage* page = main.Page(static_cast<TfmMain::PageId>(i))) page->setVisible(i == id);
}

// The detail window of each kind on a record of the loaded Palm Desktop
// sample: a contact, a weekly event on its "Recurrence" tab, a completed
// to-do and the text of a memo.
void ShootDetails(QWidget& owner, const fs::path& out) {
    struct Shot {
        int kind;
        std::size_t record;
        const char* tab;  // shown instead of the first one, or null
        const char* file;
    };
    const Shot shots[] = {{CommKindAddr, 0, nullptr, "detail-contact.png"},
                          {CommKindDate, 2, "tRecurrence", "detail-calendar.png"},
                          {CommKindTask, 3, nullptr, "detail-task.png"},
                          {CommKindNote, 1, "tNotes", "detail-note.png"}};
    for (const Shot& shot : shots) {
        AppAdapter* adapter = GetAdapterTable().Get(kAppPalm, shot.kind);
        std::unique_ptr<TfmRecordDetail> window = CreateDetailWindow(kAppPalm, shot.kind, &owner);
        if (adapter == nullptr || window == nullptr) {
            std::fprintf(stderr, "wizard_shots: no Palm Desktop records of kind %d\n", shot.kind);
            ++g_failures;
            continue;
        }
        CommRecordRef record;
        std::visit(
            [&](auto list) {
                if constexpr (std::is_pointer_v<decltype(list)>)
                    if (list != nullptr && shot.record < list->GetRecordCount())
                        record = list->GetRecordAt(shot.record);
            },
            adapter->GetList());
        window->Bind(adapter);
        if (!window->ShowRecord(record)) {
            std::fprintf(stderr, "wizard_shots: %s shows no record\n", shot.file);
            ++g_failures;
            continue;
        }
        if (shot.tab != nullptr)
            if (auto* tabs = window->findChild<QTabWidget*>("pDetail"))
                tabs->setCurrentWidget(tabs->findChild<QWidget*>(shot.tab));
        Expose(*window);
        Shoot(*window, out / shot.file);
        window->close();
    }
}

// The contacts field map dialog of the Palm Desktop run, two slots mapped
// (the catalogue of the 4.1.4 contacts file chosen: 3 "Company", 4 "Job
// Title").
void ShootFieldMap(QWidget& owner, const fs::path& file) {
    Settings& s = AppSettings();
    s.PDCustomID[1] = 3;
    s.PDCustomID[2] = 4;
    TfmAddrFieldMap dialog(kAppPalm, &owner);
    Expose(dialog);
    Shoot(dialog, file);
    dialog.close();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: wizard_shots <output folder>\n");
        return 2;
    }
    const fs::path out = fs::absolute(argv[1]);
    const fs::path work = out / "work";
    fs::remove_all(work);
    fs::create_directories(work / "home");
    qputenv("HOME", QByteArray::fromStdString((work / "home").string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((work / "share").string()));
    qputenv("WINEPREFIX", QByteArray::fromStdString((work / "wine").string()));
    qputenv("FRWY_OUTLOOK_STORE", QByteArray::fromStdString((work / "store").string()));
    qputenv("FRWY_WAIT_WINDOW", "none");

    const fs::path palm = work / "palm";
    fs::create_directories(palm);
    std::string error;
    if (!palmdat::WriteSample(palm.string(), palmdat::Format::V414, &error)) {
        std::fprintf(stderr, "wizard_shots: %s\n", error.c_str());
        return 1;
    }
    WriteSettings(work / "share", palm);

    QApplication app(argc, argv);
    // Messages are recorded, not shown: nothing may wait for a click.
    platform::RecordingUserInterface ui;
    platform::ScopedUserInterface uiScope(&ui);
    {
        TfmMain main;
        Expose(main);
        const QSize client(794, 594);

        // The Palm Desktop run, page by page, as a user goes through it.
        Shoot(main, out / "01-source.png", client);
        main.GoNext();
        Shoot(main, out / "02-outlook-options.png", client);
        main.GoNext();
        Shoot(main, out / "03-palm-options.png", client);
        main.GoNext();
        Shoot(main, out / "04-palm-review.png", client);
        ShootDetails(main, out);
        main.GoNext();
        Shoot(main, out / "05-finish.png", client);

        // The other sources' option pages, reached the same way.
        struct Source {
            QRadioButton* TfmSource::*button;
            const char* name;
            int pages;
        };
        auto* source = static_cast<TfmSource*>(main.Page(TfmMain::PageSource));
        const Source sources[] = {
            {&TfmSource::rbtnACT, "act", 1}, {&TfmSource::rbtnGG, "google", 1}, {&TfmSource::rbtnLN, "lotus", 2}};
        for (const Source& s : sources) {
            main.RestartWizard();
            (source->*(s.button))->click();
            main.GoNext();  // the Outlook page
            for (int page = 1; page <= s.pages; ++page) {
                main.GoNext();
                Shoot(main, out / ("06-" + std::string(s.name) + "-options-" + std::to_string(page) + ".png"), client);
            }
        }
        // The review pages the other sources lead to, empty without their data.
        const std::pair<TfmMain::PageId, const char*> reviews[] = {
            {TfmMain::PageACTData, "act"}, {TfmMain::PageGGData, "google"}, {TfmMain::PageLNData, "lotus"}};
        for (const auto& [id, name] : reviews) {
            ShowPage(main, id);
            Shoot(main, out / ("07-" + std::string(name) + "-review.png"), client);
        }

        TfmDebug options(&main);
        Expose(options);
        Shoot(options, out / "08-debug-options.png");
        options.close();

        platform::ErrorReportInfo info;
        info.logFolder = (work / "share" / "norrbek" / "FRWY").string() + "/";
        info.logFile = info.logFolder + "appdebug.log";
        TfmDump report(info, &main);
        Expose(report);
        Shoot(report, out / "09-error-report.png");
        report.close();

        ShootFieldMap(main, out / "10-field-map.png");
    }
    for (const auto& call : ui.Calls(platform::RecordingUserInterface::Kind::MessageBox))
        std::fprintf(stderr, "wizard_shots: message \"%s\"\n", call.text.c_str());
    return g_failures == 0 ? 0 : 1;
}
