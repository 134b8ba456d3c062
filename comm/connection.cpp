// Connection exports: port slots, opening and closing, the version text.

#include "comm/kestro.h"
#include "comm/porttable.h"

using kestro::PortTable;

namespace {
constexpr char kVersion[] = "Version: 1.10";
}

extern "C" {

int32_t KESTRO_API kestro_init(const char* port, int32_t baud) {
    return PortTable::instance().init(port, baud);
}

int32_t KESTRO_API kestro_init_rsus(const char* port) {
    return PortTable::instance().initRsus(port);
}

int32_t KESTRO_API kestro_open(const char* port, int32_t baud) {
    return PortTable::instance().open(port, baud);
}

int32_t KESTRO_API kestro_close(int32_t handle) {
    return PortTable::instance().close(handle);
}

const char* KESTRO_API kestro_version(void) {
    return kVersion;
}

} // extern "C"
