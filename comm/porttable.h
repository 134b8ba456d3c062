#pragma once

// The library's eight port slots. A slot, once given a port object, keeps it
// for the life of the process, open or closed.

#include "comm/tsio.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace kestro {

class PortTable {
  public:
    static constexpr int kSlots = 8;
    static constexpr int32_t kRsusBaud = 115200;

    using LineFactory = std::function<std::unique_ptr<SerialLine>()>;
    explicit PortTable(LineFactory makeLine);

    // Results are the library's: a port handle or a negative code.
    int32_t init(const char* name, int32_t baud);
    int32_t initRsus(const char* name);
    int32_t open(const char* name, int32_t baud);
    int32_t close(int32_t handle);

    // First port object, slots 1 to 8, with this handle; nullptr if none.
    TSio* find(int32_t handle) const;
    // First port object whose non-negative handle is the rsus port handle.
    TSio* findRsus() const;

    // The table of this library, created on first use and never destroyed.
    static PortTable& instance();

  private:
    TSio* firstUsed() const;

    LineFactory makeLine_;
    std::array<TSio*, kSlots> slots_{}; // never deleted: a slot stays used
    int32_t rsusHandle_ = 0;
};

} // namespace kestro
