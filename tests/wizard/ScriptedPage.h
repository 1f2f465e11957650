#pragma once
// A stand-in wizard page that counts its Prepare and Commit calls and
// answers Commit as told, and a page factory for TfmMain that puts one in
// place of every option and review page.
#include <map>

#include "app/wizard/TfmMain.h"
#include "app/wizard/TfmPage.h"

namespace fwtest {

class ScriptedPage : public TfmPage {
public:
    using TfmPage::TfmPage;
    void Prepare() override { ++prepares; }
    bool Commit() override {
        ++commits;
        return commitResult;
    }
    int prepares = 0;
    int commits = 0;
    bool commitResult = true;
};

// Scripted pages for every page but the source, progress and finish pages.
inline TfmMain::PageFactory ScriptedPages() {
    return [](TfmMain::PageId id, WizardHost& host, QWidget* parent) -> TfmPage* {
        if (id == TfmMain::PageSource || id == TfmMain::PageProc || id == TfmMain::PageFinish) return nullptr;
        return new ScriptedPage(host, parent);
    };
}

inline ScriptedPage* Scripted(const TfmMain& main, TfmMain::PageId id) {
    return dynamic_cast<ScriptedPage*>(main.Page(id));
}

}  // namespace fwtest
