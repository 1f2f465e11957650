// A whole wizard run with the contacts field map on: Palm Desktop contacts
// with two custom slots mapped reach Outlook with the mapped values as
// user properties; a changed map makes the contacts different and the
// next run writes the new values; a run after that finds them the same.
// The store's cards are read back with python3-vobject.
#include <QComboBox>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "app/wizard/TfmDataPage.h"
#include "platform/text/TextCopy.h"
#include "tests/support/TempDir.h"
#include "tests/wizard/MainWindowFixture.h"
#include "tests/wizard/ModalAnswers.h"
#include "tools/palmdat/PalmDatWriter.h"

namespace {

namespace fs = std::filesystem;

using Card = std::map<std::string, std::string>;  // "ORG", "GIVEN", "PROP:<name>"

std::string Value(const Card& card, const std::string& key) {
    const auto it = card.find(key);
    return it == card.end() ? "(none)" : it->second;
}

class FieldMapRun : public fwtest::MainWindowFixture {
protected:
    // Maps the Palm slots to catalogue ids through the Outlook page's dialog.
    void Map(std::map<int, int> slotIds) {
        fwtest::ModalAnswers answers({[slotIds](QWidget* dialog) {
            for (const auto& [slot, id] : slotIds) {
                auto* list = dialog->findChild<QComboBox*>(QStringLiteral("cbPDCustom%1").arg(slot));
                ASSERT_NE(list, nullptr);
                const int at = list->findData(id);
                ASSERT_GT(at, 0) << id;
                list->setCurrentIndex(at);
            }
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        }});
        QTest::mouseClick(Find<QPushButton>(TfmMain::PageOLOption, "btnMap"), Qt::LeftButton);
    }
    // From the source page through the review page to the finish page;
    // the review page's check marks.
    std::vector<bool> RunToFinish(const std::function<void()>& onOutlookPage) {
        Next();
        EXPECT_EQ(main->CurrentPage(), main->Page(TfmMain::PageOLOption));
        onOutlookPage();
        Next();
        Next();
        EXPECT_EQ(main->CurrentPage(), main->Page(TfmMain::PagePDData)) << ::testing::PrintToString(Messages());
        auto* review = static_cast<TfmDataPage*>(main->Page(TfmMain::PagePDData));
        std::vector<bool> checks = Checks(review->List(CommKindAddr));
        Next();
        EXPECT_EQ(main->CurrentPage(), main->Page(TfmMain::PageFinish)) << ::testing::PrintToString(Messages());
        return checks;
    }
    void Restart() {
        QTest::mouseClick(main->btnPrev, Qt::LeftButton);
        ASSERT_EQ(main->Step(), 0);
    }
    // The store's cards as python3-vobject reads them.
    std::vector<Card> Cards() {
        const char* source = std::getenv("FW_SOURCE_DIR");
        const std::string scratch = dir.File("cards.txt");
        const std::string command = std::string("/usr/bin/python3 ") + (source ? source : ".") +
                                    "/tests/wizard/read_user_properties.py " + dir.Path() + "store/Contacts > " +
                                    scratch + " 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << fwtest::ReadFile(scratch);
        std::map<std::string, Card> byFile;
        std::istringstream lines(fwtest::ReadFile(scratch));
        for (std::string line; std::getline(lines, line);) {
            const std::size_t a = line.find('|'), b = line.find('|', a + 1);
            if (a == std::string::npos || b == std::string::npos) continue;
            byFile[line.substr(0, a)][line.substr(a + 1, b - a - 1)] = line.substr(b + 1);
        }
        std::vector<Card> cards;
        for (auto& [file, card] : byFile) cards.push_back(card);
        return cards;
    }
};

TEST_F(FieldMapRun, MappedValuesReachOutlookAndAChangedMapRewritesThem) {
    const std::string palm = dir.Path() + "palm/";
    fs::create_directories(palm);
    ASSERT_TRUE(palmdat::WriteSample(palm, palmdat::Format::V414));
    Settings& s = AppSettings();
    s.PDUseAddrFile = 1;
    platform::CopyText(s.PDAddrFileName, palm + "address.dat");
    SaveChoice(5, {1, 0, 0, 0});
    Open(TfmMain::PageFactory());

    // 4.1.4 catalogue: 3 "Company", 4 "Job Title", 1 "First Name".
    const std::vector<bool> first = RunToFinish([this] {
        fwtest::ClickIndicator(Find<QCheckBox>(TfmMain::PageOLOption, "cbFieldMap"));
        Map({{1, 3}, {2, 4}});
    });
    ASSERT_GT(first.size(), 10u);
    EXPECT_EQ(first, std::vector<bool>(first.size(), true));
    std::vector<Card> cards = Cards();
    ASSERT_EQ(cards.size(), first.size());
    for (const Card& card : cards) {
        EXPECT_EQ(Value(card, "PROP:Custom 1"), Value(card, "ORG"));
        EXPECT_EQ(Value(card, "PROP:Custom 2"), "Directrice générale");
    }

    // Slot 2 now takes the first name: every contact is different and
    // receives it; the store gains no card.
    Restart();
    const std::vector<bool> second = RunToFinish([this] { Map({{2, 1}}); });
    EXPECT_EQ(second, std::vector<bool>(first.size(), true));
    EXPECT_EQ(Find<QLabel>(TfmMain::PageFinish, "lblAddrCount")->text(), QString::number(first.size()));
    cards = Cards();
    ASSERT_EQ(cards.size(), first.size());
    for (const Card& card : cards) {
        EXPECT_EQ(Value(card, "PROP:Custom 1"), Value(card, "ORG"));
        EXPECT_EQ(Value(card, "PROP:Custom 2"), Value(card, "GIVEN"));
    }

    // Nothing changed since: every contact is the same.
    Restart();
    const std::vector<bool> third = RunToFinish([] {});
    EXPECT_EQ(third, std::vector<bool>(first.size(), false));
    EXPECT_EQ(Find<QLabel>(TfmMain::PageFinish, "lblAddrCount")->text(), QStringLiteral("0"));
    EXPECT_TRUE(Messages().empty()) << ::testing::PrintToString(Messages());
}

}  // namespace
