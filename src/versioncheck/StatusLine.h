#pragma once
// The status-line text of the start-up check: connection result, digest and counters. Written by
// the check's worker, shown by the main window whenever it returns to the search panel.
#include "common/SharedText.h"

namespace qivyun {

inline SharedText startupStatusLine;

}  // namespace qivyun
