// One lock for the whole library. Every export holds it while it runs, so a
// host may call the exports from several threads: the one interpreter
// serves them in turn. The lock is recursive because an export can be
// entered again on the thread that holds it (a plug-in command or an
// at_exit script calling WriteLn or OpenConsole).
#pragma once

#include <mutex>

std::recursive_mutex& zorakLibraryMutex();

class ExportLock {
  public:
    ExportLock() : guard_(zorakLibraryMutex()) {}
    ExportLock(const ExportLock&) = delete;
    ExportLock& operator=(const ExportLock&) = delete;

  private:
    std::lock_guard<std::recursive_mutex> guard_;
};
