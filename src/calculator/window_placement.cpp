#include "window_placement.h"
