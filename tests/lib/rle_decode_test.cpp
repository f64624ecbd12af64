// The run-length decoder: worked examples, both unit widths, and damaged runs refused.
#include "lib/file_link_reader.h"
#include "link_archive_builder.h"
#include "thrown_error.h"

#include <gtest/gtest.h>

#include <random>

using testing_lib::Bytes;
using testing_lib::fileErrorCode;

namespace {

Bytes decoded(const Bytes& in, int method, size_t capacity_units = 1000)
{
    size_t width = method == 1 ? 2 : 1;
    Bytes out(capacity_units * width);
    out.resize(rleDecode(out.data(), capacity_units, in.data(), method, in.size() / width) * width);
    return out;
}

} // namespace

TEST(RleDecode, ExpandsRepeatedLiteralIntoRun)
{
    EXPECT_EQ(decoded({ 0x41, 0x41, 0x05, 0x42 }, 0), (Bytes { 0x41, 0x41, 0x41, 0x41, 0x41, 0x42 }));
    EXPECT_EQ(decoded({ 0x41, 0x42, 0x42, 0x00, 0x43 }, 0), (Bytes { 0x41, 0x42, 0x43 }));
    // After a run the next byte is a fresh literal, even when it repeats the run's value.
    EXPECT_EQ(decoded({ 0x07, 0x07, 0x02, 0x07, 0x07, 0x03 }, 0), Bytes(5, 0x07));
    // 16-bit units carry 16-bit counts: 0x1234 259 times, then 0xABCD.
    Bytes wide = decoded({ 0x34, 0x12, 0x34, 0x12, 0x03, 0x01, 0xCD, 0xAB }, 1);
    ASSERT_EQ(wide.size(), 520u);
    EXPECT_EQ(wide[516] | wide[517] << 8, 0x1234);
    EXPECT_EQ(wide[518] | wide[519] << 8, 0xABCD);
    Bytes in { 0x41, 0x41, 0xFF, 0x42, 0x42, 0x00 };
    EXPECT_EQ(rleDecode(nullptr, 0, in.data(), 0, in.size()), 256u) << "counting only";
}

TEST(RleDecode, RoundTripsEncodedData)
{
    std::mt19937 random(7);
    for (int method : { 0, 1 }) {
        for (int trial = 0; trial < 50; ++trial) {
            Bytes data; // long runs of few values, so runs past the largest count appear too
            while (data.size() < 2000) {
                // One draw a statement: the order of a call's arguments differs between compilers.
                const size_t run = random() % 2 ? 1 : random() % 700;
                const uint8_t value = uint8_t(random() % 3);
                data.insert(data.end(), run, value);
            }
            data.resize(data.size() & ~size_t(1));
            Bytes packed = testing_lib::rleEncode(data, method == 1 ? 2 : 1);
            ASSERT_EQ(decoded(packed, method, data.size()), data) << "method " << method << " trial " << trial;
        }
    }
}

TEST(RleDecode, RefusesRunWithoutCountAndOutputPastDestination)
{
    Bytes cut { 0x41, 0x41 }, wide_cut { 0x01, 0x00, 0x01, 0x00 }, run { 0x41, 0x41, 0xFF }, literals { 1, 2, 3 };
    EXPECT_EQ(fileErrorCode([&] { rleDecode(nullptr, 0, cut.data(), 0, 2); }), 1);
    EXPECT_EQ(fileErrorCode([&] { rleDecode(nullptr, 0, wide_cut.data(), 1, 2); }), 1);
    Bytes out(100, 0xEE);
    EXPECT_EQ(fileErrorCode([&] { rleDecode(out.data(), 99, run.data(), 0, 3); }), 1);
    EXPECT_EQ(out[99], 0xEE);
    EXPECT_EQ(fileErrorCode([&] { rleDecode(out.data(), 2, literals.data(), 0, 3); }), 1);
    EXPECT_EQ(fileErrorCode([&] { rleDecode(out.data(), 3, literals.data(), 0, 3); }), -1);
}
