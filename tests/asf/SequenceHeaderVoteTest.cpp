#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "asf/SequenceHeaderVote.h"

namespace cut2edl {
namespace {

// A sequence header start code and the four bytes the vote reads behind it.
std::string sequenceHeader(unsigned width, unsigned height, unsigned code) {
    const unsigned bits = width << 20 | height << 8 | 0x40 | code;
    return std::string("\x00\x00\x01\xB3", 4) + static_cast<char>(bits >> 24) + static_cast<char>(bits >> 16) +
           static_cast<char>(bits >> 8) + static_cast<char>(bits);
}

// Headers separated by filler that holds no start code.
VideoFormat voteOver(const std::vector<std::string>& headers) {
    std::string bytes = "ASF framing";
    for (const std::string& header : headers) bytes += header + "payload bytes";
    std::istringstream in(bytes);
    return voteSequenceHeaders(in);
}

TEST(SequenceHeaderVote, MajorityOfTheFirstFiveWinsAndTiesGoToTheSmallestKey) {
    EXPECT_EQ(voteOver({sequenceHeader(720, 576, 3), sequenceHeader(720, 576, 3), sequenceHeader(720, 576, 3),
                        sequenceHeader(720, 576, 4), sequenceHeader(720, 576, 4)})
                  .frameRate,
              25.0);
    EXPECT_EQ(voteOver({sequenceHeader(720, 576, 3), sequenceHeader(720, 576, 3), sequenceHeader(720, 576, 4),
                        sequenceHeader(720, 576, 4), sequenceHeader(720, 576, 0)})
                  .frameRate,
              25.0);
    // 720 has three votes against two for 704.
    const VideoFormat sizes = voteOver({sequenceHeader(720, 576, 3), sequenceHeader(720, 576, 3),
                                        sequenceHeader(704, 576, 3), sequenceHeader(704, 576, 3),
                                        sequenceHeader(720, 480, 3)});
    EXPECT_EQ(sizes.width, 720);
    EXPECT_EQ(sizes.height, 576);
    const VideoFormat tie = voteOver({sequenceHeader(720, 576, 3), sequenceHeader(704, 480, 3)});
    EXPECT_EQ(tie.width, 704);
    EXPECT_EQ(tie.height, 480);
}

TEST(SequenceHeaderVote, OnlyTheFirstFiveHeadersCount) {
    std::vector<std::string> headers(5, sequenceHeader(720, 576, 3));
    headers.insert(headers.end(), 6, sequenceHeader(1920, 1080, 4));
    const VideoFormat format = voteOver(headers);
    EXPECT_EQ(format.frameRate, 25.0);
    EXPECT_EQ(format.width, 720);
}

TEST(SequenceHeaderVote, NtscRatesAreExactFractions) {
    EXPECT_EQ(voteOver({sequenceHeader(720, 480, 1)}).frameRate, 24000.0 / 1001.0);
    EXPECT_EQ(voteOver({sequenceHeader(720, 480, 4)}).frameRate, 30000.0 / 1001.0);
    EXPECT_EQ(voteOver({sequenceHeader(720, 480, 7)}).frameRate, 60000.0 / 1001.0);
    EXPECT_EQ(voteOver({sequenceHeader(720, 480, 8)}).frameRate, 60.0);
}

TEST(SequenceHeaderVote, WithoutAUsableCodeTheRateStaysUnknown) {
    const VideoFormat none = voteOver({});
    EXPECT_EQ(none.frameRate, -1.0);
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.height, 0);
    const VideoFormat forbidden = voteOver({sequenceHeader(720, 576, 0), sequenceHeader(720, 576, 9)});
    EXPECT_EQ(forbidden.frameRate, -1.0);
    EXPECT_EQ(forbidden.width, 720);
}

TEST(SequenceHeaderVote, StartCodeByteRule) {
    std::istringstream longPrefix(std::string("\x00\x00\x00\x00\x01\xB3\x2D\x02\x40\x13", 10));
    EXPECT_EQ(voteSequenceHeaders(longPrefix).frameRate, 25.0);
    // The scan consumed the 00 behind 00 00 01 and restarts after it.
    std::istringstream broken(std::string("\x00\x00\x01\x00\x00\x01\xB3\x2D\x02\x40\x13", 11));
    EXPECT_EQ(voteSequenceHeaders(broken).frameRate, -1.0);
}

TEST(SequenceHeaderVote, HeaderCutByTheEndOfTheFileIsNotCounted) {
    std::istringstream in(sequenceHeader(720, 576, 3) + sequenceHeader(352, 288, 4).substr(0, 6));
    const VideoFormat format = voteSequenceHeaders(in);
    EXPECT_EQ(format.frameRate, 25.0);
    EXPECT_EQ(format.width, 720);
}

TEST(SequenceHeaderVote, HeadersAcrossReadBoundariesAreFound) {
    for (std::size_t offset : {65530u, 65533u, 65535u, 65536u}) {
        std::istringstream in(std::string(offset, '\xFF') + sequenceHeader(720, 576, 6));
        EXPECT_EQ(voteSequenceHeaders(in).frameRate, 50.0) << offset;
    }
}

TEST(SequenceHeaderVote, ScanStopsAfterSixteenMebibytes) {
    std::istringstream beyond(std::string(sequenceHeaderScanLimit, '\xFF') + sequenceHeader(720, 576, 3));
    EXPECT_EQ(voteSequenceHeaders(beyond).frameRate, -1.0);
    std::istringstream within(std::string(sequenceHeaderScanLimit - 8, '\xFF') + sequenceHeader(720, 576, 3));
    EXPECT_EQ(voteSequenceHeaders(within).frameRate, 25.0);
}

}  // namespace
}  // namespace cut2edl
