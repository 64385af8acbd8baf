#pragma once
// Resource identifiers of tabira.exe.
#define IDI_TABIRA 1
