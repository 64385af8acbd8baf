#pragma once
// The system colour references (a colour with the high byte set names a system colour) that
// the visual-style theme uses for its defaults and where a section names no colour.
#include "theme/SkColor.h"

inline constexpr TColor kClBtnFace = 0xFF00000F, kClWindow = 0xFF000005, kClHighlight = 0xFF00000D,
                        kClBtnShadow = 0xFF000010, kClHighlightText = 0xFF00000E;
