#pragma once
// "Ferrywise Debug Log Options": the debug log's folder and file, its
// on/off switch and its level. OK stores both settings and applies them to
// the debug log at once; Cancel leaves everything as it was.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class LogFilesBox;
class TfmPicture;

class TfmDebug : public QDialog {
    Q_OBJECT
public:
    explicit TfmDebug(QWidget* parent = nullptr);

    // The level stored for an entry of cbxLevel (0, 1, 3), and the entry
    // shown for a stored level.
    static int LevelOfEntry(int index);
    static int EntryOfLevel(int level);

    TfmPicture* imgProduct;
    LogFilesBox* logFiles;
    QCheckBox* cbEnable;
    QComboBox* cbxLevel;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    void accept() override;
};
