// Every page can be built on a host and leaves the wizard where it is when
// nothing is filled in yet.
#include <memory>

#include "app/wizard/TfmDataPage.h"
#include "app/wizard/TfmProc.h"
#include "tests/wizard/WizardFixture.h"

namespace {

using WizardSkeleton = fwtest::WizardFixture;

TEST_F(WizardSkeleton, ProgressPageCommitsWithoutMessages) {
    TfmProc page(host);
    page.Prepare();
    EXPECT_TRUE(page.Commit());
    EXPECT_TRUE(Messages().empty());
}

}  // namespace
