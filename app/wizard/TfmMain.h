#pragma once
// The wizard's main window: a top panel with the pictures and Help, the
// client panel that holds every page, and the navigation buttons. It starts
// the driver when it opens and ends it when it is destroyed, and steps
// through the pages of the chosen source application.
//
// The navigation buttons keep the mnemonic keys of their design captions in
// every state: Alt+P presses btnPrev (also while it reads "Restart"), Alt+N
// btnNext, Alt+C btnClose (also as "Finish"), Alt+O btnOption. Enter presses
// the focused push button, else Next; Escape does nothing.
#include <QWidget>
#include <array>
#include <functional>

#include "app/wizard/WizardHost.h"

class QPushButton;
class TfmPage;
class TfmPicture;

class TfmMain : public QWidget, public WizardHost {
    Q_OBJECT
public:
    // The pages, in the order they are created.
    enum PageId {
        PageSource,
        PageACTOption,
        PageGGOption,
        PageLNOption1,
        PageLNOption2,
        PageOLOption,
        PagePDOption,
        PageGGData,
        PageACTData,
        PageLNData,
        PageOLData,
        PagePDData,
        PageProc,
        PageFinish,
        PageCount
    };

    // Makes the page of an id on `host` as a child of `parent`, or gives
    // null for the wizard's own page of that id. Tests stand in pages of
    // their own through it.
    using PageFactory = std::function<TfmPage*(PageId id, WizardHost& host, QWidget* parent)>;

    explicit TfmMain(QWidget* parent = nullptr, const PageFactory& factory = {});
    ~TfmMain() override;

    // WizardHost
    QWidget* OwnerWindow() override { return this; }
    void SetStepCount(int count) override { m_stepCount = count; }
    void RestartWizard() override;

    void ShowCurrentPage();
    void GoNext();
    void GoBack();

    int Step() const { return m_step; }
    int StepCount() const { return m_stepCount; }
    TfmPage* Page(PageId id) const { return m_pages[id]; }
    // The page shown now; null when none is.
    TfmPage* CurrentPage() const;
    // The page of a step of a source's sequence; PageCount when the source
    // or the step has none.
    static PageId PageOfStep(int sourceApp, int step);

    QWidget* pTop;
    QWidget* pClient;
    QWidget* pBottom;
    TfmPicture* imgText;
    TfmPicture* imgApp;
    TfmPicture* imgArrow;
    QPushButton* btnHelp;
    QPushButton* btnPrev;
    QPushButton* btnNext;
    QPushButton* btnClose;
    QPushButton* btnOption;

private:
    void BuildPanels();
    void CreatePages(const PageFactory& factory);
    template <class Page>
    TfmPage* Make(PageId id, const PageFactory& factory);
    // The source the source page shows checked.
    int SourceChoice() const;
    void PressDefault();
    void ShowOptions();

    std::array<TfmPage*, PageCount> m_pages{};
    int m_step = 0;
    int m_stepCount = 5;
};
