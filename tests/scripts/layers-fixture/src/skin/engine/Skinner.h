#pragma once
#include "skin/container/Format.h"
#include "skin/kinds/Kind.h"
class Skinner {};
