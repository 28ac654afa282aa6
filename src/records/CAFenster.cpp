#include "CAFenster.h"
