#pragma once
// The record review pages: one family, one page per source application.
// Each lists the source's records of every chosen kind, coloured by how
// they compare with Outlook, with a check box per record; Next migrates the
// checked records into Outlook.
#include <array>
#include <string>
#include <vector>

#include "app/AppAdapter.h"
#include "app/wizard/TfmPage.h"
#include "common/records/CommKinds.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

class TfmDataPage : public TfmPage {
    Q_OBJECT
public:
    // Shows the tab of every kind whose Sync setting is on and fills its
    // list from the source adapter of the kind.
    void Prepare() override;
    // Puts the checked records of the shown kinds into the driver's picked
    // lists and migrates them into Outlook.
    bool Commit() override;

    // The list of a kind (CommRecordKind), and the record of one of its rows
    // (null alternatives when the row has none).
    QTreeWidget* List(int kind) const;
    const std::vector<CommRecordRef>& Records(int kind) const;

protected:
    TfmDataPage(WizardHost& host, int sourceApp, QWidget* parent);

    int SourceApp() const { return m_sourceApp; }
    // The texts of a record's columns; the common record's by default.
    // Sources whose own records carry the columns answer from those.
    virtual std::vector<std::string> ColumnTexts(int kind, const CommRecordRef& record) const;
    // Reads a shown kind again before Refresh refills its list; false when
    // that failed (the list then shows what the adapter holds). By default
    // the source adapter of the kind loads again without comparing.
    virtual bool Reload(int kind);
    // Opens the detail window of the source's kind on a record, modally;
    // nothing opens for a source without one.
    virtual void OpenDetail(int kind, const CommRecordRef& record);

private:
    void BuildForm();
    void FillList(int kind);
    void Refresh();
    // Checks the items of the shown lists: all, none, or exactly those of
    // records that are not the same as in Outlook.
    enum class Pick { All, None, Different };
    void SelectItems(Pick pick);
    void OnDoubleClick(int kind);

    int m_sourceApp;
    QTabWidget* m_tabs = nullptr;
    std::array<QWidget*, CommKindCount> m_pages{};
    std::array<QTreeWidget*, CommKindCount> m_lists{};
    std::array<QLabel*, CommKindCount> m_counts{};
    std::array<bool, CommKindCount> m_shown{};
    // The record of each row of each list, in row order.
    std::array<std::vector<CommRecordRef>, CommKindCount> m_records;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_selectAll = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_selectDiff = nullptr;
};

// Palm Desktop: Refresh reads the Palm data again.
class TfmPDData : public TfmDataPage {
    Q_OBJECT
public:
    explicit TfmPDData(WizardHost& host, QWidget* parent = nullptr);
};

// Google: Refresh only refills the lists.
class TfmGGData : public TfmDataPage {
    Q_OBJECT
public:
    explicit TfmGGData(WizardHost& host, QWidget* parent = nullptr);

protected:
    bool Reload(int kind) override;
};

// ACT!: Refresh loads the bridges again.
class TfmACTData : public TfmDataPage {
    Q_OBJECT
public:
    explicit TfmACTData(WizardHost& host, QWidget* parent = nullptr);
};

// Lotus Notes: Refresh loads the bridges again.
class TfmLNData : public TfmDataPage {
    Q_OBJECT
public:
    explicit TfmLNData(WizardHost& host, QWidget* parent = nullptr);
};

// Outlook as the source (no page sequence of this wizard shows it).
class TfmOLData : public TfmDataPage {
    Q_OBJECT
public:
    explicit TfmOLData(WizardHost& host, QWidget* parent = nullptr);
};
