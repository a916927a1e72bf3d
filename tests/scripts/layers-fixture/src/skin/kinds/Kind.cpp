#include "skin/kinds/Kind.h"
#include "skin/SkinEngine.h"
