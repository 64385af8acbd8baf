// The label that names a field: same row, to its left, the nearest one; accelerator marks and
// blanks removed.
#include "framework/AccessibleNames.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(AccessibleNames, TheNearestLabelLeftOnTheSameRowNamesTheField) {
  // Rows as the calculator lays them out: a label at x 16, its field at x 240.
  const std::vector<TAccessibleLabel> labels = {
      {{16, 28, 80, 41}, "Uang tunai"},     {{16, 52, 80, 65}, "Tabungan"},
      {{100, 52, 150, 65}, "(rupiah)"},     {{300, 28, 360, 41}, "right of it"},
      {{16, 300, 80, 313}, "&Lain-lain  "},
  };
  struct TRow {
    TAccessibleBox Field;
    const char* Name;
  } rows[] = {
      {{240, 24, 352, 45}, "Uang tunai"},
      {{240, 48, 352, 69}, "(rupiah)"}, // the nearer of two on its row
      {{240, 296, 352, 317}, "Lain-lain"},
      {{240, 150, 352, 171}, ""}, // no label on its row
      {{10, 24, 15, 45}, ""},     // every label on its row is right of it
  };
  for (const TRow& r : rows) {
    EXPECT_EQ(AccessibleNameFromLabels(labels, r.Field), r.Name) << r.Field.Top;
  }
}

TEST(AccessibleNames, CaptionsLoseAcceleratorMarksAndBlanks) {
  EXPECT_EQ(AccessibleText("&HITUNG"), "HITUNG");
  EXPECT_EQ(AccessibleText("A && B"), "A & B");
  EXPECT_EQ(AccessibleText("  ZAKAT (2,5% x Jumlah Harta) =  "), "ZAKAT (2,5% x Jumlah Harta) =");
  EXPECT_EQ(AccessibleText("   "), "");
  EXPECT_EQ(AccessibleText("end&"), "end&");
}

} // namespace
