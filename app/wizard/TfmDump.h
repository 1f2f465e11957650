#pragma once
// "Handle Ferrywise Exception": the error report shown after an unhandled
// exception. It offers an e-mail to the support address, the debug log's
// folder and file, the debug log options, and quitting the program (which
// closes the window that owns the report).
#include <QDialog>

#include "platform/ui/UserInterface.h"

class QLabel;
class QPushButton;
class LogFilesBox;
class TfmPicture;

class TfmDump : public QDialog {
    Q_OBJECT
public:
    // Paths or an address left empty in `info` are taken from the data
    // folder and the configured support address.
    explicit TfmDump(const platform::ErrorReportInfo& info, QWidget* parent = nullptr);

    // The address the e-mail link writes to.
    QString Address() const { return m_address; }

    TfmPicture* imgProduct;
    QLabel* lblMail;
    LogFilesBox* logFiles;
    QPushButton* btnOK;
    QPushButton* btnQuit;
    QPushButton* btnDebug;

private:
    void Quit();
    QString m_address;
};
