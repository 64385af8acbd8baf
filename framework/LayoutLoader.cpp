#include "framework/LayoutLoader.h"

#include <set>

namespace {

struct TLoader {
  TComponent& Root;
  const TComponentFactory& Factory;
  TLoadResult Result;
  std::set<std::string> Names;

  bool Fail(int line, std::string message) {
    Result.Error = "line " + std::to_string(line) + ": " + std::move(message);
    return false;
  }

  bool ReadProperties(TComponent& component, const TLayoutNode& node) {
    for (const TLayoutProperty& p : node.Properties) {
      TPropertyResult r = component.ReadProperty(p.Name, p.Value);
      if (r.Code == TPropertyResult::TCode::Unknown) {
        return Fail(p.Line, node.ClassName + " " + node.Name + " has no property '" + p.Name + "'");
      }
      if (r.Code == TPropertyResult::TCode::BadValue) {
        return Fail(p.Line, "bad value for " + node.Name + "." + p.Name + ": " + r.Message);
      }
    }
    return true;
  }

  bool ReadChildren(TComponent& parent, const TLayoutNode& node) {
    for (const TLayoutNode& child : node.Children) {
      if (!Names.insert(child.Name).second) {
        return Fail(child.Line, "the name '" + child.Name + "' is used twice");
      }
      std::unique_ptr<TComponent> made = Factory(child.ClassName, parent);
      if (!made) {
        return Fail(child.Line, "cannot create a " + child.ClassName + " inside " + node.Name);
      }
      TComponent* component = Root.Adopt(std::move(made));
      component->SetName(child.Name);
      component->BeginLoading();
      Result.Created.push_back(component);
      if (!ReadProperties(*component, child) || !ReadChildren(*component, child)) {
        return false;
      }
    }
    return true;
  }
};

} // namespace

TLoadResult ReadComponents(TComponent& root, const std::string& rootClassName, const TLayoutNode& node,
                           const TComponentFactory& factory) {
  TLoader loader{root, factory, {}, {}};
  if (node.ClassName != rootClassName) {
    loader.Fail(node.Line, "the layout describes a " + node.ClassName + ", not a " + rootClassName);
    return loader.Result;
  }
  root.SetName(node.Name);
  loader.Names.insert(node.Name);
  root.BeginLoading();
  loader.Result.Created.push_back(&root);
  if (loader.ReadProperties(root, node)) {
    loader.ReadChildren(root, node);
  }
  return loader.Result;
}

void FinishLoading(const TLoadResult& result) {
  for (std::size_t i = 1; i < result.Created.size(); ++i) {
    result.Created[i]->Loaded();
  }
  if (!result.Created.empty()) {
    result.Created[0]->Loaded();
  }
}
