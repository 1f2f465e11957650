// The record detail window drawing views made by a test's describer: the
// repeat rule, empty lists, refusal without a record or a source, and that
// nothing in it can be changed.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/wizard/DetailLayouts.h"
#include "app/wizard/TfmRecordDetail.h"
#include "common/records/CommAddrRec.h"
#include "tests/support/TimeZone.h"
#include "tests/support/Zeroed.h"
#include "tests/wizard/DetailWindowSupport.h"
#include "tests/wizard/ModalAnswers.h"

namespace {

using detail::DetailRecurrence;
using detail::DetailView;
using detail::RepeatView;

DetailView g_view;
int g_describe_calls = 0;

DetailView Describe(const void*, AppAdapter&) {
    ++g_describe_calls;
    return g_view;
}

// A window of the family that shows whatever view the test sets.
class ViewWindow : public TfmRecordDetail {
public:
    ViewWindow() : TfmRecordDetail(&Describe, nullptr) {}
};

class NoSource : public AppAdapter {
public:
    bool Load(const AppLoadContext&) override { return false; }
    void Clear() override {}
    CommListRef GetList() override { return {}; }
};

class RecordDetail : public ::testing::Test {
protected:
    RecordDetail() {
        g_describe_calls = 0;
        native.NativeRecord = &native;  // any record will do: the describer is the test's
    }
    // Draws the view in a bound window showing the record.
    bool Show(DetailView view) {
        g_view = std::move(view);
        window.Bind(&source);
        return window.ShowRecord(CommRecordRef(&native));
    }
    static DetailView Calendar(DetailRecurrence repeat) {
        DetailView view = detail::CalendarLayout("Calendar", "View detail information of the Test Calendar record.");
        view.repeat = repeat;
        return view;
    }
    bool Checked(const char* name) const {
        auto* button = window.findChild<QAbstractButton*>(name);
        return button != nullptr && button->isChecked();
    }

    fwtest::ScopedTimeZone zone{fwtest::kUtcZone};
    CommAddrRec native = fwtest::Zero<CommAddrRec>();
    NoSource source;
    ViewWindow window;
};

TEST_F(RecordDetail, TheRecurrenceTabShowsOnlyTheRulesTypeAndItsRange) {
    const char* const subTabs[] = {"tDaily", "tWeekly", "tMonthly", "tYearly"};
    const char* const days[] = {"cbSunday",   "cbMonday", "cbTuesday", "cbWednesday",
                                "cbThursday", "cbFriday", "cbSaturday"};
    struct Case {
        DetailRecurrence repeat;
        int shown;  // index into subTabs
        const char* every;
        std::string start, end;
    };
    // 45658.25 is 2025-01-01 06:00; 0.001 is still "no date".
    const Case cases[] = {
        {{RepeatView::Weekly, 2, 0x22, true, 0, 0}, 1, "edtWeeklyEvery", "", ""},
        {{RepeatView::Daily, 3, 0, true, 0.001, 0.001}, 0, "edtDailyEvery", "", ""},
        {{RepeatView::Monthly, 1, 0x7F, false, 45658.25, 45700.5},
         2,
         "edtMonthlyEvery",
         "01/01/2025 06:00:00",
         "02/12/2025 12:00:00"},
        {{RepeatView::Yearly, 1, 0, true, 45658.25, 45658.25},
         3,
         "edtYearlyEvery",
         "01/01/2025 06:00:00",
         "01/01/2025 06:00:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.every);
        const DetailRecurrence& repeat = c.repeat;
        ASSERT_TRUE(Show(Calendar(repeat)));
        EXPECT_TRUE(fwtest::TabShown(window, "tRecurrence"));
        for (int i = 0; i < 4; ++i) EXPECT_EQ(fwtest::TabShown(window, subTabs[i]), i == c.shown) << subTabs[i];
        EXPECT_EQ(fwtest::EditText(window, c.every), std::to_string(repeat.interval));
        // Day boxes only for a weekly rule, exactly those of its mask.
        for (int day = 0; day < 7; ++day)
            EXPECT_EQ(Checked(days[day]), repeat.type == RepeatView::Weekly && (repeat.dayMask >> day & 1))
                << days[day];
        EXPECT_EQ(Checked("rbByDate"), repeat.type == RepeatView::Monthly && repeat.monthlyByDate);
        EXPECT_EQ(Checked("rbByDay"), repeat.type == RepeatView::Monthly && !repeat.monthlyByDate);
        EXPECT_EQ(fwtest::EditText(window, "edtRangeStart"), c.start);
        EXPECT_EQ(fwtest::EditText(window, "edtEndBy"), c.end);
        EXPECT_EQ(Checked("rbEndBy"), !c.end.empty());
        EXPECT_EQ(Checked("rbNoEnd"), c.end.empty());
    }
    // A single event: no "Recurrence" tab at all, the others stay.
    ASSERT_TRUE(Show(Calendar({})));
    EXPECT_FALSE(fwtest::TabShown(window, "tRecurrence"));
    EXPECT_TRUE(fwtest::TabShown(window, "tGeneral"));
    EXPECT_TRUE(fwtest::TabShown(window, "tNotes"));
}

TEST_F(RecordDetail, AContactWithoutPhonesOrEmailsHasAnEmptyPhoneList) {
    DetailView view = detail::ContactLayout("Contact", "View detail information of the Test Contact record.");
    detail::AddRow(view, "lvPhone", "Work Phone", "");
    detail::AddRow(view, "lvPhone", "Work Email", "");
    detail::AddRow(view, "lvMisc", "Spouse", "Kim");
    ASSERT_TRUE(Show(view));
    EXPECT_TRUE(fwtest::ListRows(window, "lvPhone").empty());
    EXPECT_EQ(fwtest::ListRows(window, "lvMisc"), (fwtest::ListedRows{{"Spouse", "Kim"}}));
    auto* phones = window.findChild<QTreeWidget*>("lvPhone");
    ASSERT_NE(phones, nullptr);
    EXPECT_EQ(phones->headerItem()->text(0).toStdString(), "Description");
    EXPECT_EQ(phones->headerItem()->text(1).toStdString(), "Content");
    // The address sub-tabs are there, with their edits.
    EXPECT_TRUE(fwtest::TabShown(window, "tOther"));
    EXPECT_EQ(fwtest::EditText(window, "edtCityHome"), "");
    EXPECT_EQ(fwtest::EditLabel(window, "edtDisplayName"), "Name:");
}

TEST_F(RecordDetail, FillRefusesWithoutARecordOrASourceAndShowsNothing) {
    DetailView view = detail::NoteLayout("Note", "View detail information of the Test Note record.");
    detail::SetText(view, "memNotes", "secret");
    g_view = view;
    const auto shows = [&] { return window.findChild<QPlainTextEdit*>("memNotes") != nullptr; };

    EXPECT_FALSE(window.Fill());  // neither
    window.Bind(&source);
    EXPECT_FALSE(window.ShowRecord(CommRecordRef(static_cast<CommAddrRec*>(nullptr))));
    EXPECT_FALSE(window.Fill());  // a source, no record
    EXPECT_FALSE(shows());
    EXPECT_EQ(g_describe_calls, 0);

    ASSERT_TRUE(window.ShowRecord(CommRecordRef(&native)));
    EXPECT_EQ(fwtest::EditText(window, "memNotes"), "secret");
    EXPECT_EQ(window.windowTitle().toStdString(), "Note");
    EXPECT_EQ(window.findChild<QLabel*>("lblHeading")->text().toStdString(),
              "View detail information of the Test Note record.");

    // A record without a native record, or no source any more: what the
    // last record showed goes.
    native.NativeRecord = nullptr;
    EXPECT_FALSE(window.ShowRecord(CommRecordRef(&native)));
    EXPECT_FALSE(shows());
    native.NativeRecord = &native;
    ASSERT_TRUE(window.ShowRecord(CommRecordRef(&native)));
    window.Bind(nullptr);
    EXPECT_FALSE(window.Fill());
    EXPECT_FALSE(shows());
    EXPECT_EQ(g_describe_calls, 2);  // the two fills that had both
}

TEST_F(RecordDetail, NothingCanBeChangedAndCloseCloses) {
    DetailView view = detail::TaskLayout("Task", "View detail information of the Test Task record.");
    detail::SetText(view, "edtDescription", "Pay rent");
    detail::SetCheck(view, "cbCompleted", true);
    detail::AddRow(view, "lvMisc", "Complete Date", "01/02/2026");
    detail::ShowTab(view, "tGeneral", false);
    ASSERT_TRUE(Show(view));
    // The first tab shown is the one selected.
    auto* tabs = window.findChild<QTabWidget*>("pDetail");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->currentWidget()->objectName().toStdString(), "tMisc");

    for (QLineEdit* edit : window.findChildren<QLineEdit*>())
        EXPECT_TRUE(edit->isReadOnly()) << edit->objectName().toStdString();
    for (QPlainTextEdit* memo : window.findChildren<QPlainTextEdit*>()) EXPECT_TRUE(memo->isReadOnly());
    for (QTreeWidget* list : window.findChildren<QTreeWidget*>())
        EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    auto* edit = window.findChild<QLineEdit*>("edtDescription");
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "x");
    EXPECT_EQ(edit->text().toStdString(), "Pay rent");
    for (const char* name : {"cbCompleted", "cbPrivate"}) {
        auto* box = window.findChild<QCheckBox*>(name);
        ASSERT_NE(box, nullptr);
        const bool before = box->isChecked();
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
        box->click();
        QTest::keyClick(box, Qt::Key_Space);
        EXPECT_EQ(box->isChecked(), before) << name;
    }

    int answered = 0;
    {
        fwtest::ModalAnswers answers({[&](QWidget* modal) {
            EXPECT_EQ(modal, &window);
            ++answered;
            QTest::mouseClick(window.findChild<QPushButton*>("btnClose"), Qt::LeftButton);
        }});
        window.exec();
    }
    EXPECT_EQ(answered, 1);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
