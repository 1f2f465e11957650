#include "app/wizard/TfmFinish.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppCommon.h"
#include "app/wizard/WizardServices.h"
#include "common/records/CommKinds.h"

TfmFinish::TfmFinish(WizardHost& host, QWidget* parent)
    : TfmPage(host, parent),
      lblAddrCount(new QLabel(QStringLiteral("0"), this)),
      lblDateCount(new QLabel(QStringLiteral("0"), this)),
      lblTaskCount(new QLabel(QStringLiteral("0"), this)),
      lblNoteCount(new QLabel(QStringLiteral("0"), this)),
      lblFailed(new QLabel(this)),
      btnLog(new QPushButton(QStringLiteral("View Migration Log"), this)),
      btnOL(new QPushButton(QStringLiteral("Open Outlook"), this)),
      btnBack(new QPushButton(QStringLiteral("New Migration"), this)) {
    lblAddrCount->setObjectName(QStringLiteral("lblAddrCount"));
    lblDateCount->setObjectName(QStringLiteral("lblDateCount"));
    lblTaskCount->setObjectName(QStringLiteral("lblTaskCount"));
    lblNoteCount->setObjectName(QStringLiteral("lblNoteCount"));
    lblFailed->setObjectName(QStringLiteral("lblFailed"));
    btnLog->setObjectName(QStringLiteral("btnLog"));
    btnOL->setObjectName(QStringLiteral("btnOL"));
    btnBack->setObjectName(QStringLiteral("btnBack"));

    auto* heading = new QLabel(QStringLiteral("Information Migration Completed:"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto* counts = new QGridLayout;
    const QString titles[CommKindCount] = {
        QStringLiteral("Number of Contact Records Migrated:"), QStringLiteral("Number of Calendar Records Migrated:"),
        QStringLiteral("Number of Task Records Migrated:"), QStringLiteral("Number of Notes Records Migrated:")};
    QLabel* values[CommKindCount] = {lblAddrCount, lblDateCount, lblTaskCount, lblNoteCount};
    for (int k = 0; k < CommKindCount; ++k) {
        counts->addWidget(new QLabel(titles[k], this), k, 0);
        counts->addWidget(values[k], k, 1);
    }
    counts->setColumnStretch(2, 1);
    counts->setHorizontalSpacing(16);

    lblFailed->setStyleSheet(QStringLiteral("color: #b00020"));
    lblFailed->setWordWrap(true);
    lblFailed->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnLog);
    buttons->addWidget(btnOL);
    buttons->addWidget(btnBack);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 30, 40, 20);
    layout->addWidget(heading);
    layout->addSpacing(12);
    layout->addLayout(counts);
    layout->addSpacing(8);
    layout->addWidget(lblFailed);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(btnLog, &QPushButton::clicked, this, &TfmFinish::OpenLog);
    connect(btnOL, &QPushButton::clicked, this, &TfmFinish::OpenOutlook);
    connect(btnBack, &QPushButton::clicked, this, [this] { Host().RestartWizard(); });
}

QString TfmFinish::FailedText(int failed) {
    return failed == 1 ? QStringLiteral("1 record could not be written; see the migration log.")
                       : QStringLiteral("%1 records could not be written; see the migration log.").arg(failed);
}

void TfmFinish::Prepare() {
    // Records actually written, not the number picked: a record that
    // Outlook already held the same, or one whose write failed, is no
    // migrated record.
    QLabel* values[CommKindCount] = {lblAddrCount, lblDateCount, lblTaskCount, lblNoteCount};
    int failed = 0;
    for (int k = 0; k < CommKindCount; ++k) {
        values[k]->setText(QString::number(GetMigratedCount(k)));
        failed += GetFailedCount(k);
    }
    lblFailed->setText(failed > 0 ? FailedText(failed) : QString());
    lblFailed->setVisible(failed > 0);
}

void TfmFinish::OpenLog() {
    char folder[260];
    if (!GetDataFolder(folder, sizeof folder)) return;
    CurrentWizardServices().OpenWithSystem(QString::fromUtf8(folder) + QStringLiteral("SWLog.txt"));
}

void TfmFinish::OpenOutlook() {
    const QString program = QString::fromUtf8(AppSettings().OLAppName);
    if (!program.isEmpty()) CurrentWizardServices().OpenWithSystem(program);
}
