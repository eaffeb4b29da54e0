#include "report_tool.h"
