#include "demux/DemuxerPS.h"
