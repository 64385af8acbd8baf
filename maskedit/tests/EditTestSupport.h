#pragma once
// Recording fakes of the edit's window ports, shared by the engine tests.
#include "maskedit/MxEditPorts.h"

#include <string>
#include <vector>

struct TRecordingView final : IMxEditView {
  void PaintText() override { ++Paints; }
  void UpdateCaret() override { ++CaretUpdates; }
  void Invalidate() override { ++Invalidates; }
  bool Focused() const override { return HasFocus; }
  bool WindowExists() const override { return true; }
  void RequestFocus() override { ++FocusRequests; }
  void FocusNextControl() override { ++FocusMoves; }
  int Paints = 0, CaretUpdates = 0, Invalidates = 0, FocusRequests = 0, FocusMoves = 0;
  bool HasFocus = true;
};

struct TMemoryClipboard final : IMxClipboard {
  bool HasText() const override { return Has; }
  std::string GetText() const override { return Text; }
  void SetText(std::string_view text) override {
    Text = std::string(text);
    Has = true;
  }
  std::string Text;
  bool Has = false;
};
