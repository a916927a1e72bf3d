#pragma once
// Clean: the top of the skin includes every layer.
#include "skin/container/Format.h"
#include "skin/engine/Skinner.h"
#include "skin/kinds/Kind.h"
