#include "mpeg/mpeg_camera_parameters_extension.h"

namespace cut2edl {

void mpeg_camera_parameters_extension::read_fields(BoundedReader& reader) {
    reader.read(reserved_bit, 1);
    reader.read(camera_id, 7);
    std::size_t marker = 0;
    const auto read_parameter = [&](auto& parameter, int bits) {
        reader.read(marker_bits[marker++], 1);
        reader.read(parameter, bits);
    };
    read_parameter(height_of_image_device, 22);
    read_parameter(focal_length, 22);
    read_parameter(f_number, 22);
    read_parameter(vertical_angle_of_view, 22);
    read_parameter(camera_position_x_upper, 16);
    read_parameter(camera_position_x_lower, 16);
    read_parameter(camera_position_y_upper, 16);
    read_parameter(camera_position_y_lower, 16);
    read_parameter(camera_position_z_upper, 16);
    read_parameter(camera_position_z_lower, 16);
    read_parameter(camera_direction_x, 22);
    read_parameter(camera_direction_y, 22);
    read_parameter(camera_direction_z, 22);
    read_parameter(image_plane_vertical_x, 22);
    read_parameter(image_plane_vertical_y, 22);
    read_parameter(image_plane_vertical_z, 22);
    reader.read(reserved_bits, 32);
}

}  // namespace cut2edl
