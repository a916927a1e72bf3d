#include "controls/Paints.h"
#include "skin/SkinEngine.h"
