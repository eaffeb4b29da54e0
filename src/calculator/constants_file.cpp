#include "constants_file.h"
