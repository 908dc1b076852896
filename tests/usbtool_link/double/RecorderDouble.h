#pragma once
/* The test's handle on the stand-in libusb 0.1 library. Besides the eleven
 * usb_* functions the exchange binds, the library exports these functions,
 * which a test looks up with dlsym in the same loaded library (opening the
 * same path answers the same instance).
 *
 * Until a script is given it simulates one recorder on the first bus that
 * answers with the record it was sent, bytes 316..335 set to 0xA5.
 *
 * Every usb_* call is logged, one line each, with the device it concerns as
 * "bus/device" (e.g. "001/002"):
 *   usb_init()  usb_find_busses()  usb_find_devices()  usb_get_busses()
 *   usb_open(001/002)  usb_set_configuration(001/002, 1)
 *   usb_claim_interface(001/002, 0)  usb_bulk_write(001/002, 0x03, 336, 5000)
 *   usb_bulk_read(001/002, 0x82, 336, 5000)  usb_release_interface(001/002, 0)
 *   usb_close(001/002)
 * A handle the library did not hand out, or one already closed, shows as
 * "bad" and the call answers -ENODEV. Busses appear only after usb_init and
 * usb_find_busses, their devices only after usb_find_devices. */

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The record's size; an answer is this long. */
#define RECORDER_DOUBLE_RECORD_SIZE 336
/* The first byte the default answer sets to RECORDER_DOUBLE_TAIL_BYTE. */
#define RECORDER_DOUBLE_TAIL_OFFSET 316
#define RECORDER_DOUBLE_TAIL_BYTE 0xA5
/* A transfer result meaning "all the bytes asked for". */
#define RECORDER_DOUBLE_WHOLE (-0x7fff)

struct RecorderDoubleScript {
    int recorders;                /* matching devices, one per bus, in bus order */
    int foreign_before;           /* other devices (same maker, other product; other maker,
                                     same product) precede the first recorder on its bus */
    int empty_bus_first;          /* a bus without devices comes first */
    int open_fails;               /* usb_open answers null */
    int set_configuration_result; /* what usb_set_configuration answers */
    int claim_interface_result;   /* what usb_claim_interface answers */
    int write_result;             /* bytes taken (short), an error code, or WHOLE */
    int read_result;              /* bytes answered (short), an error code, or WHOLE */
    int read_delay_ms;            /* usb_bulk_read sleeps this long before answering */
    int answer_given;             /* answer with `answer` instead of the sent record */
    unsigned char answer[RECORDER_DOUBLE_RECORD_SIZE];
};

/* The behaviour of an unscripted library. */
void recorder_double_default(struct RecorderDoubleScript* script);
/* Takes the script and forgets the log and the received bytes. */
void recorder_double_configure(const struct RecorderDoubleScript* script);
/* The log, one call a line; copies at most capacity - 1 characters and a
 * terminating zero, answers the full length. */
size_t recorder_double_log(char* out, size_t capacity);
/* The bytes the last bulk write delivered; answers their count. */
size_t recorder_double_received(unsigned char* out, size_t capacity);

typedef void (*RecorderDoubleDefaultFn)(struct RecorderDoubleScript*);
typedef void (*RecorderDoubleConfigureFn)(const struct RecorderDoubleScript*);
typedef size_t (*RecorderDoubleLogFn)(char*, size_t);
typedef size_t (*RecorderDoubleReceivedFn)(unsigned char*, size_t);

#ifdef __cplusplus
}
#endif
