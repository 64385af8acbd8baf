#pragma once
// The standard edit-control requests as plain functions on the engine, with every
// parameter normalised: 0-based positions in, 1-based engine state out, hostile sizes and
// null buffers answered safely. The window procedure only unpacks its parameters.
#include "maskedit/engine/MxBaseEdit.h"

#include <cstdint>
#include <string_view>

namespace MxEditMessages {

// The selection as 0-based start and end (end = start + length).
struct TRange {
  int Start = 0;
  int End = 0;
};
TRange GetSel(const TMxBaseEdit& edit);

// Selects from start to end (0-based). (0, -1) is SelectAll (the caret ends at the end);
// a start of -1 only removes the selection; otherwise an end below 0 means the text's end,
// start > end is swapped, both are clamped to the text and the caret goes to the start.
// The shared Shift state plays no part.
void SetSel(TMxBaseEdit& edit, std::int64_t start, std::int64_t end);

// The limit EM_LIMITTEXT asks for as a MaxLength: 0 (and anything beyond the signed 32-bit
// range) means no limit.
int LimitFromRequest(std::uint64_t requested);

// Copies at most size - 1 characters of text and a zero into buffer; returns the number of
// characters copied (0 for a null buffer or a size of 0).
std::size_t CopyText(std::string_view text, char* buffer, std::uint64_t size);

// EM_GETLINE: copies at most capacity characters (no zero), returns the count.
std::size_t CopyLine(std::string_view text, char* buffer, std::uint64_t capacity);

} // namespace MxEditMessages
