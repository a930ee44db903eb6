#include "mpeg/mpeg_header.h"

#include "mpeg/mpeg_extension_header.h"
#include "mpeg/mpeg_group_of_pictures_header.h"
#include "mpeg/mpeg_pes_header.h"
#include "mpeg/mpeg_picture_header.h"
#include "mpeg/mpeg_sequence_header.h"
#include "mpeg/mpeg_slice_header.h"
#include "mpeg/mpeg_user_data_header.h"
#include "mpeg/start_code_scanner.h"

namespace cut2edl {

namespace {

template <typename Header>
std::shared_ptr<MPEG_Header> make_header() {
    return std::make_shared<Header>();
}

struct StartCodeClass {
    std::uint8_t first;
    std::uint8_t last;
    std::shared_ptr<MPEG_Header> (*make)();
};

// Every start code that has a class. The others (pack header, system header,
// program stream map, sequence end, ...) are reported and passed over.
constexpr StartCodeClass start_code_classes[] = {
    {0x00, 0x00, make_header<mpeg_picture_header>},
    {0x01, 0xAF, make_header<mpeg_slice_header>},
    {0xB2, 0xB2, make_header<mpeg_user_data_header>},
    {0xB3, 0xB3, make_header<mpeg_sequence_header>},
    {0xB5, 0xB5, make_header<mpeg_extension_header>},
    {0xB8, 0xB8, make_header<mpeg_group_of_pictures_header>},
    {0xBD, 0xEF, make_header<mpeg_pes_header>},
};

std::shared_ptr<MPEG_Header> header_for(std::uint8_t code) {
    for (const auto& entry : start_code_classes) {
        if (code >= entry.first && code <= entry.last) return entry.make();
    }
    return nullptr;
}

// Offset of the next complete start code (prefix and code byte) from `from`, or -1.
int find_start_code(const std::uint8_t* data, int length, int from) {
    if (length < 0 || from < 0) return -1;
    const auto found = next_start_code(std::span<const std::uint8_t>(data, static_cast<std::size_t>(length)),
                                       static_cast<std::size_t>(from));
    return found ? static_cast<int>(*found) : -1;
}

}  // namespace

MPEG_Header::~MPEG_Header() {
    std::shared_ptr<MPEG_Header> link = std::move(next);
    while (link && link.use_count() == 1) link = std::move(link->next);
}

void MPEG_Header::dump(const LineSink& sink) const {
    for (const MPEG_Header* header = this; header != nullptr; header = header->next.get()) header->render(sink);
}

void MPEG_Header::render(const LineSink&) const {}

const Field<std::uint32_t>& MPEG_Header::read_start_code(BoundedReader& reader) {
    reader.read(start_code, 32);
    return start_code;
}

std::shared_ptr<MPEG_Header> create_mpeg_header(const std::uint8_t* data, int length, int* position,
                                                const NoticeSink& notices) {
    std::shared_ptr<MPEG_Header> first;
    MPEG_Header* last = nullptr;
    int offset = 0;
    // One loop builds the whole chain, so a buffer full of start codes cannot
    // exhaust the stack.
    while ((offset = find_start_code(data, length, offset)) >= 0) {
        const std::uint8_t code = data[offset + 3];
        std::shared_ptr<MPEG_Header> header = header_for(code);
        if (!header) {
            notices(format_text("MPEG Header 0x%02X not defined as yet...", code));
            ++offset;
            continue;
        }
        const std::uint8_t* restart = header->parse(data + offset, length - offset, position);
        if (last != nullptr) {
            last->next = header;
        } else {
            first = header;
        }
        last = header.get();
        if (restart == nullptr) break;
        offset = static_cast<int>(restart - data);
    }
    return first;
}

}  // namespace cut2edl
