#include "nal/hevc/st_ref_pic_set.h"

#include "nal/ranged_read.h"

namespace cut2edl::hevc {

namespace {

constexpr std::uint32_t largest_abs_delta_rps_minus1 = (1u << 15) - 1;
constexpr std::uint32_t largest_delta_poc_minus1 = (1u << 15) - 1;
// A decoded picture buffer holds at most 16 pictures.
constexpr unsigned most_delta_pocs = 16;

void dump_pictures(const LineSink& sink, const char* list, const std::vector<int>& delta_pocs,
                   const std::vector<std::uint8_t>& used) {
    for (std::size_t i = 0; i < delta_pocs.size(); ++i) {
        print_line(sink, "DeltaPoc%s[%zu]: %d, UsedByCurrPic%s[%zu]: %s", list, i, delta_pocs[i], list, i,
                   yes_no(used[i]));
    }
}

}  // namespace

int st_ref_pic_set::deltaRps() const {
    const int magnitude = static_cast<int>(abs_delta_rps_minus1.value) + 1;
    return delta_rps_sign.value ? -magnitude : magnitude;
}

void st_ref_pic_set::parse(BoundedReader& reader, std::span<const st_ref_pic_set> earlier,
                           unsigned num_short_term_ref_pic_sets, unsigned max_dec_pic_buffering_minus1) {
    stRpsIdx = static_cast<unsigned>(earlier.size());
    if (stRpsIdx != 0) reader.read(inter_ref_pic_set_prediction_flag, 1);
    if (reader.ran_out()) return;
    if (inter_ref_pic_set_prediction_flag.value) {
        parse_predicted(reader, earlier, num_short_term_ref_pic_sets);
    } else {
        parse_explicit(reader, max_dec_pic_buffering_minus1);
    }
}

void st_ref_pic_set::parse_predicted(BoundedReader& reader, std::span<const st_ref_pic_set> earlier,
                                     unsigned num_short_term_ref_pic_sets) {
    delta_idx_present = stRpsIdx == num_short_term_ref_pic_sets;
    if (delta_idx_present) read_ue_at_most(reader, delta_idx_minus1, stRpsIdx - 1);
    reader.read(delta_rps_sign, 1);
    read_ue_at_most(reader, abs_delta_rps_minus1, largest_abs_delta_rps_minus1);
    if (reader.ran_out()) return;
    const st_ref_pic_set& reference = earlier[RefRpsIdx()];
    if (!reference.complete) {
        reader.stop();
        return;
    }
    for (unsigned j = 0; j <= reference.NumDeltaPocs(); ++j) {
        prediction_flags flags;
        reader.read(flags.used_by_curr_pic_flag, 1);
        if (!flags.used_by_curr_pic_flag.value) reader.read(flags.use_delta_flag, 1);
        if (reader.ran_out()) return;
        predictions.push_back(flags);
    }
    derive_from(reference);
    if (NumDeltaPocs() > most_delta_pocs) {
        reader.stop();
        return;
    }
    complete = true;
}

// Each picture of the reference set, and the reference picture itself at
// deltaRps, shifted by deltaRps: those now before the current picture go to
// S0, those after it to S1, each list nearest first.
void st_ref_pic_set::derive_from(const st_ref_pic_set& reference) {
    const int shift = deltaRps();
    const int negatives = static_cast<int>(reference.NumNegativePics());
    const int positives = static_cast<int>(reference.NumPositivePics());
    const auto own = static_cast<std::size_t>(reference.NumDeltaPocs());
    const auto take = [this](std::vector<int>& list, std::vector<std::uint8_t>& used, int dPoc, std::size_t j) {
        list.push_back(dPoc);
        used.push_back(predictions[j].used_by_curr_pic_flag.value);
    };
    const auto kept = [this](std::size_t j) { return predictions[j].use_delta_flag.value != 0; };
    for (int j = positives - 1; j >= 0; --j) {
        const int dPoc = reference.DeltaPocS1[j] + shift;
        const auto flag = static_cast<std::size_t>(negatives + j);
        if (dPoc < 0 && kept(flag)) take(DeltaPocS0, UsedByCurrPicS0, dPoc, flag);
    }
    if (shift < 0 && kept(own)) take(DeltaPocS0, UsedByCurrPicS0, shift, own);
    for (int j = 0; j < negatives; ++j) {
        const int dPoc = reference.DeltaPocS0[j] + shift;
        if (dPoc < 0 && kept(j)) take(DeltaPocS0, UsedByCurrPicS0, dPoc, j);
    }
    for (int j = negatives - 1; j >= 0; --j) {
        const int dPoc = reference.DeltaPocS0[j] + shift;
        if (dPoc > 0 && kept(j)) take(DeltaPocS1, UsedByCurrPicS1, dPoc, j);
    }
    if (shift > 0 && kept(own)) take(DeltaPocS1, UsedByCurrPicS1, shift, own);
    for (int j = 0; j < positives; ++j) {
        const int dPoc = reference.DeltaPocS1[j] + shift;
        const auto flag = static_cast<std::size_t>(negatives + j);
        if (dPoc > 0 && kept(flag)) take(DeltaPocS1, UsedByCurrPicS1, dPoc, flag);
    }
}

void st_ref_pic_set::parse_explicit(BoundedReader& reader, unsigned max_dec_pic_buffering_minus1) {
    read_ue_at_most(reader, num_negative_pics, max_dec_pic_buffering_minus1);
    if (reader.ran_out()) return;
    read_ue_at_most(reader, num_positive_pics, max_dec_pic_buffering_minus1 - num_negative_pics.value);
    for (std::uint32_t i = 0; i < num_negative_pics.value && !reader.ran_out(); ++i) {
        negative_picture picture;
        read_ue_at_most(reader, picture.delta_poc_s0_minus1, largest_delta_poc_minus1);
        reader.read(picture.used_by_curr_pic_s0_flag, 1);
        if (!reader.ran_out()) negative_pictures.push_back(picture);
    }
    for (std::uint32_t i = 0; i < num_positive_pics.value && !reader.ran_out(); ++i) {
        positive_picture picture;
        read_ue_at_most(reader, picture.delta_poc_s1_minus1, largest_delta_poc_minus1);
        reader.read(picture.used_by_curr_pic_s1_flag, 1);
        if (!reader.ran_out()) positive_pictures.push_back(picture);
    }
    if (reader.ran_out()) return;
    derive_explicit();
    complete = true;
}

// Each difference counts on from the one before it, away from the current picture.
void st_ref_pic_set::derive_explicit() {
    int poc = 0;
    for (const negative_picture& picture : negative_pictures) {
        poc -= static_cast<int>(picture.delta_poc_s0_minus1.value) + 1;
        DeltaPocS0.push_back(poc);
        UsedByCurrPicS0.push_back(picture.used_by_curr_pic_s0_flag.value);
    }
    poc = 0;
    for (const positive_picture& picture : positive_pictures) {
        poc += static_cast<int>(picture.delta_poc_s1_minus1.value) + 1;
        DeltaPocS1.push_back(poc);
        UsedByCurrPicS1.push_back(picture.used_by_curr_pic_s1_flag.value);
    }
}

void st_ref_pic_set::dump(const LineSink& sink) const {
    if (stRpsIdx != 0) {
        print_line(sink, "inter_ref_pic_set_prediction_flag: %s", yes_no(inter_ref_pic_set_prediction_flag.value));
    }
    if (inter_ref_pic_set_prediction_flag.value) {
        dump_predicted(sink);
    } else {
        dump_explicit(sink);
    }
    if (complete) {
        dump_pictures(sink, "S0", DeltaPocS0, UsedByCurrPicS0);
        dump_pictures(sink, "S1", DeltaPocS1, UsedByCurrPicS1);
    }
}

void st_ref_pic_set::dump_predicted(const LineSink& sink) const {
    if (delta_idx_present) print_line(sink, "delta_idx_minus1: %u", delta_idx_minus1.value);
    print_line(sink, "delta_rps_sign: %u", delta_rps_sign.value);
    print_line(sink, "abs_delta_rps_minus1: %u", abs_delta_rps_minus1.value);
    for (std::size_t j = 0; j < predictions.size(); ++j) {
        print_line(sink, "used_by_curr_pic_flag[%zu]: %s", j, yes_no(predictions[j].used_by_curr_pic_flag.value));
        if (!predictions[j].used_by_curr_pic_flag.value) {
            print_line(sink, "use_delta_flag[%zu]: %s", j, yes_no(predictions[j].use_delta_flag.value));
        }
    }
}

void st_ref_pic_set::dump_explicit(const LineSink& sink) const {
    print_line(sink, "num_negative_pics: %u", num_negative_pics.value);
    print_line(sink, "num_positive_pics: %u", num_positive_pics.value);
    for (std::size_t i = 0; i < negative_pictures.size(); ++i) {
        print_line(sink, "delta_poc_s0_minus1[%zu]: %u", i, negative_pictures[i].delta_poc_s0_minus1.value);
        print_line(sink, "used_by_curr_pic_s0_flag[%zu]: %s", i,
                   yes_no(negative_pictures[i].used_by_curr_pic_s0_flag.value));
    }
    for (std::size_t i = 0; i < positive_pictures.size(); ++i) {
        print_line(sink, "delta_poc_s1_minus1[%zu]: %u", i, positive_pictures[i].delta_poc_s1_minus1.value);
        print_line(sink, "used_by_curr_pic_s1_flag[%zu]: %s", i,
                   yes_no(positive_pictures[i].used_by_curr_pic_s1_flag.value));
    }
}

}  // namespace cut2edl::hevc
