#pragma once
// Processor features, detected once. Compiled without instruction-set flags so that it runs
// on every x86-64 processor.

struct TskCpuFeatures {
  bool MMX = false;
  bool SSE2 = false;
  bool AVX2 = false; // includes the operating system saving the 256-bit registers
};

const TskCpuFeatures& SkCpuFeatures();
