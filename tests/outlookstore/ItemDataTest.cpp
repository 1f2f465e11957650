// An item's property values: only those set are held, a value not set reads
// empty, references to held values stay put while others are added, and a
// copy is a value of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <random>
#include <utility>
#include <vector>

#include "platform/clock/SystemTime.h"
#include "platform/outlook/DateText.h"
#include "platform/outlook/ItemData.h"
#include "tests/support/TimeZone.h"

using namespace platform::outlook;

namespace {

TEST(ItemValues, HeldValuesStayPutAndCopiesAreIndependent) {
    for (const ItemKind kind : {ItemKind::Contact, ItemKind::Appointment, ItemKind::Task, ItemKind::Note})
        EXPECT_LT(Schema(kind).size(), PropValues::kMaxCount);

    std::mt19937 random(7);
    ItemData item(ItemKind::Contact);
    const std::size_t count = item.props.size();
    std::vector<int> order(count);
    for (std::size_t i = 0; i < count; ++i) order[i] = static_cast<int>(i);
    std::shuffle(order.begin(), order.end(), random);
    std::vector<PropValue*> refs;
    for (std::size_t n = 0; n < count; ++n) {
        const int index = order[n];
        // Before it is set, every value reads empty, the others untouched.
        const ItemData& view = item;
        EXPECT_TRUE(view.At(index).s.empty());
        EXPECT_EQ(view.At(index).i, 0);
        PropValue& v = item.At(index);
        v.s = std::string(40, static_cast<char>('a' + index % 26));  // longer than a short string
        v.i = index;
        v.d = index + 0.5;
        refs.push_back(&v);
        for (std::size_t k = 0; k <= n; ++k) ASSERT_EQ(refs[k]->i, order[k]) << "value " << order[k] << " moved";
    }
    ItemData copy = item;
    for (int index : order) {
        copy.At(index).s += "!";
        EXPECT_EQ(item.At(index).s, std::string(40, static_cast<char>('a' + index % 26)));
        EXPECT_EQ(std::as_const(copy).At(index).d, index + 0.5);
    }
}

TEST(ItemValues, EveryPropertyIsFoundByItsNameInAnyCaseAndNoOtherName) {
    for (const ItemKind kind : {ItemKind::Contact, ItemKind::Appointment, ItemKind::Task, ItemKind::Note}) {
        const auto& schema = Schema(kind);
        for (std::size_t i = 0; i < schema.size(); ++i) {
            std::string name = schema[i].name, upper = name, lower = name;
            for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            for (const std::string& n : {name, upper, lower}) EXPECT_EQ(FindProp(kind, n), static_cast<int>(i)) << n;
            EXPECT_EQ(FindProp(kind, name + "x"), -1);
        }
        EXPECT_EQ(FindProp(kind, ""), -1);
        EXPECT_EQ(FindProp(kind, std::string(200, 'a')), -1);
    }
}

TEST(ItemDates, AKeptLocalTimeAnswerIsOnlyGivenInTheZoneItWasFoundIn) {
    SYSTEMTIME st{};
    st.wYear = 2024;
    st.wMonth = 1;
    st.wDay = 15;
    st.wHour = 12;
    double noon = 0;
    ASSERT_TRUE(platform::SystemTimeToVariantTime(st, noon));
    std::time_t utc = 0, newYork = 0, again = 0;
    {
        fwtest::ScopedTimeZone tz("UTC");
        ASSERT_TRUE(LocalDateToUtc(noon, utc));
    }
    {
        fwtest::ScopedTimeZone tz("America/New_York");
        ASSERT_TRUE(LocalDateToUtc(noon, newYork));
        ASSERT_TRUE(LocalDateToUtc(noon, newYork));  // asked twice in a row
    }
    {
        fwtest::ScopedTimeZone tz("UTC");
        ASSERT_TRUE(LocalDateToUtc(noon, again));
    }
    EXPECT_EQ(newYork - utc, 5 * 3600);
    EXPECT_EQ(again, utc);
    EXPECT_FALSE(LocalDateToUtc(0.0, again));  // no date
}

}  // namespace
