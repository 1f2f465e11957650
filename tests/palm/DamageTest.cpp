// Damaged data files of every kind and generation: a load reads every
// record the file holds, or it fails and the cause it leaves names the
// file. Never fewer records with success.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "common/misc/CxFailure.h"
#include "common/palm/PmAddrInfo.h"
#include "common/palm/PmDateInfo.h"
#include "common/palm/PmMemoInfo.h"
#include "common/palm/PmTodoInfo.h"
#include "common/palm/TdmMain.h"
#include "tests/palm/PalmTestSupport.h"
#include "tools/jetfixture/PalmSamples.h"

namespace {

using palmdat::Format;
using palmdat::Kind;

struct Outcome {
    bool loaded = false;
    std::size_t records = 0;
    std::string cause;
};

template <class Info>
Outcome LoadWith(const std::string& path) {
    CxClearFailure();
    auto info = std::make_unique<Info>();
    Outcome out;
    out.loaded = info->LoadByFile(path.c_str());
    out.records = info->GetEntryCount();
    out.cause = CxTakeFailure();
    TdmMain::Instance().CloseAll();
    return out;
}

Outcome Load(int kind, const std::string& path) {
    switch (kind) {
    case 0: return LoadWith<PmAddrInfo>(path);
    case 1: return LoadWith<PmDateInfo>(path);
    case 2: return LoadWith<PmTodoInfo>(path);
    default: return LoadWith<PmMemoInfo>(path);
    }
}

class DamageTest : public palmtest::PalmTest {
protected:
    DamageTest() { CxDebugUtil::Instance().Enable(false); }

    // Loads `bytes` as the file `name`; a failure must name the file, a
    // success must hold every record of the intact file.
    void Expect(int kind, const std::string& name, const std::string& bytes, std::size_t all, const std::string& what) {
        const std::string path = dir.File(name);
        fwtest::WriteFile(path, bytes);
        const Outcome o = Load(kind, path);
        if (o.loaded) {
            EXPECT_EQ(o.records, all) << name << ": " << what << " loaded with records missing";
        } else {
            EXPECT_EQ(o.records, 0u) << name << ": " << what;
            EXPECT_NE(o.cause.find(path), std::string::npos) << name << ": " << what << " cause: " << o.cause;
        }
        ++m_cases;
    }

    std::size_t m_cases = 0;
};

TEST_F(DamageTest, DatFilesCutOrMiscountedFailOrLoadWhole) {
    std::mt19937 random(20261209);
    for (Format format : {Format::Earlier, Format::V414}) {
        for (int k = 0; k < 4; ++k) {
            const palmdat::DatFile file = palmdat::SampleFile(static_cast<Kind>(k), format);
            const std::string name = palmdat::FileName(file.kind);
            const std::string whole = palmdat::Build(file);
            fwtest::WriteFile(dir.File(name), whole);
            const Outcome intact = Load(k, dir.File(name));
            ASSERT_TRUE(intact.loaded) << name << intact.cause;
            ASSERT_GT(intact.records, 2u);
            const std::string label = name + (format == Format::V414 ? " (4.1.4)" : " (earlier)");

            // Cut at every record boundary (the file with the first r records).
            palmdat::DatFile partial = file;
            partial.totalFields = static_cast<std::int32_t>(file.records.size()) * file.fieldsPerRow;
            for (std::size_t r = 0; r < file.records.size(); ++r) {
                partial.records.assign(file.records.begin(), file.records.begin() + static_cast<long>(r));
                const std::string cut = palmdat::Build(partial);
                Expect(k, name, cut, intact.records, label + " cut after record " + std::to_string(r));
                Expect(k, name, cut.substr(0, cut.size() - 1), intact.records,
                       label + " cut inside the header or a record");
            }
            for (int i = 0; i < 20; ++i) {
                const std::size_t at = std::uniform_int_distribution<std::size_t>(0, whole.size() - 1)(random);
                Expect(k, name, whole.substr(0, at), intact.records, label + " cut at " + std::to_string(at));
            }

            // Each header count one off, and the record count a record off.
            for (int delta : {-1, 1}) {
                palmdat::DatFile changed = file;
                changed.categoryCount = static_cast<std::int32_t>(file.categories.size()) + delta;
                Expect(k, name, palmdat::Build(changed), intact.records, label + " category count");
                changed = file;
                changed.fieldsPerRow += delta;
                Expect(k, name, palmdat::Build(changed), intact.records, label + " fields per row");
                changed = file;
                changed.fieldCount = static_cast<std::uint16_t>(file.fieldTypes.size() + delta);
                Expect(k, name, palmdat::Build(changed), intact.records, label + " field count");
                changed = file;
                const std::int32_t total = static_cast<std::int32_t>(file.records.size()) * file.fieldsPerRow;
                changed.totalFields = total + delta;
                Expect(k, name, palmdat::Build(changed), intact.records, label + " total fields");
                changed.totalFields = total + delta * file.fieldsPerRow;
                Expect(k, name, palmdat::Build(changed), intact.records, label + " total fields a record off");
            }

            // Flipped bytes: no crash, no hang.
            for (int i = 0; i < 30; ++i) {
                std::string flipped = whole;
                const std::size_t at = std::uniform_int_distribution<std::size_t>(0, whole.size() - 1)(random);
                flipped[at] = static_cast<char>(flipped[at] ^ (1 << (i % 8)));
                fwtest::WriteFile(dir.File(name), flipped);
                Load(k, dir.File(name));
            }
        }
    }
    EXPECT_GT(m_cases, 500u);
}

TEST_F(DamageTest, MdbFilesCutAtPagesFailOrLoadWhole) {
    constexpr std::size_t kPage = 4096;
    std::mt19937 random(6);
    const jetfixture::PalmKind kinds[] = {jetfixture::PalmKind::Contacts, jetfixture::PalmKind::Calendar,
                                          jetfixture::PalmKind::Tasks, jetfixture::PalmKind::Memos};
    for (int k = 0; k < 4; ++k) {
        const std::string name = jetfixture::PalmDatabaseFileName(kinds[k]);
        std::vector<std::uint8_t> built;
        std::string error;
        ASSERT_TRUE(jetfixture::MakePalmSample(kinds[k], 30).Build(built, error)) << error;
        const std::string whole(built.begin(), built.end());
        fwtest::WriteFile(dir.File(name), whole);
        const Outcome intact = Load(k, dir.File(name));
        ASSERT_TRUE(intact.loaded) << name << intact.cause;
        ASSERT_GT(intact.records, 2u);
        for (std::size_t pages = 0; pages * kPage < whole.size(); ++pages)
            Expect(k, name, whole.substr(0, pages * kPage), intact.records,
                   name + " cut to " + std::to_string(pages) + " pages");
        for (std::size_t p = 1; p * kPage < whole.size(); ++p) {
            std::string zeroed = whole;
            std::fill(zeroed.begin() + static_cast<long>(p * kPage),
                      zeroed.begin() + static_cast<long>((p + 1) * kPage), '\0');
            Expect(k, name, zeroed, intact.records, name + " page " + std::to_string(p) + " emptied");
        }
        for (int i = 0; i < 20; ++i) {
            std::string flipped = whole;
            const std::size_t at = std::uniform_int_distribution<std::size_t>(0, whole.size() - 1)(random);
            flipped[at] = static_cast<char>(flipped[at] ^ (1 << (i % 8)));
            fwtest::WriteFile(dir.File(name), flipped);
            Load(k, dir.File(name));
        }
    }
}

TEST_F(DamageTest, SourcesThatAreNoRegularFileFailAtOnce) {
    const std::string fifo = dir.File("address.dat");
    ASSERT_EQ(fwtest::MakeFifo(fifo), 0);
    Outcome o = Load(0, fifo);
    EXPECT_FALSE(o.loaded);
    EXPECT_NE(o.cause.find("not a regular file"), std::string::npos) << o.cause;
    const std::string mdbFifo = dir.File("Address.mdb");
    ASSERT_EQ(fwtest::MakeFifo(mdbFifo), 0);
    o = Load(0, mdbFifo);
    EXPECT_FALSE(o.loaded);
    EXPECT_NE(o.cause.find(mdbFifo), std::string::npos) << o.cause;
}

}  // namespace
