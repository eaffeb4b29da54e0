#include "file_helpers.h"
