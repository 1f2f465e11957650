#include "app/wizard/TfmLNOption.h"

#include "app/AppCommon.h"
#include "app/wizard/OptionWidgets.h"
#include "app/wizard/WindowHandle.h"

namespace {

// Asks for a file and puts it into the edit; a cancelled dialog changes nothing.
void BrowseInto(QWidget* page, QLineEdit* edit, wizard::PathLookup lookup, const QString& title,
                const QStringList& filters) {
    const QString chosen = wizard::AskForFile(page, title, filters, wizard::BrowseStart(edit, lookup));
    if (!chosen.isEmpty()) edit->setText(chosen);
}

// The export filters a database of each kind may be given as, after its
// Notes database filter.
QString DxlFilter() { return wizard::Filter(QStringLiteral("Notes DXL export"), QStringLiteral("*.dxl *.xml")); }
QString VCardFilter() { return wizard::Filter(QStringLiteral("vCard file"), QStringLiteral("*.vcf")); }
QString ICalendarFilter() { return wizard::Filter(QStringLiteral("iCalendar file"), QStringLiteral("*.ics")); }

// The Notes data folder (that of the address book), where a mail database
// browse starts when its edit is empty.
bool NotesDataFolderPath(char* buffer, std::size_t size) {
    if (!GetNotesAddressBookPath(buffer, size)) return false;
    char* cut = nullptr;
    for (char* c = buffer; *c != '\0'; ++c)
        if (*c == '/' || *c == '\\') cut = c;
    if (cut != nullptr) cut[1] = '\0';
    return true;
}

}  // namespace

// ---- first page: program, id file and password ----

TfmLNOption1::TfmLNOption1(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {
    setObjectName(QStringLiteral("fmLNOption1"));
    auto* layout = new QVBoxLayout(this);
    wizard::AddHeading(layout, QStringLiteral("Please specify Lotus Notes access options (1 of 2):"));
    auto* grid = new QGridLayout;
    const wizard::EditRow program =
        wizard::AddEditRow(grid, 0, QStringLiteral("Notes.exe Path:"), "edtNotesPath", "btnNotesBrowse");
    edtNotesPath = program.edit;
    btnNotesBrowse = program.browse;
    lblNotesVersion = wizard::AddVersionRow(grid, 1, QStringLiteral("Lotus Notes Version:"), "lblNotesVersion");
    const wizard::EditRow id =
        wizard::AddEditRow(grid, 2, QStringLiteral("User ID File:"), "edtIDFile", "btnIDFileBrowse");
    edtIDFile = id.edit;
    btnIDFileBrowse = id.browse;
    cbLNPassword = wizard::MakeCheckBox(QStringLiteral("Password Required:"), "cbLNPassword");
    edtLNPassword = new QLineEdit;
    edtLNPassword->setObjectName(QStringLiteral("edtLNPassword"));
    wizard::MaskPassword(edtLNPassword);
    grid->addWidget(cbLNPassword, 3, 0);
    grid->addWidget(edtLNPassword, 3, 1);
    cbLNSavePassword = wizard::MakeCheckBox(QStringLiteral("Save the Password"), "cbLNSavePassword");
    grid->addWidget(cbLNSavePassword, 4, 1);
    layout->addLayout(grid);
    layout->addStretch(1);
    wizard::ChainTabOrder(
        {edtNotesPath, btnNotesBrowse, edtIDFile, btnIDFileBrowse, cbLNPassword, edtLNPassword, cbLNSavePassword});

    connect(btnNotesBrowse, &QPushButton::clicked, this, &TfmLNOption1::BrowseProgram);
    connect(btnIDFileBrowse, &QPushButton::clicked, this, &TfmLNOption1::BrowseIdFile);
}

void TfmLNOption1::Prepare() {
    Settings& s = AppSettings();
    if (s.LNAppName[0] == '\0') GetNotesProgramPath(s.LNAppName, sizeof s.LNAppName);
    edtNotesPath->setText(wizard::SettingText(s.LNAppName));
    wizard::ShowVersion(lblNotesVersion, GetNotesVersionText(), QStringLiteral("Unknown"));
    if (s.LNIDFile[0] == '\0') GetNotesIdFilePath(s.LNIDFile, sizeof s.LNIDFile);
    edtIDFile->setText(wizard::SettingText(s.LNIDFile));
    cbLNPassword->setChecked(s.LNNeedPassword != 0);
    cbLNSavePassword->setChecked(s.LNSavePassword != 0);
    edtLNPassword->setText(wizard::SettingText(s.LNPassword));
}

bool TfmLNOption1::Commit() {
    // Lotus Notes data is read here without the Notes program: only a
    // program that is named must exist.
    const QString program = edtNotesPath->text();
    if (!program.isEmpty() && !wizard::FileExists(program)) {
        wizard::ShowPageMessage(this, "Invalid path for Lotus Notes note.exe. Lotus Notes executable not found.");
        edtNotesPath->setFocus();
        return false;
    }
    Settings& s = AppSettings();
    if (!program.isEmpty()) wizard::StoreText(s.LNAppName, program, 255);
    if (!edtLNPassword->text().isEmpty()) wizard::StoreText(s.LNPassword, edtLNPassword->text(), 63);
    if (!edtIDFile->text().isEmpty()) wizard::StoreText(s.LNIDFile, edtIDFile->text(), 255);
    s.LNNeedPassword = cbLNPassword->isChecked() ? 1 : 0;
    s.LNSavePassword = cbLNSavePassword->isChecked() ? 1 : 0;
    return true;
}

void TfmLNOption1::BrowseProgram() {
    BrowseInto(this, edtNotesPath, &GetNotesProgramPath, QStringLiteral("Open Lotus Notes executable file"),
               {wizard::Filter(QStringLiteral("Lotus Notes executable file (notes.exe)"), QStringLiteral("*.exe"))});
}

void TfmLNOption1::BrowseIdFile() {
    BrowseInto(this, edtIDFile, &GetNotesIdFilePath, QStringLiteral("Open Lotus Notes user ID file"),
               {wizard::Filter(QStringLiteral("Lotus Notes user ID file (user.id)"), QStringLiteral("*.id")),
                wizard::Filter(QStringLiteral("All Files(*.*)"), QStringLiteral("*.*"))});
}

// ---- second page: the databases ----

TfmLNOption2::TfmLNOption2(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {
    setObjectName(QStringLiteral("fmLNOption2"));
    auto* layout = new QVBoxLayout(this);
    wizard::AddHeading(layout, QStringLiteral("Please specify Lotus Notes access options (2 of 2):"));
    auto* grid = new QGridLayout;
    // Each database: its explanation above its edit.
    auto addRow = [grid](int row, const QString& note, const char* noteName, const char* editName,
                         const char* buttonName) {
        auto* label = new QLabel(note);
        label->setObjectName(QLatin1String(noteName));
        label->setWordWrap(true);
        grid->addWidget(label, row, 0, 1, 2);
        const wizard::EditRow r = wizard::AddEditRow(grid, row + 1, QString(), editName, buttonName);
        label->setBuddy(r.edit);
        return r;
    };
    const wizard::EditRow addr = addRow(0,
                                        QStringLiteral("Address book database (example: [some path]\\name.nsf, or "
                                                       "[Server]!![Database file] for remote address book) ,"),
                                        "lblLNAddr", "edtLNAddrPath", "btnLNAddrBrowse");
    edtLNAddrPath = addr.edit;
    btnLNAddrBrowse = addr.browse;
    const wizard::EditRow mail =
        addRow(2,
               QStringLiteral("Calendar and Todo (Mail) database (format: [Server]!![Database], "
                              "example: Primary1/Org1!!mail/mydb.nsf) "),
               "lblLNDB", "edtLNDBPath", "btnLNDBBrowse");
    edtLNDBPath = mail.edit;
    btnLNDBBrowse = mail.browse;
    const wizard::EditRow notebook =
        addRow(4, QStringLiteral("Notebook database path (example: some path\\notebook.nsf)"), "lblLNNote",
               "edtLNNotePath", "btnLNNoteBrowse");
    edtLNNotePath = notebook.edit;
    btnLNNoteBrowse = notebook.browse;
    layout->addLayout(grid);
    // Lotus Notes offers no user-defined field mapping in this wizard.
    wizard::HideMappingBox(
        wizard::AddMappingBox(layout, QStringLiteral("Enable Lotus Notes Contacts User-Defined Field Mapping")));
    layout->addStretch(1);
    wizard::ChainTabOrder({edtLNAddrPath, btnLNAddrBrowse, edtLNDBPath, btnLNDBBrowse, edtLNNotePath, btnLNNoteBrowse});

    connect(btnLNAddrBrowse, &QPushButton::clicked, this, &TfmLNOption2::BrowseAddressBook);
    connect(btnLNDBBrowse, &QPushButton::clicked, this, &TfmLNOption2::BrowseMailDatabase);
    connect(btnLNNoteBrowse, &QPushButton::clicked, this, &TfmLNOption2::BrowseNotebook);
}

void TfmLNOption2::Prepare() {
    Settings& s = AppSettings();
    if (s.LNAddrName[0] == '\0') GetNotesAddressBookPath(s.LNAddrName, sizeof s.LNAddrName);
    if (s.LNNoteName[0] == '\0') GetNotesNotebookPath(s.LNNoteName, sizeof s.LNNoteName);
    edtLNAddrPath->setText(wizard::SettingText(s.LNAddrName));
    edtLNDBPath->setText(wizard::SettingText(s.LNDateName));
    edtLNNotePath->setText(wizard::SettingText(s.LNNoteName));
    const bool contacts = s.SyncAddr != 0;
    edtLNAddrPath->setEnabled(contacts);
    btnLNAddrBrowse->setEnabled(contacts);
    const bool mail = s.SyncDate != 0 || s.SyncTask != 0;
    edtLNDBPath->setEnabled(mail);
    btnLNDBBrowse->setEnabled(mail);
}

bool TfmLNOption2::Commit() {
    Settings& s = AppSettings();
    if (!edtLNAddrPath->text().isEmpty()) wizard::StoreText(s.LNAddrName, edtLNAddrPath->text(), 255);
    if (!edtLNDBPath->text().isEmpty()) wizard::StoreText(s.LNDateName, edtLNDBPath->text(), 255);
    if (!edtLNNotePath->text().isEmpty()) wizard::StoreText(s.LNNoteName, edtLNNotePath->text(), 255);
    return LoadApplications(HandleOf(Host().OwnerWindow()), kAppLotus, kAppOutlook);
}

void TfmLNOption2::BrowseAddressBook() {
    BrowseInto(
        this, edtLNAddrPath, &GetNotesAddressBookPath, QStringLiteral("Open Lotus Notes Contacts Database file"),
        {wizard::Filter(QStringLiteral("Lotus Notes Contacts Database file (names.nsf)"), QStringLiteral("*.nsf")),
         DxlFilter(), VCardFilter()});
}

void TfmLNOption2::BrowseMailDatabase() {
    BrowseInto(this, edtLNDBPath, &NotesDataFolderPath, QStringLiteral("Open Lotus Notes Mail Database file"),
               {wizard::Filter(QStringLiteral("Lotus Notes Mail Database file"), QStringLiteral("*.nsf")), DxlFilter(),
                ICalendarFilter()});
}

void TfmLNOption2::BrowseNotebook() {
    BrowseInto(
        this, edtLNNotePath, &GetNotesNotebookPath, QStringLiteral("Open Lotus Notes Notebook Database file"),
        {wizard::Filter(QStringLiteral("Lotus Notes Notebook Database file (notebook.nsf)"), QStringLiteral("*.nsf")),
         DxlFilter(), ICalendarFilter()});
}
