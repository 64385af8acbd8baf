#pragma once
// Resource identifiers of tabira.exe.
#define IDI_TABIRA 1
// The calculator window's stored layout (RCDATA, named FRTABIRA).
