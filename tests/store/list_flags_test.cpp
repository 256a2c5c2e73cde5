#include "store/list_flags.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(ListFlags, DefaultIsFirstOnlyConfirmAlwaysSelectNewConfirmDrag)
{
    EXPECT_EQ(kDefaultListFlags & kListNamesMask, 2u);
    EXPECT_EQ(kDefaultListFlags & kListWithTitle, 0u);
    EXPECT_EQ(DeleteConfirmModeOf(kDefaultListFlags), kConfirmAlways);
    EXPECT_NE(kDefaultListFlags & kListSelectNewItems, 0u);
    EXPECT_TRUE(DragNeedsConfirmation(kDefaultListFlags));
}

TEST(ListFlags, DeletionAsksByModeAndSelectionSize)
{
    struct Case {
        uint32_t flags;
        int32_t selected;
        bool asks;
    };
    const Case cases[] = {
        {16, 1, false}, {16, 5, false},                 // never
        {32, 1, false}, {32, 2, true},                  // multiple selections only
        {48, 1, true},  {48, 3, true},                  // always
        {0, 1, true},                                   // no mode set: ask
        {48, 0, false},                                 // nothing selected
        {32 | 128 | 7, 2, true}, {16 | 128 | 64, 3, false},  // other bits do not matter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.flags) + " / " + std::to_string(c.selected));
        EXPECT_EQ(DeleteNeedsConfirmation(c.flags, c.selected), c.asks);
    }
}

TEST(ListFlags, ConfirmationOptionsReplaceOnlyTheirBits)
{
    EXPECT_EQ(WithConfirmOptions(kDefaultListFlags, kConfirmNever, false), 2u + 64u + 16u);
    EXPECT_EQ(WithConfirmOptions(0xFF00u | 7u, kConfirmMultiple, true), 0xFF00u | 7u | 32u | 128u);
    const uint32_t flags = WithConfirmOptions(kDefaultListFlags, kConfirmMultiple, false);
    EXPECT_EQ(DeleteConfirmModeOf(flags), kConfirmMultiple);
    EXPECT_FALSE(DragNeedsConfirmation(flags));
    EXPECT_EQ(flags & (kListNamesMask | kListWithTitle | kListSelectNewItems),
              kDefaultListFlags & (kListNamesMask | kListWithTitle | kListSelectNewItems));
}

}  // namespace
