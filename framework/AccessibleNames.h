#pragma once
// How a self-drawn field gets the name a screen reader speaks: the caption of the label that
// stands to its left on the same row, as a person reading the window would pair them.
#include <span>
#include <string>
#include <string_view>

struct TAccessibleBox {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct TAccessibleLabel {
  TAccessibleBox Bounds;
  std::string Caption;
};

// The caption (accelerator marks removed, trimmed) of the nearest label whose vertical middle
// lies within the field's rows and whose right edge is at or left of the field's left edge;
// empty when there is none.
std::string AccessibleNameFromLabels(std::span<const TAccessibleLabel> labels, const TAccessibleBox& field);

// "&HITUNG" -> "HITUNG", "A && B" -> "A & B"; surrounding blanks removed.
std::string AccessibleText(std::string_view caption);
