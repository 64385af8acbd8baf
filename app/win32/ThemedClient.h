#pragma once
// The calculator's client area drawn through the current theme's control families: the
// containers' backgrounds (panel), the group boxes (group box) and the push buttons (button)
// whenever the theme offers them. No theme and the built-in flat look keep the framework's own
// drawing (and with it the platform's visual style where one is active).
class TskTheme;

// The theme the client area is drawn with now, if any.
TskTheme* TabiraClientTheme();

// Makes the framework draw through the current theme from now on; idempotent.
void InstallTabiraClientPainter();
