#include "eng_format.h"
