#pragma once
// The contacts custom field mapping dialog: for the current source
// application, which of its contact fields fills each of the nine
// user-defined fields of Outlook contacts.
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QTabWidget>
#include <array>
#include <vector>

class TfmPicture;

class TfmAddrFieldMap : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSlots = 9;

    // The dialog of source application `sourceApp` (ACT!, Google, Lotus
    // Notes or Palm Desktop), filled from the settings.
    explicit TfmAddrFieldMap(int sourceApp, QWidget* parent = nullptr);

    // Shows the texts, the source's tab and picture only, and fills the
    // nine lists of the source's tab with its catalogue, selecting the
    // stored ids ("[Not Set]" for 0 or an id no longer offered).
    void Prepare();
    // Shows the dialog modally; true when it closed with OK (the ids are
    // then stored).
    static bool Run(int sourceApp, QWidget* parent);

    void accept() override;

private:
    struct SourceTab {
        int app = 0;
        QWidget* tab = nullptr;
        TfmPicture* picture = nullptr;
        QLabel* line1 = nullptr;
        QLabel* line2 = nullptr;
        std::array<QComboBox*, kSlots> lists{};
    };

    void AddSourceTab(int app, const char* prefix, const QString& caption);
    SourceTab* Current();

    int m_app;
    QLabel* lblTitle = nullptr;
    QLabel* lblTopLine1 = nullptr;
    QTabWidget* pMap = nullptr;
    QLabel* lblRef = nullptr;
    std::vector<SourceTab> m_tabs;
};
