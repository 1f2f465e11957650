#include "app/wizard/LogFilesBox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/AppCommon.h"
#include "app/wizard/WindowHandle.h"
#include "app/wizard/WizardServices.h"
#include "platform/file/Folder.h"

LogFilesBox::LogFilesBox(const QString& folder, const QString& file, QWidget* parent)
    : QWidget(parent),
      edtFolder(new QLineEdit(folder, this)),
      edtFile(new QLineEdit(file, this)),
      btnFolder(new QPushButton(QStringLiteral("Open Fo&lder"), this)),
      btnFile(new QPushButton(QStringLiteral("Open F&ile"), this)) {
    edtFolder->setObjectName(QStringLiteral("edtFolder"));
    edtFile->setObjectName(QStringLiteral("edtFile"));
    btnFolder->setObjectName(QStringLiteral("btnFolder"));
    btnFile->setObjectName(QStringLiteral("btnFile"));
    for (QLineEdit* edit : {edtFolder, edtFile}) {
        edit->setReadOnly(true);
        edit->setCursorPosition(0);
    }
    btnFolder->setAutoDefault(false);
    btnFile->setAutoDefault(false);
    const bool haveFolder = !folder.isEmpty();
    btnFolder->setEnabled(haveFolder);
    btnFile->setEnabled(haveFolder);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Log Folder:"), this), 0, 0);
    grid->addWidget(edtFolder, 0, 1);
    grid->addWidget(btnFolder, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Log File:"), this), 1, 0);
    grid->addWidget(edtFile, 1, 1);
    grid->addWidget(btnFile, 1, 2);
    grid->setColumnStretch(1, 1);
    setTabOrder(edtFolder, btnFolder);
    setTabOrder(btnFolder, edtFile);
    setTabOrder(edtFile, btnFile);

    connect(btnFolder, &QPushButton::clicked, this, &LogFilesBox::OpenFolder);
    connect(btnFile, &QPushButton::clicked, this, &LogFilesBox::OpenFile);
}

QString LogFilesBox::DataFolder() {
    char folder[260];
    return GetDataFolder(folder, sizeof folder) ? QString::fromUtf8(folder) : QString();
}

QString LogFilesBox::LogFileIn(const QString& folder) {
    return folder.isEmpty() ? QString() : folder + QStringLiteral("appdebug.log");
}

void LogFilesBox::OpenFolder() { CurrentWizardServices().OpenWithSystem(edtFolder->text()); }

void LogFilesBox::OpenFile() {
    const QString file = edtFile->text();
    if (!file.isEmpty() && platform::file::IsRegularFile(file.toStdString())) {
        CurrentWizardServices().OpenWithSystem(file);
        return;
    }
    platform::CurrentUserInterface().MessageBox(HandleOf(window()), "Debug log file doesn't exist", "Error",
                                                platform::MessageIcon::Information);
}
