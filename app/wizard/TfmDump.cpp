#include "app/wizard/TfmDump.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/wizard/LogFilesBox.h"
#include "app/wizard/ProductLinks.h"
#include "app/wizard/TfmDebug.h"
#include "app/wizard/TfmPicture.h"
#include "app/wizard/WizardServices.h"

TfmDump::TfmDump(const platform::ErrorReportInfo& info, QWidget* parent)
    : QDialog(parent),
      imgProduct(new TfmPicture(TfmPicture::Kind::ProductText, this)),
      lblMail(new QLabel(this)),
      btnOK(new QPushButton(QStringLiteral("&OK"), this)),
      btnQuit(new QPushButton(QStringLiteral("Quit Ferrywise"), this)),
      btnDebug(new QPushButton(QStringLiteral("&Debug Options"), this)) {
    setWindowTitle(QStringLiteral("Handle Ferrywise Exception"));
    setObjectName(QStringLiteral("TfmDump"));
    m_address = info.supportAddress.empty() ? SupportAddress() : QString::fromStdString(info.supportAddress);

    QString folder = QString::fromStdString(info.logFolder);
    QString file = QString::fromStdString(info.logFile);
    if (folder.isEmpty()) folder = LogFilesBox::DataFolder();
    if (file.isEmpty()) file = LogFilesBox::LogFileIn(folder);

    imgProduct->setObjectName(QStringLiteral("imgProduct"));
    imgProduct->setFixedSize(220, 70);
    imgProduct->SetClickable(true);
    connect(imgProduct, &TfmPicture::clicked, this, [] { CurrentWizardServices().OpenWithSystem(ProductPage()); });

    lblMail->setObjectName(QStringLiteral("lblMail"));
    lblMail->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                         .arg(SupportMailUrl(m_address).toHtmlEscaped(), m_address.toHtmlEscaped()));
    lblMail->setTextFormat(Qt::RichText);
    lblMail->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    lblMail->setFocusPolicy(Qt::StrongFocus);
    connect(lblMail, &QLabel::linkActivated, this,
            [](const QString& url) { CurrentWizardServices().OpenWithSystem(url); });

    auto* debugBox = new QGroupBox(QStringLiteral(" Debug Information "), this);
    logFiles = new LogFilesBox(folder, file, debugBox);
    auto* debugInfo = new QLabel(QString::fromUtf8(platform::kErrorReportDebugInfo), debugBox);
    debugInfo->setWordWrap(true);
    auto* debugLayout = new QVBoxLayout(debugBox);
    debugLayout->addWidget(debugInfo);
    debugLayout->addWidget(logFiles);

    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnQuit->setObjectName(QStringLiteral("btnQuit"));
    btnDebug->setObjectName(QStringLiteral("btnDebug"));
    btnOK->setDefault(true);
    btnQuit->setAutoDefault(false);
    btnDebug->setAutoDefault(false);
    connect(btnOK, &QPushButton::clicked, this, &TfmDump::accept);
    connect(btnQuit, &QPushButton::clicked, this, &TfmDump::Quit);
    connect(btnDebug, &QPushButton::clicked, this, [this] {
        TfmDebug options(this);
        options.exec();
    });

    auto* sorry = new QLabel(QString::fromUtf8(platform::kErrorReportSorry), this);
    sorry->setWordWrap(true);
    auto* contact = new QHBoxLayout;
    contact->addWidget(new QLabel(QString::fromUtf8(platform::kErrorReportContact), this));
    contact->addWidget(lblMail, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnDebug);
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnQuit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(imgProduct);
    layout->addWidget(sorry);
    layout->addLayout(contact);
    layout->addWidget(debugBox);
    layout->addLayout(buttons);
    setMinimumWidth(560);

    setTabOrder(lblMail, logFiles->edtFolder);
    setTabOrder(logFiles->btnFile, btnDebug);
    setTabOrder(btnDebug, btnOK);
    setTabOrder(btnOK, btnQuit);
}

void TfmDump::Quit() {
    reject();
    // The report's owner belongs to the main window; closing that window ends
    // the program.
    if (QWidget* owner = parentWidget())
        owner->window()->close();
    else
        QCoreApplication::quit();
}
