#include "app/wizard/TfmSource.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/AppCommon.h"
#include "app/wizard/WindowHandle.h"
#include "common/misc/CxDebugUtil.h"

TfmSource::TfmSource(WizardHost& host, QWidget* parent) : TfmPage(host, parent) {
    auto* apps = new QGroupBox(QStringLiteral(" Choose which application data you need to migrate to Outlook"), this);
    rbtnGG = new QRadioButton(QStringLiteral("Gmail and Google Calendar"), apps);
    rbtnLN = new QRadioButton(QStringLiteral("Lotus Notes"), apps);
    rbtnACT = new QRadioButton(QStringLiteral("ACT! by Sage"), apps);
    rbtnPD = new QRadioButton(QStringLiteral("Palm Desktop"), apps);
    auto* appLayout = new QVBoxLayout(apps);
    for (QRadioButton* button : {rbtnGG, rbtnLN, rbtnACT, rbtnPD}) {
        appLayout->addWidget(button);
        button->installEventFilter(this);
        connect(button, &QRadioButton::toggled, this, [this](bool checked) {
            ApplySelectionRule();
            if (checked) emit SourceChanged(CheckedSource());
        });
    }
    rbtnGG->setObjectName(QStringLiteral("rbtnGG"));
    rbtnLN->setObjectName(QStringLiteral("rbtnLN"));
    rbtnACT->setObjectName(QStringLiteral("rbtnACT"));
    rbtnPD->setObjectName(QStringLiteral("rbtnPD"));

    auto* kinds = new QGroupBox(QStringLiteral("Choose which types of data you need to migrate to Outlook"), this);
    cbAddr = new QCheckBox(QStringLiteral("Contacts"), kinds);
    cbDate = new QCheckBox(QStringLiteral("Calendar"), kinds);
    cbTask = new QCheckBox(QStringLiteral("Tasks"), kinds);
    cbNote = new QCheckBox(QStringLiteral("Notes"), kinds);
    auto* kindLayout = new QVBoxLayout(kinds);
    for (QCheckBox* box : {cbAddr, cbDate, cbTask, cbNote}) kindLayout->addWidget(box);
    cbAddr->setObjectName(QStringLiteral("cbAddr"));
    cbDate->setObjectName(QStringLiteral("cbDate"));
    cbTask->setObjectName(QStringLiteral("cbTask"));
    cbNote->setObjectName(QStringLiteral("cbNote"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 20, 40, 20);
    layout->addWidget(apps);
    layout->addSpacing(12);
    layout->addWidget(kinds);
    layout->addStretch(1);
}

void TfmSource::Prepare() {
    const Settings& s = AppSettings();
    switch (s.SourceApp) {
    case kAppACT: rbtnACT->setChecked(true); break;
    case kAppLotus: rbtnLN->setChecked(true); break;
    case kAppPalm: rbtnPD->setChecked(true); break;
    default: rbtnGG->setChecked(true); break;
    }
    cbAddr->setChecked(s.SyncAddr != 0);
    cbDate->setChecked(s.SyncDate != 0);
    cbTask->setChecked(s.SyncTask != 0);
    cbNote->setChecked(s.SyncNote != 0);
    ApplySelectionRule();
}

int TfmSource::CheckedSource() const {
    if (rbtnGG->isChecked()) return kAppGoogle;
    if (rbtnLN->isChecked()) return kAppLotus;
    if (rbtnACT->isChecked()) return kAppACT;
    if (rbtnPD->isChecked()) return kAppPalm;
    return kAppGoogle;
}

bool TfmSource::Commit() {
    Settings& s = AppSettings();
    s.SourceApp = CheckedSource();
    s.SyncAddr = cbAddr->isChecked() ? 1 : 0;
    s.SyncDate = cbDate->isChecked() ? 1 : 0;
    s.SyncTask = cbTask->isChecked() ? 1 : 0;
    s.SyncNote = cbNote->isChecked() ? 1 : 0;
    if (!s.SyncAddr && !s.SyncDate && !s.SyncTask && !s.SyncNote) {
        CX_LOG(kLogCritical, "Please migrate at least one type of application data.");
        platform::CurrentUserInterface().MessageBox(HandleOf(this),
                                                    "Please migrate at least one type of application data.", "Error",
                                                    platform::MessageIcon::Error);
        return false;
    }
    Host().SetStepCount(s.SourceApp == kAppLotus ? 6 : 5);
    return true;
}

bool TfmSource::eventFilter(QObject* watched, QEvent* event) {
    // Tab enters the group of radio buttons at the checked one.
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        auto* radio = qobject_cast<QRadioButton*>(watched);
        if (radio != nullptr && !radio->isChecked() &&
            (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)) {
            for (QRadioButton* button : {rbtnGG, rbtnLN, rbtnACT, rbtnPD})
                if (button->isChecked()) button->setFocus(reason);
        }
    }
    return TfmPage::eventFilter(watched, event);
}

void TfmSource::ApplySelectionRule() {
    const bool google = rbtnGG->isChecked();
    if (google) {
        cbTask->setChecked(false);
        cbNote->setChecked(false);
    }
    cbTask->setEnabled(!google);
    cbNote->setEnabled(!google);
}
