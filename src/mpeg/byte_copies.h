#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mpeg/bounded_reader.h"
#include "mpeg/field.h"
#include "mpeg/line_sink.h"

// The copies that syntax classes keep of variable-length parts: byte lists
// (private data, selectors) and texts (names, event texts), and the lines that
// show them.
namespace cut2edl {

using ByteRun = Field<std::vector<std::uint8_t>>;
using TextCopy = Field<std::string>;

// Reads `count` whole bytes, or as many as the buffer still holds when a
// length field claims more than is there (none for a count below zero).
void read_byte_run(BoundedReader& reader, ByteRun& run, int count);

// Reads a text declared `count` bytes long as a byte run does; the text stops
// at its first zero byte, while its span and the cursor cover every byte read.
void read_text(BoundedReader& reader, TextCopy& text, int count);
// The same, keeping every byte read in `bytes` as well, zero bytes included:
// for a text whose character table a reader decodes.
void read_text(BoundedReader& reader, TextCopy& text, ByteRun& bytes, int count);

// Where each byte of a byte list stands against its neighbours: " 0x01 0x02",
// "0x01 0x02 " or " 0x01  0x02 ".
enum class ByteSpacing { before, after, around };

// One line: `label`, then every byte as 0x%02X with its spacing.
void print_byte_list(const LineSink& sink, const char* label, const std::vector<std::uint8_t>& bytes,
                     ByteSpacing spacing = ByteSpacing::before);

}  // namespace cut2edl
