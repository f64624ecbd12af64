// The run-length decoder: worked examples, both unit widths, and damaged runs refused.
#include "lib/file_link_reader.h"
#include "link_archive_builder.h"
#include "thrown_error.h"

#include <gtest/gtest.h>

#include <random>

using testing_lib::Bytes;
using testing_lib::fileErrorCode;

namespace {

Bytes decodeBytes(const Bytes& in, int method, size_t capacity_units)
{
    size_t width = method == 1 ? 2 : 1;
    Bytes out(capacity_units * width);
    size_t units = rleDecode(out.data(), capacity_units, in.data(), method, in.size() / width);
    out.resize(units * width);
    return out;
}

} // namespace

TEST(RleDecode, ExpandsRepeatedLiteralIntoRun)
{
    EXPECT_EQ(decodeBytes({ 0x41, 0x41, 0x05, 0x42 }, 0, 16), (Bytes { 0x41, 0x41, 0x41, 0x41, 0x41, 0x42 }));
    // A count of 0 stands for the single literal already written.
    EXPECT_EQ(decodeBytes({ 0x41, 0x42, 0x42, 0x00, 0x43 }, 0, 16), (Bytes { 0x41, 0x42, 0x43 }));
    // After a run the next byte is a fresh literal, even when it repeats the run's value.
    EXPECT_EQ(decodeBytes({ 0x07, 0x07, 0x02, 0x07, 0x07, 0x03 }, 0, 16), Bytes(5, 0x07));
}

TEST(RleDecode, SixteenBitUnitsCarrySixteenBitCounts)
{
    // Units 0x1234 0x1234 count 0x0103 (259), then 0xABCD.
    Bytes in { 0x34, 0x12, 0x34, 0x12, 0x03, 0x01, 0xCD, 0xAB };
    Bytes out = decodeBytes(in, 1, 300);
    ASSERT_EQ(out.size(), 260u * 2);
    for (size_t i = 0; i < 259; ++i) {
        ASSERT_EQ(out[2 * i], 0x34);
        ASSERT_EQ(out[2 * i + 1], 0x12);
    }
    EXPECT_EQ(out[518], 0xCD);
    EXPECT_EQ(out[519], 0xAB);
}

TEST(RleDecode, CountsWithoutDestination)
{
    Bytes in { 0x41, 0x41, 0xFF, 0x42, 0x42, 0x00 };
    EXPECT_EQ(rleDecode(nullptr, 0, in.data(), 0, in.size()), 256u);
    EXPECT_EQ(rleDecode(nullptr, 0, in.data(), 0, 0), 0u);
}

TEST(RleDecode, RoundTripsEncodedData)
{
    std::mt19937 random(7);
    for (int method : { 0, 1 }) {
        for (int trial = 0; trial < 50; ++trial) {
            Bytes data;
            while (data.size() < 2000) {
                // Long runs of few values, so runs past the largest count appear too.
                uint8_t value = uint8_t(random() % 3);
                size_t run = random() % 2 ? 1 : random() % 700;
                data.insert(data.end(), run, value);
            }
            if (data.size() % 2)
                data.pop_back();
            Bytes packed = testing_lib::rleEncode(data, method == 1 ? 2 : 1);
            ASSERT_EQ(decodeBytes(packed, method, data.size()), data) << "method " << method << " trial " << trial;
        }
    }
}

TEST(RleDecode, RefusesRunWithoutCount)
{
    Bytes in { 0x41, 0x41 };
    EXPECT_EQ(fileErrorCode([&] { rleDecode(nullptr, 0, in.data(), 0, in.size()); }), 1);
    Bytes wide { 0x01, 0x00, 0x01, 0x00 };
    EXPECT_EQ(fileErrorCode([&] { rleDecode(nullptr, 0, wide.data(), 1, 2); }), 1);
}

TEST(RleDecode, RefusesOutputPastDestination)
{
    Bytes in { 0x41, 0x41, 0xFF };
    Bytes out(100, 0xEE);
    EXPECT_EQ(fileErrorCode([&] { rleDecode(out.data(), 99, in.data(), 0, in.size()); }), 1);
    EXPECT_EQ(out[99], 0xEE);
    Bytes literals { 1, 2, 3 };
    EXPECT_EQ(fileErrorCode([&] { rleDecode(out.data(), 2, literals.data(), 0, literals.size()); }), 1);
    EXPECT_EQ(fileErrorCode([&] { rleDecode(out.data(), 3, literals.data(), 0, literals.size()); }), -1);
}
