#include "record_file.h"
