#include "CXData.h"
