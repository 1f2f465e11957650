#pragma once
// The Palm Desktop option page: the user profile or the data files by name.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <array>

#include "app/wizard/TfmPage.h"

class TfmPDOption : public TfmPage {
    Q_OBJECT
public:
    explicit TfmPDOption(WizardHost& host, QWidget* parent = nullptr);
    // Fills the users, the version, the kinds' tabs and their files.
    void Prepare() override;
    // Stores the user and the files, then loads Palm Desktop and Outlook.
    bool Commit() override;

private:
    // One record kind's tab: "Open ... by File Name", its file and browse button.
    struct KindTab {
        QWidget* tab = nullptr;
        QCheckBox* check = nullptr;
        QLineEdit* edit = nullptr;
        QPushButton* browse = nullptr;
    };
    void Browse(int kind);
    void EnableFile(int kind);

    QComboBox* cbPDUser = nullptr;
    QLabel* lblPDVersion = nullptr;
    QTabWidget* pgFiles = nullptr;
    std::array<KindTab, 4> m_kinds;
};
