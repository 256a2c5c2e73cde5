// The buffer size value lives once per process, so these checks run in a program of their own
// that starts with the library freshly loaded.
#include <gtest/gtest.h>

#include "cartio.h"

namespace {

TEST(BufferSize, TheFirstPositiveValueStaysForTheProcess)
{
    EXPECT_EQ(GetBufSz(), 0);
    EXPECT_EQ(SetBufSz(0), 0);
    EXPECT_EQ(SetBufSz(-3), 0) << "a negative size is no size";
    EXPECT_EQ(GetBufSz(), 0);
    EXPECT_EQ(SetBufSz(32768), 32768);
    EXPECT_EQ(SetBufSz(1000), 32768);
    EXPECT_EQ(SetBufSz(0), 32768);
    EXPECT_EQ(GetBufSz(), 32768);
}

}  // namespace
