#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "mpeg/mpeg_extension_base.h"

namespace cut2edl {

// camera_parameters_extension() (identifier 11): the camera's optics, position
// and orientation. Each parameter is preceded by a marker bit.
class mpeg_camera_parameters_extension : public mpeg_extension_base {
public:
    static constexpr std::size_t parameter_count = 16;

    Field<std::uint8_t> reserved_bit;
    Field<std::uint8_t> camera_id;
    Field<std::uint32_t> height_of_image_device;
    Field<std::uint32_t> focal_length;
    Field<std::uint32_t> f_number;
    Field<std::uint32_t> vertical_angle_of_view;
    Field<std::uint16_t> camera_position_x_upper;
    Field<std::uint16_t> camera_position_x_lower;
    Field<std::uint16_t> camera_position_y_upper;
    Field<std::uint16_t> camera_position_y_lower;
    Field<std::uint16_t> camera_position_z_upper;
    Field<std::uint16_t> camera_position_z_lower;
    Field<std::uint32_t> camera_direction_x;
    Field<std::uint32_t> camera_direction_y;
    Field<std::uint32_t> camera_direction_z;
    Field<std::uint32_t> image_plane_vertical_x;
    Field<std::uint32_t> image_plane_vertical_y;
    Field<std::uint32_t> image_plane_vertical_z;
    Field<std::uint32_t> reserved_bits;
    // The marker bit in front of each parameter, in parameter order.
    std::array<Field<std::uint8_t>, parameter_count> marker_bits;

protected:
    void read_fields(BoundedReader& reader) override;
};

}  // namespace cut2edl
