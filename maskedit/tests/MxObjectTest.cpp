#include "maskedit/MxObject.h"

#include <gtest/gtest.h>

TEST(MxObject, ChangeCallsTheHandlerWithItselfUnlessLocked) {
  TMxObject object;
  object.Change(); // no handler: nothing happens
  int calls = 0;
  TMxObject* seen = nullptr;
  object.SetOnChange([&](TMxObject* sender) {
    ++calls;
    seen = sender;
  });
  object.Change();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seen, &object);

  // The lock is a flag: two BeginUpdate calls are undone by one EndUpdate.
  object.BeginUpdate();
  object.BeginUpdate();
  object.Change();
  EXPECT_EQ(calls, 1);
  object.EndUpdate(false);
  EXPECT_FALSE(object.IsLocked());
  EXPECT_EQ(calls, 1);
  object.BeginUpdate();
  object.EndUpdate(true);
  EXPECT_EQ(calls, 2);
}
