#pragma once

#include "mpeg/mpeg_extension_base.h"

namespace cut2edl {

// picture_display_extension() (identifier 7). Its frame centre offsets depend
// on the picture coding extension of the same picture, so only the
// identifier's byte is taken as the payload.
class mpeg_picture_display_extension : public mpeg_extension_base {
protected:
    void read_fields(BoundedReader&) override {}
};

}  // namespace cut2edl
