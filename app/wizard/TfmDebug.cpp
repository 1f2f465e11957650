#include "app/wizard/TfmDebug.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppCommon.h"
#include "app/wizard/LogFilesBox.h"
#include "app/wizard/ProductLinks.h"
#include "app/wizard/TfmPicture.h"
#include "app/wizard/WizardServices.h"
#include "common/misc/CxDebugUtil.h"

TfmDebug::TfmDebug(QWidget* parent)
    : QDialog(parent),
      imgProduct(new TfmPicture(TfmPicture::Kind::ProductText, this)),
      cbEnable(new QCheckBox(QStringLiteral("Enable Debug Log"), this)),
      cbxLevel(new QComboBox(this)),
      btnOK(new QPushButton(QStringLiteral("&OK"), this)),
      btnCancel(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setWindowTitle(QStringLiteral("Ferrywise Debug Log Options"));
    setObjectName(QStringLiteral("TfmDebug"));
    const QString folder = LogFilesBox::DataFolder();
    logFiles = new LogFilesBox(folder, LogFilesBox::LogFileIn(folder), this);

    imgProduct->setObjectName(QStringLiteral("imgProduct"));
    imgProduct->setFixedSize(220, 70);
    imgProduct->SetClickable(true);
    connect(imgProduct, &TfmPicture::clicked, this, [] { CurrentWizardServices().OpenWithSystem(ProductPage()); });

    const Settings& s = AppSettings();
    cbEnable->setObjectName(QStringLiteral("cbEnable"));
    cbEnable->setChecked(s.EnableDebug != 0);
    cbxLevel->setObjectName(QStringLiteral("cbxLevel"));
    cbxLevel->addItems({QStringLiteral("Critical - Only log critical error information."),
                        QStringLiteral("High - Log high level debug information."),
                        QStringLiteral("Low - Log very detail debug information.")});
    cbxLevel->setCurrentIndex(EntryOfLevel(s.LogLevel));

    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &TfmDebug::accept);
    connect(btnCancel, &QPushButton::clicked, this, &TfmDebug::reject);

    auto* levelLabel = new QLabel(QStringLiteral("Set Debug Level:"), this);
    levelLabel->setBuddy(cbxLevel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(imgProduct);
    layout->addWidget(logFiles);
    layout->addSpacing(8);
    layout->addWidget(cbEnable);
    layout->addWidget(levelLabel);
    layout->addWidget(cbxLevel);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(520);

    setTabOrder(logFiles->btnFile, cbEnable);
    setTabOrder(cbEnable, cbxLevel);
    setTabOrder(cbxLevel, btnOK);
    setTabOrder(btnOK, btnCancel);
}

int TfmDebug::LevelOfEntry(int index) {
    switch (index) {
    case 0: return kLogCritical;
    case 1: return kLogHigh;
    default: return kLogLow;
    }
}

int TfmDebug::EntryOfLevel(int level) {
    switch (level) {
    case kLogCritical: return 0;
    case kLogHigh: return 1;
    default: return 2;
    }
}

void TfmDebug::accept() {
    Settings& s = AppSettings();
    s.EnableDebug = cbEnable->isChecked() ? 1 : 0;
    s.LogLevel = LevelOfEntry(cbxLevel->currentIndex());
    CxDebugUtil& debug = CxDebugUtil::Instance();
    debug.Enable(s.EnableDebug != 0);
    debug.SetLevel(s.LogLevel);
    QDialog::accept();
}
