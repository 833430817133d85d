#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "support/AutostartEntry.h"

namespace wakelatch {
namespace {

using sml_ALL_REG_ZUGRIFF::SetAutostartEntry;

TEST(SetAutostartEntry, WritesDeletesAndRejectsOtherModes) {
    testing::FakeAutostart entries;
    EXPECT_TRUE(SetAutostartEntry(entries, "Wakelatch", "/opt/w/wakelatch", 1));
    EXPECT_EQ(entries.entries.at("Wakelatch"), "/opt/w/wakelatch");
    EXPECT_TRUE(SetAutostartEntry(entries, "Wakelatch", "", 0));
    EXPECT_FALSE(SetAutostartEntry(entries, "Wakelatch", "", 0));
    EXPECT_FALSE(SetAutostartEntry(entries, "Wakelatch", "/x", 2));
    EXPECT_EQ(entries.calls.size(), 3U);
}

TEST(SetAutostartEntry, AFailedWriteReportsFalse) {
    testing::FakeAutostart entries;
    entries.failWrites = true;
    EXPECT_FALSE(SetAutostartEntry(entries, "Wakelatch", "/opt/w/wakelatch", 1));
}

}  // namespace
}  // namespace wakelatch
