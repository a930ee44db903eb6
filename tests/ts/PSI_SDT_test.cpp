#include <gtest/gtest.h>

#include "descriptors/service_descriptor.h"
#include "psi_support.h"

namespace cut2edl {
namespace {

Parsed<PSI_SDT> parse_sdt(const Bytes& bytes, int readable) {
    Parsed<PSI_SDT> parsed;
    parsed.table.parse(bytes.data(), section_size_of(bytes), &parsed.position, readable,
                       [&parsed](std::string_view text) { parsed.notices.emplace_back(text); });
    return parsed;
}

Parsed<PSI_SDT> parse_sdt(const Bytes& bytes) { return parse_sdt(bytes, size_of(bytes)); }

int services_of(const PSI_SDT& sdt) {
    int count = 0;
    for (const PSI_SDT_Service* service = sdt.services.get(); service; service = service->next.get()) ++count;
    return count;
}

Lines service_lines(int id, bool eit, const std::string& type, const std::string& name) {
    return {format_text("service_id: %d (0x%04X)", id, id),
            std::string("EIT_schedule_flag: ") + (eit ? "Yes" : "No"),
            std::string("EIT_present_following_flag: ") + (eit ? "Yes" : "No"), "running_status: 4 (running)",
            "free_CA_mode: No", "service_type: " + type, "Service Provider Name: Rai", "Service Name: " + name};
}

TEST(PsiSdt, RendersTheRaiMultiplexsServices) {
    const auto parsed = parse_sdt(rai_sdt);
    // section_length 0xCF: 210 bytes in all, the last four the CRC_32.
    EXPECT_EQ(parsed.position, 1 + 210);
    EXPECT_EQ(services_of(parsed.table), 8);
    EXPECT_EQ(parsed.table.CRC_32.value, 0x5412F872u);
    Lines expected = {"transport_stream_id: 0x4800 (18432)", "original_network_id: 0x013E (318)"};
    const std::string tv = "1 (digital television service)";
    const std::string radio = "2 (digital radio sound service)";
    for (const auto& [id, type, name] :
         std::vector<std::tuple<int, std::string, std::string>>{{3401, tv, "Rai 1"}, {3402, tv, "Rai 2"},
                                                                {3404, radio, "Rai Radio1"}, {3405, radio, "Rai Radio2"},
                                                                {3406, radio, "Rai Radio3"}, {3411, tv, "Rai News 24"},
                                                                {3403, tv, "Rai 3 TGR Emilia Romagna"}}) {
        const Lines service = service_lines(id, true, type, name);
        expected.insert(expected.end(), service.begin(), service.end());
    }
    // The HEVC test service: flags byte 0xFC (no EIT), service_type 0x1F, which the table reserves.
    const Lines hevc = service_lines(3410, false, "31 (reserved for future use)", "Test HEVC main10");
    expected.insert(expected.end(), hevc.begin(), hevc.end());
    expected.push_back("CRC32 = 0x5412F872");
    EXPECT_EQ(lines_of(parsed.table), expected);
    EXPECT_TRUE(parsed.notices.empty());
}

TEST(PsiSdt, ASectionCutShortKeepsTheServicesThatFit) {
    // 30 bytes: the 11 fixed ones, service 3401 (5 + 13) and one byte of the next.
    const auto parsed = parse_sdt(rai_sdt, 30);
    EXPECT_EQ(services_of(parsed.table), 1);
    EXPECT_EQ(parsed.table.CRC_32.value, 0u);
    EXPECT_EQ(parsed.position, 1 + 30);
    const auto& name = dynamic_cast<const service_descriptor&>(*parsed.table.services->descriptors);
    EXPECT_EQ(name.service_name.value, "Rai 1");
    // A descriptor loop that claims more than the section holds ends with it.
    Bytes claims = rai_sdt;
    claims[14] = 0x8F;  // descriptors_loop_length 0xFFF
    claims[15] = 0xFF;
    EXPECT_EQ(services_of(parse_sdt(claims).table), 1);
}

}  // namespace
}  // namespace cut2edl
