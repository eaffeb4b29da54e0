#include "last_run_file.h"
