#pragma once
#include "skin/engine/Skinner.h"
class Kind {
    friend class SkinEngine;
};
