#pragma once
// Builds a component tree from a layout node: creates the components in layout order,
// applies only the properties the layout stores, and reports the first failure with its
// line. Loaded() is a separate step (FinishLoading) so that a windowing layer can create
// its windows between reading and loading.
#include "framework/Component.h"
#include "framework/Layout.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Makes a component of a stored class name; parent is the component of the enclosing layout
// node. Returns null for an unknown class or a parent that cannot hold it.
using TComponentFactory =
    std::function<std::unique_ptr<TComponent>(const std::string& className, TComponent& parent)>;

struct [[nodiscard]] TLoadResult {
  std::vector<TComponent*> Created; // root first, then the rest in layout order
  std::string Error;                // empty on success
  bool Ok() const { return Error.empty(); }
};

// Reads node into root (which already exists and must match node's class name); new
// components are owned by root. On failure the components created so far stay owned by
// root and are freed with it.
[[nodiscard]] TLoadResult ReadComponents(TComponent& root, const std::string& rootClassName,
                                         const TLayoutNode& node, const TComponentFactory& factory);

// Runs Loaded() for the children in layout order, then for the root.
void FinishLoading(const TLoadResult& result);
