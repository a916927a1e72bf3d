#pragma once
// Clean: the owner types select objects.
#include "common/Text.h"
inline void Select(HDC dc, HGDIOBJ object) { SelectObject(dc, object); }
