#include "app/wizard/TfmMain.h"

#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

#include "app/AppCommon.h"
#include "app/wizard/ProductLinks.h"
#include "app/wizard/TfmACTOption.h"
#include "app/wizard/TfmDataPage.h"
#include "app/wizard/TfmDebug.h"
#include "app/wizard/TfmFinish.h"
#include "app/wizard/TfmGGOption.h"
#include "app/wizard/TfmLNOption.h"
#include "app/wizard/TfmOLOption.h"
#include "app/wizard/TfmPDOption.h"
#include "app/wizard/TfmPicture.h"
#include "app/wizard/TfmProc.h"
#include "app/wizard/TfmSource.h"
#include "app/wizard/WizardServices.h"

namespace {

constexpr int kWidth = 794;
constexpr int kHeight = 594;
constexpr int kTopHeight = 100;
constexpr int kClientHeight = 404;
constexpr int kBottomHeight = 60;

// Sets a navigation button's caption and gives it back the mnemonic key of
// its design caption, which a caption without "&" would drop.
void SetCaption(QPushButton* button, const QString& caption, Qt::Key mnemonic) {
    button->setText(caption);
    button->setShortcut(QKeySequence(Qt::ALT | mnemonic));
}

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent, const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    return button;
}

}  // namespace

TfmMain::TfmMain(QWidget* parent, const PageFactory& factory)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("TfmMain"));
    setWindowTitle(QStringLiteral("Ferrywise for Outlook"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFixedSize(kWidth, kHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    InitApplication();
    m_stepCount = AppSettings().SourceApp == kAppLotus ? 6 : 5;
    BuildPanels();
    CreatePages(factory);

    // The bottom buttons come after the pages in the focus chain: reading order.
    btnOption = MakeButton(QStringLiteral("&Options"), "btnOption", pBottom, QRect(12, 15, 100, 30));
    btnPrev = MakeButton(QStringLiteral("< &Prev"), "btnPrev", pBottom, QRect(kWidth - 327, 15, 100, 30));
    btnNext = MakeButton(QStringLiteral("&Next >"), "btnNext", pBottom, QRect(kWidth - 219, 15, 100, 30));
    btnClose = MakeButton(QStringLiteral("&Close"), "btnClose", pBottom, QRect(kWidth - 111, 15, 100, 30));
    connect(btnOption, &QPushButton::clicked, this, &TfmMain::ShowOptions);
    connect(btnPrev, &QPushButton::clicked, this, &TfmMain::GoBack);
    connect(btnNext, &QPushButton::clicked, this, &TfmMain::GoNext);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, &TfmMain::PressDefault);
    }

    ShowCurrentPage();
}

TfmMain::~TfmMain() { ExitApplication(); }

void TfmMain::BuildPanels() {
    pTop = new QWidget(this);
    pTop->setObjectName(QStringLiteral("pTop"));
    pTop->setGeometry(0, 0, kWidth, kTopHeight);
    pTop->setAutoFillBackground(true);
    QPalette top = pTop->palette();
    top.setColor(QPalette::Window, Qt::white);
    pTop->setPalette(top);

    imgText = new TfmPicture(TfmPicture::Kind::ProductText, pTop);
    imgText->setObjectName(QStringLiteral("imgText"));
    imgText->setGeometry(16, 10, 260, 80);
    imgText->SetClickable(true);
    imgApp = new TfmPicture(TfmPicture::Kind::Application, pTop);
    imgApp->setObjectName(QStringLiteral("imgApp"));
    imgApp->setGeometry(300, 16, 150, 68);
    imgArrow = new TfmPicture(TfmPicture::Kind::Arrow, pTop);
    imgArrow->setObjectName(QStringLiteral("imgArrow"));
    imgArrow->setGeometry(456, 16, 220, 68);
    btnHelp = MakeButton(QStringLiteral("Help"), "btnHelp", pTop, QRect(kWidth - 96, 35, 80, 30));
    btnHelp->setShortcut(QKeySequence(Qt::Key_F1));
    connect(imgText, &TfmPicture::clicked, this, [] { CurrentWizardServices().OpenWithSystem(ProductPage()); });
    connect(btnHelp, &QPushButton::clicked, this, [] { CurrentWizardServices().OpenWithSystem(HelpPagePath()); });

    pClient = new QWidget(this);
    pClient->setObjectName(QStringLiteral("pClient"));
    pClient->setGeometry(0, kTopHeight, kWidth, kClientHeight);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(8, kHeight - kBottomHeight - 2, kWidth - 16, 2);

    pBottom = new QWidget(this);
    pBottom->setObjectName(QStringLiteral("pBottom"));
    pBottom->setGeometry(0, kHeight - kBottomHeight, kWidth, kBottomHeight);
}

template <class Page>
TfmPage* TfmMain::Make(PageId id, const PageFactory& factory) {
    TfmPage* page = factory ? factory(id, *this, pClient) : nullptr;
    if (page == nullptr) page = new Page(*this, pClient);
    m_pages[id] = page;
    page->setGeometry(0, 0, kWidth, kClientHeight);
    page->hide();
    return page;
}

void TfmMain::CreatePages(const PageFactory& factory) {
    TfmPage* source = Make<TfmSource>(PageSource, factory);
    source->Prepare();
    imgApp->SetApp(SourceChoice());
    if (auto* page = qobject_cast<TfmSource*>(source))
        connect(page, &TfmSource::SourceChanged, imgApp, &TfmPicture::SetApp);
    Make<TfmACTOption>(PageACTOption, factory);
    Make<TfmGGOption>(PageGGOption, factory);
    Make<TfmLNOption1>(PageLNOption1, factory);
    Make<TfmLNOption2>(PageLNOption2, factory);
    Make<TfmOLOption>(PageOLOption, factory);
    Make<TfmPDOption>(PagePDOption, factory);
    Make<TfmGGData>(PageGGData, factory);
    Make<TfmACTData>(PageACTData, factory);
    Make<TfmLNData>(PageLNData, factory);
    Make<TfmOLData>(PageOLData, factory);
    Make<TfmPDData>(PagePDData, factory);
    Make<TfmProc>(PageProc, factory);
    Make<TfmFinish>(PageFinish, factory);
}

int TfmMain::SourceChoice() const {
    if (auto* page = qobject_cast<TfmSource*>(m_pages[PageSource])) return page->CheckedSource();
    return AppSettings().SourceApp;
}

TfmMain::PageId TfmMain::PageOfStep(int sourceApp, int step) {
    static constexpr PageId kACT[] = {PageSource, PageOLOption, PageACTOption, PageACTData, PageFinish};
    static constexpr PageId kGoogle[] = {PageSource, PageOLOption, PageGGOption, PageGGData, PageFinish};
    static constexpr PageId kLotus[] = {PageSource, PageOLOption, PageLNOption1, PageLNOption2, PageLNData, PageFinish};
    static constexpr PageId kPalm[] = {PageSource, PageOLOption, PagePDOption, PagePDData, PageFinish};
    auto at = [step](const auto& sequence) {
        return step >= 0 && step < static_cast<int>(std::size(sequence)) ? sequence[step] : PageCount;
    };
    switch (sourceApp) {
    case kAppACT: return at(kACT);
    case kAppGoogle: return at(kGoogle);
    case kAppLotus: return at(kLotus);
    case kAppPalm: return at(kPalm);
    default: return PageCount;
    }
}

TfmPage* TfmMain::CurrentPage() const {
    for (TfmPage* page : m_pages)
        if (!page->isHidden()) return page;
    return nullptr;
}

void TfmMain::ShowCurrentPage() {
    QWidget* focused = QApplication::focusWidget();
    const bool focusOnPage = focused != nullptr && pClient->isAncestorOf(focused);
    for (TfmPage* page : m_pages) page->hide();
    PageId shown = PageCount;
    if (m_step == 0) {
        btnPrev->setEnabled(false);
        SetCaption(btnPrev, QStringLiteral("< Prev"), Qt::Key_P);
        btnNext->setEnabled(true);
        SetCaption(btnNext, QStringLiteral("Next >"), Qt::Key_N);
        SetCaption(btnClose, QStringLiteral("&Close"), Qt::Key_C);
        shown = PageSource;
    } else if (m_step == m_stepCount - 1) {
        btnPrev->setEnabled(true);
        SetCaption(btnPrev, QStringLiteral("Restart"), Qt::Key_P);
        btnNext->setEnabled(false);
        SetCaption(btnClose, QStringLiteral("Finish"), Qt::Key_C);
        shown = PageFinish;
    } else {
        btnPrev->setEnabled(true);
        SetCaption(btnPrev, QStringLiteral("< Prev"), Qt::Key_P);
        btnNext->setEnabled(true);
        SetCaption(btnNext, QStringLiteral("Next >"), Qt::Key_N);
        SetCaption(btnClose, QStringLiteral("&Close"), Qt::Key_C);
        shown = PageOfStep(AppSettings().SourceApp, m_step);
    }
    if (shown != PageCount) m_pages[shown]->show();
    // Focus that was on the page left, or on a button now disabled, goes to
    // Next (Finish on the last page), so that Enter keeps going forward.
    if (focusOnPage || (focused == btnPrev && !btnPrev->isEnabled()) || (focused == btnNext && !btnNext->isEnabled()))
        (btnNext->isEnabled() ? btnNext : btnClose)->setFocus();
    imgApp->SetApp(m_step == 0 ? SourceChoice() : AppSettings().SourceApp);
}

void TfmMain::GoNext() {
    if (m_step == 0) {
        if (!m_pages[PageSource]->Commit()) return;
        m_step = 1;
        ShowCurrentPage();
        m_pages[PageOLOption]->Prepare();
        return;
    }
    if (m_step >= m_stepCount - 1) return;
    const int source = AppSettings().SourceApp;
    const PageId current = PageOfStep(source, m_step);
    if (current == PageCount || !m_pages[current]->Commit()) return;
    const PageId next = PageOfStep(source, m_step + 1);
    if (next != PageCount) m_pages[next]->Prepare();
    ++m_step;
    ShowCurrentPage();
}

void TfmMain::GoBack() {
    if (m_step == m_stepCount - 1) {
        RestartWizard();
    } else if (m_step > 0) {
        --m_step;
        ShowCurrentPage();
    }
}

void TfmMain::RestartWizard() {
    m_step = 0;
    ShowCurrentPage();
}

void TfmMain::PressDefault() {
    auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (focused != nullptr && focused->window() == this && focused->isEnabled() && focused->isVisible()) {
        focused->click();
        return;
    }
    if (btnNext->isEnabled()) btnNext->click();
}

void TfmMain::ShowOptions() {
    TfmDebug options(this);
    options.exec();
}
