/* kestro: byte-for-byte protocol to the controller over a serial line.
 *
 * Every call blocks until its transaction has ended and must come from one
 * thread at a time. Texts are NUL-terminated 8-bit strings owned by the caller.
 * Outputs are written only through the pointers given, with exactly the width
 * of their type; recording read-outs fill three caller arrays of 200 samples.
 */
#ifndef KESTRO_H
#define KESTRO_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define KESTRO_API __stdcall
#else
#define KESTRO_API
#endif

#if defined(_WIN32)
#define KESTRO_EXPORT __declspec(dllexport)
#else
#define KESTRO_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes. A positive result of the open calls is a port handle. */
enum {
    KESTRO_OK = 0,            /* done */
    KESTRO_NO_PORT = -1,      /* no port with this handle (kestro_open: no slot used) */
    KESTRO_OPEN_FAILED = -2,  /* the port could not be opened */
    KESTRO_CLOSE_FAILED = -3, /* kestro_close found no port with this handle */
    KESTRO_TRANSACTION = -4,  /* the port could not be queried, or an echo/acknowledge was wrong */
    KESTRO_NO_SLOT = -10      /* all eight port slots are used */
};

#define KESTRO_SAMPLES_PER_CHANNEL 200

/* Connection */
KESTRO_EXPORT int32_t KESTRO_API kestro_init(const char* port, int32_t baud);
KESTRO_EXPORT int32_t KESTRO_API kestro_init_rsus(const char* port);
KESTRO_EXPORT int32_t KESTRO_API kestro_open(const char* port, int32_t baud);
KESTRO_EXPORT int32_t KESTRO_API kestro_close(int32_t handle);
KESTRO_EXPORT const char* KESTRO_API kestro_version(void);

/* Value access */
KESTRO_EXPORT int32_t KESTRO_API kestro_int_read(int32_t handle, uint16_t address, int32_t* value);
KESTRO_EXPORT int32_t KESTRO_API kestro_float_read(int32_t handle, uint16_t address, float* value);
KESTRO_EXPORT int32_t KESTRO_API kestro_int_write(int32_t handle, uint16_t address, int32_t value);
KESTRO_EXPORT int32_t KESTRO_API kestro_float_write(int32_t handle, uint16_t address, float value);

/* Device service */
KESTRO_EXPORT int32_t KESTRO_API kestro_synchronisation(int32_t handle);
KESTRO_EXPORT int32_t KESTRO_API kestro_steckercode_read(int32_t handle, uint16_t* code);
KESTRO_EXPORT int32_t KESTRO_API kestro_adress_length_read(int32_t handle, uint8_t* count);
KESTRO_EXPORT int32_t KESTRO_API kestro_adresse_read(int32_t handle, uint8_t entry,
                                                     uint16_t* address);
KESTRO_EXPORT int32_t KESTRO_API kestro_on_off_read(int32_t handle, uint16_t* state);
KESTRO_EXPORT int32_t KESTRO_API kestro_on_off_write(int32_t handle, uint16_t state);
KESTRO_EXPORT int32_t KESTRO_API kestro_rsus_start(void);
KESTRO_EXPORT int32_t KESTRO_API kestro_rsus_stop(void);

/* Recording */
KESTRO_EXPORT int32_t KESTRO_API kestro_trigger(int32_t handle, uint16_t variable,
                                                uint16_t timebase, int32_t level, uint16_t flags);
KESTRO_EXPORT int32_t KESTRO_API kestro_graphik_start(int32_t handle, uint16_t channel1,
                                                      uint16_t channel2, uint16_t channel3);
KESTRO_EXPORT int32_t KESTRO_API kestro_graphik_bereit(int32_t handle, uint8_t* ready);
KESTRO_EXPORT int32_t KESTRO_API kestro_graphik_read(int32_t handle, uint16_t* channel1,
                                                     uint16_t* channel2, uint16_t* channel3);

#ifdef __cplusplus
}
#endif

#endif
