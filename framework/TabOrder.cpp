#include "framework/TabOrder.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

void Walk(const std::map<int, std::vector<const TTabItem*>>& children, int parent, std::vector<int>& out,
          std::set<int>& visited) {
  auto it = children.find(parent);
  if (it == children.end() || !visited.insert(parent).second) {
    return; // a cycle is ignored, not followed
  }
  std::vector<const TTabItem*> sorted = it->second;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const TTabItem* a, const TTabItem* b) { return a->TabOrder < b->TabOrder; });
  for (const TTabItem* item : sorted) {
    if (!item->CanFocus) {
      continue;
    }
    if (item->TabStop) {
      out.push_back(item->Id);
    }
    Walk(children, item->Id, out, visited);
  }
}

} // namespace

std::vector<int> FlattenTabOrder(const std::vector<TTabItem>& items, int rootId) {
  std::map<int, std::vector<const TTabItem*>> children;
  for (const TTabItem& item : items) {
    children[item.ParentId].push_back(&item);
  }
  std::vector<int> out;
  std::set<int> visited;
  Walk(children, rootId, out, visited);
  return out;
}

int NextTabStop(const std::vector<int>& order, int current, bool forward) {
  if (order.empty()) {
    return -1;
  }
  auto it = std::find(order.begin(), order.end(), current);
  if (it == order.end()) {
    return forward ? order.front() : order.back();
  }
  auto index = static_cast<std::size_t>(it - order.begin());
  if (forward) {
    return order[(index + 1) % order.size()];
  }
  return order[(index + order.size() - 1) % order.size()];
}
