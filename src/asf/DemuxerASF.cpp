#include "asf/DemuxerASF.h"
