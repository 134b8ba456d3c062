#include "comm/porttable.h"

#include "comm/kestro.h"
#include "comm/posixserialline.h"

namespace kestro {

PortTable::PortTable(LineFactory makeLine) : makeLine_(std::move(makeLine)) {}

PortTable& PortTable::instance() {
    static PortTable* table =
        new PortTable([] { return std::unique_ptr<SerialLine>(new PosixSerialLine); });
    return *table;
}

int32_t PortTable::init(const char* name, int32_t baud) {
    for (TSio*& slot : slots_) {
        if (slot != nullptr)
            continue;
        slot = new TSio(makeLine_());
        slot->dcb.BaudRate = static_cast<uint32_t>(baud);
        slot->dcb.Parity = NOPARITY;
        slot->dcb.StopBits = TWOSTOPBITS;
        slot->OpenPort(name);
        return slot->portHandle > 0 ? slot->portHandle : KESTRO_OPEN_FAILED;
    }
    return KESTRO_NO_SLOT;
}

int32_t PortTable::initRsus(const char* name) {
    const int32_t result = init(name, kRsusBaud);
    if (result > 0)
        rsusHandle_ = result;
    return result;
}

int32_t PortTable::open(const char* name, int32_t baud) {
    TSio* sio = firstUsed();
    if (sio == nullptr)
        return KESTRO_NO_PORT;
    sio->dcb.BaudRate = static_cast<uint32_t>(baud);
    sio->OpenPort(name);
    return sio->portHandle > 0 ? sio->portHandle : KESTRO_OPEN_FAILED;
}

int32_t PortTable::close(int32_t handle) {
    TSio* sio = find(handle);
    if (sio == nullptr)
        return KESTRO_CLOSE_FAILED;
    sio->ClosePort();
    return KESTRO_OK;
}

TSio* PortTable::find(int32_t handle) const {
    for (TSio* slot : slots_) {
        if (slot != nullptr && slot->portHandle == handle)
            return slot;
    }
    return nullptr;
}

TSio* PortTable::findRsus() const {
    for (TSio* slot : slots_) {
        if (slot != nullptr && slot->portHandle >= 0 && slot->portHandle == rsusHandle_)
            return slot;
    }
    return nullptr;
}

TSio* PortTable::firstUsed() const {
    for (TSio* slot : slots_) {
        if (slot != nullptr)
            return slot;
    }
    return nullptr;
}

} // namespace kestro
