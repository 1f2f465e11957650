// The contacts custom field mapping dialog: one tab per source with its
// texts and catalogue, what OK, Cancel and the close box store, the Palm
// Desktop catalogue by installed version and by the contacts file chosen,
// the custom map setup, and the Outlook page's button that opens it.
#include <QComboBox>
#include <QTabWidget>
#include <string>

#include "app/AdapterTable.h"
#include "app/AppAdapters.h"
#include "app/AppIds.h"
#include "app/FieldCatalogue.h"
#include "app/wizard/ProductLinks.h"
#include "app/wizard/TfmAddrFieldMap.h"
#include "app/wizard/TfmOLOption.h"
#include "common/palm/PmAddrInfo.h"
#include "tests/palm/PalmDesktopFixture.h"
#include "tests/wizard/ModalAnswers.h"
#include "tests/wizard/OptionPageSupport.h"
#include "tools/palmdat/PalmDatWriter.h"

namespace {

struct SourceCase {
    int app;
    const char* prefix;
    const char* name;
    const char* tabCaption;
    int catalogue;  // entries of the catalogue
    std::int32_t* (*ids)(Settings&);
    std::int32_t* (*flag)(Settings&);
};

const SourceCase kSources[] = {
    {kAppACT, "ACT", "ACT! Contacts", "ACT! Contacts Field Mapping", 89, [](Settings& s) { return s.ACTCustomID; },
     [](Settings& s) { return &s.ACTCustom; }},
    {kAppGoogle, "GG", "Google Contacts", "Google Contacts Field Mapping", 91, [](Settings& s) { return s.GGCustomID; },
     [](Settings& s) { return &s.GGCustom; }},
    {kAppLotus, "LN", "Lotus Notes Contacts", "Lotus Notes Field Mapping", 54, [](Settings& s) { return s.LNCustomID; },
     [](Settings& s) { return &s.LNCustom; }},
    // Without Palm Desktop the version reads as the highest: the 6.x catalogue.
    {kAppPalm, "PD", "Palm Desktop Contacts", "Palm Desktop Contacts Field Mapping", 54,
     [](Settings& s) { return s.PDCustomID; }, [](Settings& s) { return &s.PDCustom; }},
};

class FieldMap : public fwtest::OptionPageFixture {
protected:
    static QComboBox* List(QWidget& dialog, const char* prefix, int slot) {
        return fwtest::Control<QComboBox>(dialog,
                                          ("cb" + std::string(prefix) + "Custom" + std::to_string(slot)).c_str());
    }
    static QString Text(QWidget& dialog, const std::string& name) {
        return fwtest::Control<QLabel>(dialog, name.c_str())->text();
    }
    // Palm Desktop of a version installed in "C:\Palm".
    void InstallPalm(int major, int minor, int third) {
        FileOnC("Palm/palm.exe", palmtest::ProgramWithVersion(major, minor, third, 0));
        Registry("", fwtest::RegistryKey("Software\\U.S. Robotics\\Pilot Desktop\\Core", "DesktopPath", "C:\\Palm\\"));
        PmAddrInfo::ForgetInstalledAddrGeneration();
    }
    std::string PalmFile(palmdat::Format format, const char* name) {
        const std::string path = dir.File(name);
        EXPECT_TRUE(palmdat::Write(path, palmdat::SampleFile(palmdat::Kind::Address, format)));
        return path;
    }
    int PalmCatalogueLength() {
        TfmAddrFieldMap dialog(kAppPalm);
        return List(dialog, "PD", 1)->count() - 1;
    }
};

TEST_F(FieldMap, EachSourceShowsOnlyItsTabPictureTextsAndCatalogue) {
    const QString target = QStringLiteral("Outlook Contacts");
    for (const SourceCase& c : kSources) {
        SCOPED_TRACE(c.name);
        AppSettings().SourceApp = c.app;
        TfmAddrFieldMap dialog(c.app);
        dialog.show();
        const QString source = QString::fromLatin1(c.name);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Contacts Custom Field Mapping"));
        EXPECT_EQ(Text(dialog, "lblTitle"), QStringLiteral("Set %1 and %2 custom fields mapping.").arg(source, target));
        EXPECT_EQ(Text(dialog, "lblTopLine1"),
                  QStringLiteral("If the custom field mapping information is not set, the %1 fields will be copied "
                                 "to with %2")
                      .arg(source, target));
        EXPECT_EQ(Text(dialog, std::string("lbl") + c.prefix + "DetailLine1"),
                  QStringLiteral("In this sheet, you may choose which %1 fields should be mapped to %2 custom fields.")
                      .arg(source, target));
        EXPECT_EQ(Text(dialog, std::string("lbl") + c.prefix + "DetailLine2"),
                  QStringLiteral("%1 Fields ==> %2 Custom Fields").arg(source, target));

        auto* pages = fwtest::Control<QTabWidget>(dialog, "pMap");
        int visible = 0;
        for (int i = 0; i < pages->count(); ++i) visible += pages->isTabVisible(i) ? 1 : 0;
        EXPECT_EQ(visible, 1);
        EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("t%1").arg(QLatin1String(c.prefix)));
        EXPECT_EQ(pages->tabText(pages->currentIndex()), QString::fromLatin1(c.tabCaption));
        for (const SourceCase& other : kSources) {
            QWidget* picture = fwtest::Control<QWidget>(dialog, (std::string("img") + other.prefix).c_str());
            EXPECT_EQ(picture->isVisible(), other.app == c.app) << other.prefix;
        }
        const std::vector<FieldCatalogueEntry> catalogue = ContactFieldCatalogue(c.app, AppSettings());
        ASSERT_EQ(static_cast<int>(catalogue.size()), c.catalogue);
        for (int slot = 1; slot <= TfmAddrFieldMap::kSlots; ++slot) {
            QComboBox* list = List(dialog, c.prefix, slot);
            ASSERT_EQ(list->count(), c.catalogue + 1);
            EXPECT_EQ(list->itemText(0), QStringLiteral("[Not Set]"));
            EXPECT_EQ(list->itemData(0).toInt(), 0);
            // Catalogue order, ids kept with the labels.
            EXPECT_EQ(list->itemText(c.catalogue).toStdString(), catalogue.back().label);
            EXPECT_EQ(list->itemData(1).toInt(), catalogue.front().id);
        }
    }
}

TEST_F(FieldMap, OkStoresTheNineIdsCancelAndTheCloseBoxStoreNothing) {
    for (const SourceCase& c : kSources) {
        SCOPED_TRACE(c.name);
        const std::vector<FieldCatalogueEntry> catalogue = ContactFieldCatalogue(c.app, AppSettings());
        std::int32_t* ids = c.ids(AppSettings());
        // Slot 1 a known id, slot 2 one no longer in the catalogue, the rest unset.
        for (int slot = 0; slot < 10; ++slot) ids[slot] = 0;
        ids[1] = catalogue[5].id;
        ids[2] = 99999;
        const std::vector<std::int32_t> before(ids, ids + 10);

        for (const bool closeBox : {false, true}) {
            TfmAddrFieldMap dialog(c.app);
            dialog.show();
            EXPECT_EQ(List(dialog, c.prefix, 1)->currentData().toInt(), catalogue[5].id);
            EXPECT_EQ(List(dialog, c.prefix, 2)->currentText(), QStringLiteral("[Not Set]"));
            EXPECT_EQ(List(dialog, c.prefix, 9)->currentIndex(), 0);
            for (int slot = 1; slot <= 9; ++slot) List(dialog, c.prefix, slot)->setCurrentIndex(slot + 1);
            if (closeBox)
                dialog.close();
            else
                Click(fwtest::Control<QPushButton>(dialog, "btnCancel"));
            EXPECT_EQ(dialog.result(), QDialog::Rejected);
            EXPECT_EQ(std::vector<std::int32_t>(ids, ids + 10), before);
        }

        TfmAddrFieldMap dialog(c.app);
        dialog.show();
        List(dialog, c.prefix, 3)->setCurrentIndex(catalogue.size());  // the last entry
        List(dialog, c.prefix, 9)->setCurrentIndex(2);
        Click(fwtest::Control<QPushButton>(dialog, "btnOK"));
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        const std::vector<std::int32_t> stored(ids + 1, ids + 10);
        // The unknown id is replaced by 0 only now.
        EXPECT_EQ(stored,
                  (std::vector<std::int32_t>{catalogue[5].id, 0, catalogue.back().id, 0, 0, 0, 0, 0, catalogue[1].id}));
    }
}

TEST_F(FieldMap, TheReferenceOpensTheLocalHelpPage) {
    TfmAddrFieldMap dialog(kAppGoogle);
    auto* ref = fwtest::Control<QLabel>(dialog, "lblRef");
    EXPECT_TRUE(ref->text().contains(QStringLiteral("More about migrating fields ...")));
    emit ref->linkActivated(QStringLiteral("help"));
    EXPECT_EQ(services.opened, std::vector<QString>{HelpPagePath()});
}

TEST_F(FieldMap, ThePalmCatalogueFollowsTheInstalledVersionOrTheContactsFileChosen) {
    struct Version {
        int major, minor, third, length;
    } const versions[] = {{3, 5, 0, 23}, {4, 1, 4, 45}, {6, 0, 0, 54}, {4, 0, 0, 23}};
    for (const Version& v : versions) {
        InstallPalm(v.major, v.minor, v.third);
        EXPECT_EQ(PalmCatalogueLength(), v.length) << v.major << "." << v.minor << "." << v.third;
    }

    // Palm Desktop 6.x installed, the contacts read from a .dat file: the
    // file's generation decides, while "use file" is on.
    InstallPalm(6, 0, 0);
    Settings& s = AppSettings();
    const std::string v414 = PalmFile(palmdat::Format::V414, "address414.dat");
    const std::string earlier = PalmFile(palmdat::Format::Earlier, "address40.dat");
    platform::CopyText(s.PDAddrFileName, v414);
    s.PDUseAddrFile = 1;
    EXPECT_EQ(PalmCatalogueLength(), 45);
    platform::CopyText(s.PDAddrFileName, earlier);
    EXPECT_EQ(PalmCatalogueLength(), 23);
    s.PDUseAddrFile = 0;
    EXPECT_EQ(PalmCatalogueLength(), 54);
    // A file no reader accepts leaves the installed catalogue.
    s.PDUseAddrFile = 1;
    fwtest::WriteFile(dir.File("broken.dat"), "not a Palm file");
    platform::CopyText(s.PDAddrFileName, dir.File("broken.dat"));
    EXPECT_EQ(PalmCatalogueLength(), 54);
}

TEST_F(FieldMap, AnIdChosenForAPalmFileMeansTheSameFieldWhenTheFileIsLoaded) {
    // No Palm Desktop: the installed catalogue is 6.x, where id 3 is "Last
    // Name"; in the 4.1.4 catalogue offered for the file it is "Company".
    Settings& s = AppSettings();
    const std::string v414 = PalmFile(palmdat::Format::V414, "address.dat");
    platform::CopyText(s.PDAddrFileName, v414);
    s.PDUseAddrFile = 1;
    const std::vector<FieldCatalogueEntry> offered = ContactFieldCatalogue(kAppPalm, s);
    ASSERT_EQ(offered.size(), 45u);
    ASSERT_EQ(offered[2].id, 3);
    ASSERT_EQ(offered[2].label, "Company");
    ASSERT_EQ(PmAddrInfo::FindFieldInfo(3)->Label, std::string("Last Name"));

    PmAddrInfo contacts;
    contacts.SetCustomFieldMap(0, 3);
    ASSERT_TRUE(contacts.LoadByFile(v414.c_str()));
    CommAddrRec* first = contacts.GetCommonList()->GetFirstRecord();
    ASSERT_NE(first, nullptr);
    EXPECT_STRNE(first->Company, "");
    EXPECT_STREQ(first->MappedCustomValue[0], first->Company);
}

TEST_F(FieldMap, TheSetupPassesTheStoredIdsOnlyWhileTheSwitchIsOn) {
    Settings& s = AppSettings();
    for (int slot = 1; slot <= 9; ++slot) s.PDCustomID[slot] = slot + 20;
    s.PDCustom = 1;
    SetupCustomFieldMap(kAppPalm);
    auto* contacts = FindAdapterObject<PmAddrInfo>(kAppPalm, CommKindAddr);
    ASSERT_NE(contacts, nullptr);
    for (int slot = 1; slot <= 9; ++slot) EXPECT_EQ(contacts->GetCustomMapSlot(slot - 1), slot + 20);

    s.PDCustom = 0;
    SetupCustomFieldMap(kAppPalm);
    for (int slot = 1; slot <= 9; ++slot) {
        EXPECT_EQ(contacts->GetCustomMapSlot(slot - 1), 0);
        EXPECT_EQ(s.PDCustomID[slot], slot + 20);
    }
}

class OutlookPageMapping : public FieldMap {
protected:
    TfmOLOption page{host};
    QCheckBox* fieldMap = fwtest::Control<QCheckBox>(page, "cbFieldMap");
    QPushButton* map = fwtest::Control<QPushButton>(page, "btnMap");
};

TEST_F(OutlookPageMapping, TheButtonFollowsTheSwitch) {
    Show(page);
    for (const SourceCase& c : kSources) {
        SCOPED_TRACE(c.name);
        Settings& s = AppSettings();
        s.SourceApp = c.app;
        s.SyncAddr = 1;
        *c.flag(s) = 1;
        page.Prepare();
        EXPECT_TRUE(fieldMap->isChecked());
        EXPECT_TRUE(map->isEnabled());
        QTest::mouseClick(fieldMap, Qt::LeftButton, Qt::NoModifier, QPoint(8, fieldMap->height() / 2));
        EXPECT_FALSE(map->isEnabled());
        QTest::mouseClick(fieldMap, Qt::LeftButton, Qt::NoModifier, QPoint(8, fieldMap->height() / 2));
        EXPECT_TRUE(map->isEnabled());

        *c.flag(s) = 0;
        page.Prepare();
        EXPECT_FALSE(map->isEnabled());
        // Without contacts neither the switch nor the button.
        *c.flag(s) = 1;
        s.SyncAddr = 0;
        page.Prepare();
        EXPECT_FALSE(fieldMap->isEnabled());
        EXPECT_FALSE(map->isEnabled());
    }
}

TEST_F(OutlookPageMapping, TheButtonOpensTheSourcesDialogAndOkSetsTheMapUp) {
    Settings& s = AppSettings();
    s.SourceApp = kAppPalm;
    s.PDCustom = 1;
    page.Prepare();
    Show(page);
    const std::vector<FieldCatalogueEntry> catalogue = ContactFieldCatalogue(kAppPalm, s);
    {
        fwtest::ModalAnswers answers({[](QWidget* dialog) {
            EXPECT_EQ(dialog->objectName(), QStringLiteral("TfmAddrFieldMap"));
            EXPECT_TRUE(dialog->isModal());
            fwtest::Control<QComboBox>(*dialog, "cbPDCustom4")->setCurrentIndex(7);
            Click(fwtest::Control<QPushButton>(*dialog, "btnOK"));
        }});
        Click(map);
        EXPECT_EQ(answers.Answered(), 1);
    }
    EXPECT_EQ(s.PDCustomID[4], catalogue[6].id);
    auto* contacts = FindAdapterObject<PmAddrInfo>(kAppPalm, CommKindAddr);
    ASSERT_NE(contacts, nullptr);
    EXPECT_EQ(contacts->GetCustomMapSlot(3), catalogue[6].id);

    // Cancel: nothing stored, the adapter's map as it was.
    {
        fwtest::ModalAnswers answers({[](QWidget* dialog) {
            fwtest::Control<QComboBox>(*dialog, "cbPDCustom4")->setCurrentIndex(0);
            Click(fwtest::Control<QPushButton>(*dialog, "btnCancel"));
        }});
        Click(map);
    }
    EXPECT_EQ(s.PDCustomID[4], catalogue[6].id);
    EXPECT_EQ(contacts->GetCustomMapSlot(3), catalogue[6].id);
}

}  // namespace
