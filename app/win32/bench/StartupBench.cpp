// Start-up cost of tabira.exe beside a minimal Win32 program, in one run: the time from
// CreateProcess until the program's window is shown and its thread idle (the first paint
// has happened: both paint before they first wait for input), and the peak working set.
// Run under Wine with the programs beside this one: bench_startup.exe [rounds] (61 by
// default: a Wine start varies with the machine's other work, and fewer rounds leave the
// medians several per cent apart from run to run).
#include "framework/win32/Handles.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Beside(const char* name) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of("\\/") + 1) + name;
}

struct TFind {
  DWORD Pid;
  HWND Found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lparam) {
  auto* f = reinterpret_cast<TFind*>(lparam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == f->Pid && IsWindowVisible(hwnd)) {
    f->Found = hwnd;
    return FALSE;
  }
  return TRUE;
}

struct TSample {
  double Ms;
  double PeakMiB;
};

bool RunOnce(const std::string& exe, TSample& out) {
  LARGE_INTEGER freq, start, end;
  QueryPerformanceFrequency(&freq);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    return false;
  }
  const TKernelHandle process(pi.hProcess), thread(pi.hThread);
  WaitForInputIdle(pi.hProcess, 10000);
  TFind f{pi.dwProcessId, nullptr};
  while (!f.Found) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&f));
    if (!f.Found) {
      Sleep(1);
    }
  }
  QueryPerformanceCounter(&end);
  out.Ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
  // The peak so far, read while the window is up (a process that has ended reports none).
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc);
  out.PeakMiB = static_cast<double>(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0);
  PostMessageA(f.Found, WM_CLOSE, 0, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  return true;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    return -1;
  }
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Sets the system density (HKCU\\Control Panel\\Desktop LogPixels, read by each process as it
// starts) while it lives, and puts the old setting back.
class TLogPixels {
public:
  TLogPixels() {
    RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                    &FKey, nullptr);
    DWORD size = sizeof FOld, type = 0;
    FHadOld = FKey &&
              RegQueryValueExA(FKey, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&FOld), &size) ==
                  ERROR_SUCCESS &&
              type == REG_DWORD;
  }
  ~TLogPixels() {
    if (!FKey) {
      return;
    }
    if (FHadOld) {
      RegSetValueExA(FKey, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&FOld), sizeof FOld);
    } else {
      RegDeleteValueA(FKey, "LogPixels");
    }
    RegCloseKey(FKey);
  }
  TLogPixels(const TLogPixels&) = delete;
  TLogPixels& operator=(const TLogPixels&) = delete;
  void Set(DWORD dpi) {
    if (FKey) {
      RegSetValueExA(FKey, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
  }

private:
  HKEY FKey = nullptr;
  DWORD FOld = 0;
  bool FHadOld = false;
};

} // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 61;
  const std::string programs[2] = {Beside("tabira.exe"), Beside("minimal_window.exe")};
  std::vector<double> ms[2], peak[2];
  // Alternate the two programs so that both see the same machine load.
  for (int i = 0; i < rounds + 1; ++i) {
    for (int p = 0; p < 2; ++p) {
      TSample s{};
      if (!RunOnce(programs[p], s)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", programs[p].c_str(), GetLastError());
        return 1;
      }
      if (i > 0) { // the first round warms the caches
        ms[p].push_back(s.Ms);
        peak[p].push_back(s.PeakMiB);
      }
    }
  }
  const double t0 = Median(ms[0]), t1 = Median(ms[1]), m0 = Median(peak[0]), m1 = Median(peak[1]);
  const double b0 = *std::min_element(ms[0].begin(), ms[0].end()),
               b1 = *std::min_element(ms[1].begin(), ms[1].end());
  std::printf("%-22s %12s %12s %16s %12s\n", "program", "start (ms)", "best (ms)", "peak set (MiB)",
              "size (KiB)");
  std::printf("%-22s %12.1f %12.1f %16.2f %12lld\n", "tabira.exe", t0, b0, m0, FileSize(programs[0]) / 1024);
  std::printf("%-22s %12.1f %12.1f %16.2f %12lld\n", "minimal_window.exe", t1, b1, m1,
              FileSize(programs[1]) / 1024);
  // The start times of a Wine process vary with the machine's other work; the best round
  // of each program is the steadier comparison, the medians are given beside it.
  std::printf(
      "ratio tabira/minimal: start %.2f (medians of %d rounds), %.2f (best rounds); peak working set %.2f\n",
      t0 / t1, rounds, b0 / b1, m0 / m1);

  // tabira.exe laid out for 144 pixels per inch (scaled as it loads) against 96, alternating.
  std::vector<double> dpiMs[2];
  {
    TLogPixels logPixels;
    const DWORD densities[2] = {144, 96};
    for (int i = 0; i < rounds + 1; ++i) {
      for (int d = 0; d < 2; ++d) {
        logPixels.Set(densities[d]);
        TSample s{};
        if (!RunOnce(programs[0], s)) {
          std::fprintf(stderr, "cannot start %s (error %lu)\n", programs[0].c_str(), GetLastError());
          return 1;
        }
        if (i > 0) {
          dpiMs[d].push_back(s.Ms);
        }
      }
    }
  }
  const double h = Median(dpiMs[0]), n = Median(dpiMs[1]);
  const double hb = *std::min_element(dpiMs[0].begin(), dpiMs[0].end()),
               nb = *std::min_element(dpiMs[1].begin(), dpiMs[1].end());
  std::printf("%-22s %12.1f %12.1f\n", "tabira.exe 144 dpi", h, hb);
  std::printf("%-22s %12.1f %12.1f\n", "tabira.exe 96 dpi", n, nb);
  std::printf("ratio tabira 144/96 dpi: start %.2f (medians of %d rounds), %.2f (best rounds)\n", h / n,
              rounds, hb / nb);
  return 0;
}
