#pragma once
// Keyboard order of a form: each container's children sorted by TabOrder (ties keep
// creation order), taken depth first, so that a container's children come at the
// container's own place. Only focusable tab stops are listed; containers that are not tab
// stops still contribute their children.
#include <vector>

struct TTabItem {
  int Id = 0;
  int ParentId = -1; // the root container's id for top-level controls
  int TabOrder = 0;
  bool TabStop = false;
  bool CanFocus = true; // visible and enabled, and so is every container above it
};

// Items must be given in creation order; ids unique. Returns ids of the tab stops in
// keyboard order.
std::vector<int> FlattenTabOrder(const std::vector<TTabItem>& items, int rootId);

// The stop after (forward) or before current in order, wrapping around; if current is not
// in order, the first (forward) or last stop. -1 when order is empty.
int NextTabStop(const std::vector<int>& order, int current, bool forward);
