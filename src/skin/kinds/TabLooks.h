#pragma once
// How a tab control looks: the part of each tab by its state, the text colour, where the open
// (selected) tab and the pane lie.
#include "skin/container/SkinParts.h"
#include "skin/engine/SkinRect.h"

#include <span>

namespace qivyun::skin {

struct TabState {
    bool selected = false, hot = false, enabled = true;
};

// Tabs above the pane, below it (mirrored parts), or drawn as buttons (the push button's parts:
// the selected one held).
enum class TabPlacement { Above, Below, Buttons };

SkinPart TabPart(TabState state, TabPlacement placement);
SkinColour TabTextColour(TabState state, TabPlacement placement);

// The open tab stands out: 2 pixels wider on each side and 2 further from the pane; its edge towards
// the pane covers the pane's line, so that it opens into the pane.
SkinRect OpenTabRect(SkinRect item, TabPlacement placement);

// The pane under (or above) the rows of tabs: the client's width, from the rows' last line (which
// the pane's line and the closed tabs' lines share) to the far edge of the client; nothing for
// button tabs, which have no pane.
SkinRect TabPaneRect(SkinRect client, std::span<const SkinRect> items, TabPlacement placement);

}  // namespace qivyun::skin
