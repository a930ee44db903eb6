#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mpeg/bit_string_support.h"
#include "nal/hevc/parameter_set_bits.h"
#include "nal/hevc/st_ref_pic_set.h"

namespace cut2edl::hevc {
namespace {

using test::ue;

// Sets read one after another as a sequence parameter set reads them, with
// `count` sets in the parameter set (a slice header's own set is number
// `count`) and a buffer of `max_dec_pic_buffering_minus1` + 1 pictures.
struct Sets {
    Sets(const std::string& bits, unsigned sets_to_read, unsigned count, unsigned max_dec_pic_buffering_minus1)
        : bytes(from_bits(bits)) {
        BoundedReader reader(bytes.data(), static_cast<int>(bytes.size()), &position);
        for (unsigned i = 0; i < sets_to_read && !reader.ran_out(); ++i) {
            st_ref_pic_set set;
            set.parse(reader, sets, count, max_dec_pic_buffering_minus1);
            sets.push_back(std::move(set));
        }
        stopped = reader.ran_out();
    }

    std::vector<std::uint8_t> bytes;
    int position = 0;
    std::vector<st_ref_pic_set> sets;
    bool stopped = false;
};

// Set 0, sent: S0 pictures at -1 (used) and -1 - 2 = -3 (not used), S1 at +2 (used).
const std::string set_0 = ue(2) + ue(1) + ue(0) + "1" + ue(1) + "0" + ue(1) + "1";
// Set 1, predicted from set 0 with deltaRps = -1 (sign 1, abs_delta_rps_minus1 0).
// j = 0, 1, 2 are set 0's -1, -3, +2 and j = 3 its own picture:
//   used_by_curr_pic_flag 1, 0, 0, 1 and use_delta_flag (1), 1, 0, (1).
// S0: set 0's S1 shifted: +2 - 1 = +1 is not before; deltaRps itself -1
// (j 3, used); set 0's S0 shifted: -2 (j 0, used), -4 (j 1, not used).
// S1: set 0's S0 shifted stay negative; +1 from j 2 is dropped (use_delta_flag 0).
const std::string set_1 = "1" "1" + ue(0) + "1" "01" "00" "1";
// Set 2, predicted from set 1 (S0 -1, -2, -4) with deltaRps = +3:
//   used_by_curr_pic_flag 1, 1, 0, 0, use_delta_flag (1), (1), 1, 1.
// S0: -1 -> +2, -2 -> +1 stay out; -4 -> -1 (j 2, not used).
// S1: set 1's S0 from the farthest: -4 -> -1 no, -2 -> +1 (j 1, used),
// -1 -> +2 (j 0, used); then deltaRps +3 itself (j 3, not used).
const std::string set_2 = "1" "0" + ue(2) + "1" "1" "01" "01";

TEST(StRefPicSet, InterSetPredictionDerivesThePicturesOfEachSetFromTheOneBefore) {
    const Sets parsed(set_0 + set_1 + set_2, 3, 3, 4);
    ASSERT_EQ(parsed.sets.size(), 3u);
    const st_ref_pic_set& first = parsed.sets[0];
    EXPECT_TRUE(first.complete);
    EXPECT_EQ(first.DeltaPocS0, (std::vector<int>{-1, -3}));
    EXPECT_EQ(first.UsedByCurrPicS0, (std::vector<std::uint8_t>{1, 0}));
    EXPECT_EQ(first.DeltaPocS1, (std::vector<int>{2}));
    EXPECT_EQ(first.NumDeltaPocs(), 3u);

    const st_ref_pic_set& second = parsed.sets[1];
    ASSERT_TRUE(second.complete);
    EXPECT_EQ(second.RefRpsIdx(), 0u);
    EXPECT_EQ(second.deltaRps(), -1);
    ASSERT_EQ(second.predictions.size(), 4u);
    EXPECT_EQ(second.predictions[2].use_delta_flag.value, 0);
    EXPECT_EQ(second.predictions[3].use_delta_flag.value, 1) << "inferred";
    EXPECT_EQ(second.DeltaPocS0, (std::vector<int>{-1, -2, -4}));
    EXPECT_EQ(second.UsedByCurrPicS0, (std::vector<std::uint8_t>{1, 1, 0}));
    EXPECT_TRUE(second.DeltaPocS1.empty());
    EXPECT_EQ(second.NumNegativePics(), 3u);

    const st_ref_pic_set& third = parsed.sets[2];
    ASSERT_TRUE(third.complete);
    EXPECT_EQ(third.RefRpsIdx(), 1u);
    EXPECT_EQ(third.deltaRps(), 3);
    EXPECT_EQ(third.DeltaPocS0, (std::vector<int>{-1}));
    EXPECT_EQ(third.UsedByCurrPicS0, (std::vector<std::uint8_t>{0}));
    EXPECT_EQ(third.DeltaPocS1, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(third.UsedByCurrPicS1, (std::vector<std::uint8_t>{1, 1, 0}));
    EXPECT_FALSE(parsed.stopped);

    std::vector<std::string> lines;
    third.dump([&lines](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(lines, (std::vector<std::string>{"inter_ref_pic_set_prediction_flag: Yes",
                                               "delta_rps_sign: 0",
                                               "abs_delta_rps_minus1: 2",
                                               "used_by_curr_pic_flag[0]: Yes",
                                               "used_by_curr_pic_flag[1]: Yes",
                                               "used_by_curr_pic_flag[2]: No",
                                               "use_delta_flag[2]: Yes",
                                               "used_by_curr_pic_flag[3]: No",
                                               "use_delta_flag[3]: Yes",
                                               "DeltaPocS0[0]: -1, UsedByCurrPicS0[0]: No",
                                               "DeltaPocS1[0]: 1, UsedByCurrPicS1[0]: Yes",
                                               "DeltaPocS1[1]: 2, UsedByCurrPicS1[1]: Yes",
                                               "DeltaPocS1[2]: 3, UsedByCurrPicS1[2]: No"}));
}

TEST(StRefPicSet, ASliceHeadersOwnSetNamesItsReferenceAndDropsThePictureItself) {
    // Set 3 of 3, from set 0 (delta_idx_minus1 2) shifted by +1, all used:
    // S0 -1 -> 0 is the current picture itself and goes; -3 -> -2.
    // S1: deltaRps +1 itself, then +2 -> +3.
    const Sets parsed(set_0 + set_1 + set_2 + "1" + ue(2) + "0" + ue(0) + "1111", 4, 3, 4);
    ASSERT_EQ(parsed.sets.size(), 4u);
    const st_ref_pic_set& own = parsed.sets[3];
    ASSERT_TRUE(own.complete);
    EXPECT_TRUE(own.delta_idx_present);
    EXPECT_EQ(own.RefRpsIdx(), 0u);
    EXPECT_EQ(own.DeltaPocS0, (std::vector<int>{-2}));
    EXPECT_EQ(own.DeltaPocS1, (std::vector<int>{1, 3}));
    // delta_idx_minus1 3 would reach before set 0.
    const Sets outside(set_0 + set_1 + set_2 + "1" + ue(3) + "0" + ue(0) + "1111", 4, 3, 4);
    EXPECT_FALSE(outside.sets[3].complete);
    EXPECT_TRUE(outside.stopped);
}

TEST(StRefPicSet, CountsBeyondTheBufferOrSixteenPicturesEndTheParse) {
    // With a buffer of 5 pictures: 5 before, or 2 before and 3 after, are too many.
    EXPECT_TRUE(Sets(ue(5) + ue(0) + "11111111111", 1, 1, 4).stopped);
    EXPECT_TRUE(Sets(ue(2) + ue(3) + "11111111111", 1, 1, 4).stopped);
    EXPECT_FALSE(Sets(ue(2) + ue(2) + "11111111", 1, 1, 4).stopped);
    // 15 pictures at -1 to -15; each prediction by -1 with every flag 1 adds
    // its own picture: 16 pictures, then 17.
    std::string bits = ue(15) + ue(0);
    for (int i = 0; i < 15; ++i) bits += ue(0) + "1";
    bits += "1" "1" + ue(0) + test::ones(16);
    bits += "1" "1" + ue(0) + test::ones(17);
    const Sets parsed(bits + test::ones(20), 3, 3, 15);
    ASSERT_EQ(parsed.sets.size(), 3u);
    EXPECT_EQ(parsed.sets[0].NumNegativePics(), 15u);
    EXPECT_TRUE(parsed.sets[1].complete);
    EXPECT_EQ(parsed.sets[1].NumDeltaPocs(), 16u);
    EXPECT_EQ(parsed.sets[1].DeltaPocS0.back(), -16);
    EXPECT_FALSE(parsed.sets[2].complete);
    EXPECT_TRUE(parsed.stopped);
}

}  // namespace
}  // namespace cut2edl::hevc
