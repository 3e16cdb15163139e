/* In-process controls of the simulated keyboard inside libTorvex.so
 * (TORVEX_BACKEND=sim). Tests and the control socket use the same operations.
 * Every function is safe to call from any thread, before Init and after End. */
#ifndef TORVEX_SIM_H
#define TORVEX_SIM_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Memory areas of the simulated keyboard. */
enum {
    TORVEX_SIM_AREA_DEVICE_INFO = 0,      /* 44 bytes */
    TORVEX_SIM_AREA_PARAMETERS = 1,       /* 4 x 64 bytes */
    TORVEX_SIM_AREA_KEY_BLOCKS = 2,       /* 4 x 192 bytes */
    TORVEX_SIM_AREA_MACRO = 3,            /* macro capacity (byte 11 of the device info) x 128 */
    TORVEX_SIM_AREA_KEY_COLOURS = 4,      /* 4 x 192 bytes */
    TORVEX_SIM_AREA_DEFAULT_KEY_BLOCK = 5 /* 192 bytes */
};

/* Faults, each applied to the next `count` command frames. */
enum {
    TORVEX_SIM_FAULT_LOST_REPLY = 1, /* the command is carried out, its reply never arrives */
    TORVEX_SIM_FAULT_WRONG_ECHO = 2, /* the command is carried out, the reply's byte 3 is wrong */
    TORVEX_SIM_FAULT_BUSY_FE = 3,    /* not carried out, reply status 0xFE */
    TORVEX_SIM_FAULT_BUSY_FF = 4,    /* not carried out, reply status 0xFF */
    TORVEX_SIM_FAULT_DELAY = 5,      /* reply arrives `value` milliseconds late */
    TORVEX_SIM_FAULT_REMOVE = 6      /* after `count` more answered frames the next frame
                                        unplugs the keyboard before it is answered */
};

/* Frame log entry: every frame the keyboard received or sent. */
enum {
    TORVEX_SIM_TO_KEYBOARD = 0,
    TORVEX_SIM_FROM_KEYBOARD = 1,

    TORVEX_SIM_CHANNEL_COMMAND = 0,
    TORVEX_SIM_CHANNEL_CONSUMER = 1,
    TORVEX_SIM_CHANNEL_INDICATOR = 2,

    TORVEX_SIM_FLAG_BAD_CHECKSUM = 0x01, /* request checksum wrong: refused with status 0xFF */
    TORVEX_SIM_FLAG_DROPPED = 0x02,      /* reply produced but never delivered */
    TORVEX_SIM_FLAG_DELAYED = 0x04
};

typedef struct TorvexSimFrame {
    uint32_t sequence; /* running number, starts at 1 */
    uint8_t direction; /* TORVEX_SIM_TO_KEYBOARD or TORVEX_SIM_FROM_KEYBOARD */
    uint8_t channel;   /* TORVEX_SIM_CHANNEL_... */
    uint8_t flags;     /* TORVEX_SIM_FLAG_... */
    uint8_t length;    /* valid bytes in `bytes` */
    uint8_t bytes[64];
    uint32_t label; /* of the thread that sent the frame, or whose frame this replies to; 0 none */
} TorvexSimFrame;

/* Results: 1 done, 0 refused (for example unplugged, or an argument out of range). */
int TorvexSimPlug(void);
int TorvexSimUnplug(void);
int TorvexSimIsPlugged(void);
int TorvexSimNotify(uint16_t code);
/* The keyboard's own profile key: next profile becomes active, code 0x0401 is sent. */
int TorvexSimPressProfileKey(void);
int TorvexSimSetFault(int kind, int count, int value);
void TorvexSimClearFaults(void);
/* Every reply `milliseconds` late (0 to 10000), as over the USB link; a delay
 * fault adds to it. 0 when out of range. */
int TorvexSimSetFrameDelay(int milliseconds);
/* Size of an area in bytes, or -1 for an unknown area. */
int TorvexSimAreaSize(int area);
/* Copies up to `length` bytes from `offset`; returns the bytes copied, -1 on a bad area. */
int TorvexSimReadArea(int area, uint32_t offset, uint8_t* out, uint32_t length);
/* Test set-up: overwrites bytes of an area; 0 when the range does not fit. */
int TorvexSimWriteArea(int area, uint32_t offset, const uint8_t* data, uint32_t length);
int TorvexSimSetFirmwareVersion(uint16_t version);
/* The macro area starts like one (magic, size, one macro) but does not decode,
 * as a damaged area would; TorvexSimReset restores the empty one. */
int TorvexSimHoldMalformedMacroArea(void);
/* Factory state, plugged, no faults, empty frame log; the state file is rewritten. */
void TorvexSimReset(void);
int TorvexSimFrameLogCount(void);
/* Labels every frame the calling thread sends from now on, and the keyboard's
 * reply to each, with `label` in the frame log (0, the default: unlabelled), so
 * a test can tell which sequence a frame belongs to. Other threads keep their
 * own label. Returns 1. */
int TorvexSimLabelFrames(uint32_t label);
/* Entry 0 is the oldest kept entry; returns 0 when `index` is out of range. */
int TorvexSimFrameLogEntry(int index, TorvexSimFrame* out);
void TorvexSimClearFrameLog(void);

#ifdef __cplusplus
}
#endif

#endif
