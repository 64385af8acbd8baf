#pragma once
// The messages tabira.exe shows outside the zakat rules, in the program's language. Technical
// detail (what failed and where) goes to the debugger's output, not into the message box.

// Start-up stops: the stored window layout cannot be read.
inline constexpr const char* kTabiraLayoutDamagedText = "Tabira tidak dapat dijalankan: tata letak jendelanya rusak.";
// Start-up stops for any other reason.
inline constexpr const char* kTabiraStartFailedText =
    "Tabira tidak dapat dijalankan karena terjadi kesalahan yang tidak terduga.";
// An event handler failed unexpectedly; the program goes on.
inline constexpr const char* kTabiraUnexpectedErrorText =
    "Terjadi kesalahan yang tidak terduga. Langkah ini dibatalkan.";
