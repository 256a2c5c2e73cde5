#include "store/list_flags.h"

#include <string>

#include <gtest/gtest.h>

namespace {

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
        {48, 1, true},  {0, 1, true},                   // always; no mode set: ask
        {48, 0, false},                                 // nothing selected
        {32 | 128 | 7, 2, true}, {16 | 128 | 64, 3, false},  // other bits do not matter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.flags) + " / " + std::to_string(c.selected));
        EXPECT_EQ(DeleteNeedsConfirmation(c.flags, c.selected), c.asks);
    }
    // The confirmation dialog replaces only its own bits.
    EXPECT_EQ(WithConfirmOptions(0xFF00u | 7u, kConfirmMultiple, true), 0xFF00u | 7u | 32u | 128u);
    EXPECT_EQ(WithConfirmOptions(kDefaultListFlags, kConfirmNever, false), 2u + 64u + 16u);
}

}  // namespace
