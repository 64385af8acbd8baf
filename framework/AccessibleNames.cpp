#include "framework/AccessibleNames.h"

std::string AccessibleText(std::string_view caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) {
      ++i;
    }
    out += caption[i];
  }
  const std::size_t first = out.find_first_not_of(" \t");
  if (first == std::string::npos) {
    return {};
  }
  const std::size_t last = out.find_last_not_of(" \t");
  return out.substr(first, last - first + 1);
}

std::string AccessibleNameFromLabels(std::span<const TAccessibleLabel> labels, const TAccessibleBox& field) {
  const TAccessibleLabel* best = nullptr;
  int bestGap = 0;
  for (const TAccessibleLabel& label : labels) {
    const int middle = (label.Bounds.Top + label.Bounds.Bottom) / 2;
    if (middle < field.Top || middle >= field.Bottom || label.Bounds.Right > field.Left) {
      continue;
    }
    const int gap = field.Left - label.Bounds.Right;
    if (!best || gap < bestGap) {
      best = &label;
      bestGap = gap;
    }
  }
  return best ? AccessibleText(best->Caption) : std::string();
}
