/* A short session with the controller: the call sequence of a monitor.
 *
 *   kestro_session [port] [baud]      port defaults to com1, baud to 115200
 *
 * "comN" is the device in $KESTRO_COMN, else /dev/ttyS(N-1); a path starting
 * with "/" is used as it stands.
 */
#include "comm/kestro.h"

#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    const char* port = argc > 1 ? argv[1] : "com1";
    const int32_t baud = argc > 2 ? (int32_t)atol(argv[2]) : 115200;

    printf("%s\n", kestro_version());

    int32_t handle = kestro_init(port, baud);
    if (handle <= 0) {
        printf("kestro_init(%s, %d): %d\n", port, (int)baud, (int)handle);
        return 1;
    }
    printf("port %s open, handle %d\n", port, (int)handle);

    /* A monitor synchronises again on its next tick; a few tries do here. */
    int32_t result = KESTRO_TRANSACTION;
    for (int attempt = 0; attempt < 3 && result != KESTRO_OK; ++attempt)
        result = kestro_synchronisation(handle);
    printf("synchronisation: %d\n", (int)result);
    if (result != KESTRO_OK) {
        kestro_close(handle);
        return 1;
    }

    uint16_t plug = 0;
    result = kestro_steckercode_read(handle, &plug);
    printf("plug code: %d (0x%04X)\n", (int)result, (unsigned)plug);

    uint8_t count = 0;
    result = kestro_adress_length_read(handle, &count);
    printf("address table: %d, %u entries\n", (int)result, (unsigned)count);

    /* Entries count from 1. Read the words of the first few; list the rest. */
    unsigned listed = 0;
    for (unsigned entry = 1; result == KESTRO_OK && entry <= count; ++entry) {
        uint16_t address = 0;
        if (kestro_adresse_read(handle, (uint8_t)entry, &address) != KESTRO_OK) {
            printf("  entry %u: failed\n", entry);
            continue;
        }
        if (entry <= 5) {
            int32_t word = 0;
            const int32_t read = kestro_int_read(handle, address, &word);
            printf("  entry %u: %05X = %d (result %d)\n", entry, (unsigned)address, (int)word,
                   (int)read);
            continue;
        }
        printf("%s%05X", listed % 10 == 0 ? (listed ? "\n  " : "  further: ") : " ",
               (unsigned)address);
        ++listed;
    }
    if (listed)
        printf("\n");

    uint16_t state = 0;
    result = kestro_on_off_read(handle, &state);
    printf("on/off: %d, %s\n", (int)result, state ? "on" : "off");

    printf("close: %d\n", (int)kestro_close(handle));
    return 0;
}
