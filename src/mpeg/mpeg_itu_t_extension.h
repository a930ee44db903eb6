#pragma once

#include "mpeg/mpeg_extension_base.h"

namespace cut2edl {

// ITU-T extension (identifier 12): opaque bytes that run up to the next start
// code prefix, or to the end of the buffer when none follows.
class mpeg_itu_t_extension : public mpeg_extension_base {
protected:
    void read_fields(BoundedReader& reader) override;
};

}  // namespace cut2edl
