#pragma once
// GDI+ with the lean platform headers: it needs the OLE types and the min/max that NOMINMAX hides.
#include <windows.h>
#include <objidl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
