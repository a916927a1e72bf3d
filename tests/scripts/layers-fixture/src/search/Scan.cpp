#include "controls/Paints.h"
