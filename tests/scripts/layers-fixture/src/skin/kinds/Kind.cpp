#include "skin/kinds/Kind.h"
#include "skin/SkinEngine.h"
// The skin answers for its own ANSI calls.
int Measure(HDC dc) { return DrawTextA(dc, "", 0, nullptr, 0); }
