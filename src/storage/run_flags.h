// The flags that the engine's long loops and record readers consult while a
// run or a click is worked on. They are written by one thread (the window or
// the catalog build) and read by another, hence atomics. The application state
// owns the one instance; layers below it receive a reference.
#pragma once

#include <atomic>

namespace pellora {

struct RunFlags {
  std::atomic<bool> processRunning{false};
  std::atomic<bool> stopRequest{false};
  // The SQL Server 2000 catalog layout is in use.
  std::atomic<bool> legacyCatalog{false};
  // A table's rows are being listed: large byte strings show as placeholders.
  std::atomic<bool> listingMode{false};
  // Options of the open dialog that change how records are read.
  std::atomic<bool> showDeleted{false};
  std::atomic<bool> carveDeleted{false};

  bool stopRequested() const { return stopRequest.load(std::memory_order_relaxed); }
};

}  // namespace pellora
