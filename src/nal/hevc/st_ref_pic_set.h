#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "mpeg/bounded_reader.h"
#include "mpeg/line_sink.h"

namespace cut2edl::hevc {

// st_ref_pic_set(stRpsIdx): a short-term reference picture set, the picture
// order count differences of the pictures before (S0) and after (S1) the
// current one that stay for reference, each marked as used by the current
// picture or kept for later ones. It is sent as those differences, or
// predicted from an earlier set (RefRpsIdx) shifted by deltaRps, with a flag
// for each picture of that set and one for the earlier set's own picture.
// Either way the derived DeltaPocS0/S1 and UsedByCurrPicS0/S1 are what later
// sets are predicted from.
class st_ref_pic_set {
public:
    // Reads set number stRpsIdx = earlier.size() of a sequence parameter set
    // with `num_short_term_ref_pic_sets` sets (a slice header's own set when
    // they are equal), where `earlier` are the sets before it and
    // `max_dec_pic_buffering_minus1` that of the highest sub-layer. Counts
    // beyond that buffer, a reference outside the earlier sets and a derived
    // set of more than 16 pictures end the parse.
    void parse(BoundedReader& reader, std::span<const st_ref_pic_set> earlier, unsigned num_short_term_ref_pic_sets,
               unsigned max_dec_pic_buffering_minus1);
    void dump(const LineSink& sink) const;

    unsigned RefRpsIdx() const { return stRpsIdx - (delta_idx_minus1.value + 1); }
    int deltaRps() const;
    unsigned NumNegativePics() const { return static_cast<unsigned>(DeltaPocS0.size()); }
    unsigned NumPositivePics() const { return static_cast<unsigned>(DeltaPocS1.size()); }
    unsigned NumDeltaPocs() const { return NumNegativePics() + NumPositivePics(); }

    // The set was read in full and its pictures derived.
    bool complete = false;

    unsigned stRpsIdx = 0;
    Field<std::uint8_t> inter_ref_pic_set_prediction_flag;
    // Sent only for a slice header's own set; 0 in a sequence parameter set.
    bool delta_idx_present = false;
    Field<std::uint32_t> delta_idx_minus1;
    Field<std::uint8_t> delta_rps_sign;
    Field<std::uint32_t> abs_delta_rps_minus1;
    // Indexed by j from 0 to NumDeltaPocs[RefRpsIdx]: the reference set's S0
    // pictures, its S1 pictures, then its own picture.
    struct prediction_flags {
        Field<std::uint8_t> used_by_curr_pic_flag;
        Field<std::uint8_t> use_delta_flag{1, 0};  // 1 where it is not sent
    };
    std::vector<prediction_flags> predictions;  // as many as were read

    Field<std::uint32_t> num_negative_pics;
    Field<std::uint32_t> num_positive_pics;
    struct negative_picture {
        Field<std::uint32_t> delta_poc_s0_minus1;
        Field<std::uint8_t> used_by_curr_pic_s0_flag;
    };
    struct positive_picture {
        Field<std::uint32_t> delta_poc_s1_minus1;
        Field<std::uint8_t> used_by_curr_pic_s1_flag;
    };
    std::vector<negative_picture> negative_pictures;  // as many as were read
    std::vector<positive_picture> positive_pictures;  // as many as were read

    // Derived once the set is complete, nearest picture first.
    std::vector<int> DeltaPocS0;
    std::vector<std::uint8_t> UsedByCurrPicS0;
    std::vector<int> DeltaPocS1;
    std::vector<std::uint8_t> UsedByCurrPicS1;

private:
    void parse_predicted(BoundedReader& reader, std::span<const st_ref_pic_set> earlier,
                         unsigned num_short_term_ref_pic_sets);
    void parse_explicit(BoundedReader& reader, unsigned max_dec_pic_buffering_minus1);
    void derive_from(const st_ref_pic_set& reference);
    void derive_explicit();
    void dump_predicted(const LineSink& sink) const;
    void dump_explicit(const LineSink& sink) const;
};

}  // namespace cut2edl::hevc
