#include "default_files.h"
