// Clean: the second program includes the skin's top.
#include "skin/SkinEngine.h"
#include "versioncheck/Manifest.h"
