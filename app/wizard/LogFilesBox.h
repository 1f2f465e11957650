#pragma once
// The debug log's folder and file as the diagnostics dialogs show them: two
// read-only fields, each with a button that opens it with the system's
// "open" action. Without a folder both buttons are disabled; a log file
// that does not exist (yet) is reported instead of opened.
#include <QWidget>

class QLineEdit;
class QPushButton;

class LogFilesBox : public QWidget {
    Q_OBJECT
public:
    // An empty folder means the data folder could not be had.
    LogFilesBox(const QString& folder, const QString& file, QWidget* parent = nullptr);

    QLineEdit* edtFolder;
    QLineEdit* edtFile;
    QPushButton* btnFolder;
    QPushButton* btnFile;

    // The data folder (made when missing) and "appdebug.log" in it; both
    // empty when the folder cannot be had.
    static QString DataFolder();
    static QString LogFileIn(const QString& folder);

private:
    void OpenFolder();
    void OpenFile();
};
