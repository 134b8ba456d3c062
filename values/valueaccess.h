#pragma once

#include <cstdint>

// The controller as the row loops see it. The windows implement it with the
// library calls and the main window's port handle; true means success.
class ValueAccess {
  public:
    virtual ~ValueAccess() = default;

    virtual bool readInt(uint16_t address, int32_t& raw) = 0;
    virtual bool readFloat(uint16_t address, float& value) = 0;
    virtual bool writeInt(uint16_t address, int32_t value) = 0;
    virtual bool writeFloat(uint16_t address, float value) = 0;
};
