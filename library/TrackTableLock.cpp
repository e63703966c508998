#include "library/TrackTableLock.h"

std::recursive_mutex g_trackTableLock;
