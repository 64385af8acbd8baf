#include "maskedit/engine/MxEditMessages.h"

#include "maskedit/MxStr.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace MxEditMessages {

TRange GetSel(const TMxBaseEdit& edit) {
  const int len = MxLen(edit.RawText());
  const int start = std::clamp(edit.GetSelStart() - 1, 0, len);
  const long long end = static_cast<long long>(edit.GetSelStart()) - 1 + std::max(0, edit.GetSelLength());
  return {start, static_cast<int>(std::clamp<long long>(end, start, len))};
}

void SetSel(TMxBaseEdit& edit, std::int64_t start, std::int64_t end) {
  if (start == -1) {
    edit.SetSelLength(0);
    return;
  }
  if (start == 0 && end == -1) {
    edit.SelectAll();
    return;
  }
  const std::int64_t len = MxLen(edit.RawText());
  if (end < 0) {
    end = len;
  }
  start = std::clamp<std::int64_t>(start, 0, len);
  end = std::clamp<std::int64_t>(end, 0, len);
  if (start > end) {
    std::swap(start, end);
  }
  // Moved directly: going through the caret's selection rules would let a Shift key still
  // held (or left recorded) by the keyboard widen the range.
  const bool extend = edit.ExtendSelection;
  edit.ExtendSelection = false;
  edit.BeginUpdate();
  edit.SetCursorPos(static_cast<int>(start) + 1);
  edit.SetSelStart(static_cast<int>(start) + 1);
  edit.SetSelLength(static_cast<int>(end - start));
  edit.EndUpdate(false);
  edit.ExtendSelection = extend;
  edit.PaintText(-1);
  edit.UpdateCaret();
}

int LimitFromRequest(std::uint64_t requested) {
  return requested > static_cast<std::uint64_t>(INT_MAX) ? 0 : static_cast<int>(requested);
}

std::size_t CopyText(std::string_view text, char* buffer, std::uint64_t size) {
  if (!buffer || size == 0) {
    return 0;
  }
  const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(text.size(), size - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return n;
}

std::size_t CopyLine(std::string_view text, char* buffer, std::uint64_t capacity) {
  if (!buffer) {
    return 0;
  }
  const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(text.size(), capacity));
  std::memcpy(buffer, text.data(), n);
  return n;
}

} // namespace MxEditMessages
