/* C interface of the device-service library libTorvex.so, shared by the
 * program and the library. The layout is fixed; see the offsets below. */
#ifndef TORVEX_H
#define TORVEX_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ChannelDescriptor { /* 16 bytes */
    uint32_t match_flags;          /* 0x0000000F */
    uint16_t vendor_id;            /* 0x320F */
    uint16_t product_id;           /* 0x500F */
    uint16_t usage_page;
    uint16_t usage;
    uint32_t reserved; /* 0 */
} ChannelDescriptor;

typedef struct DeviceRequestRecord { /* owned by the library */
    uint32_t tag;                    /* offset 0: the tag given at registration */
    uint32_t count;                  /* offset 4: bytes received, or devices attached */
    const uint8_t* data;             /* offset 8: received bytes */
    const uint8_t* report; /* offset 16: a record holding a pointer to the report bytes at
                              its offset 28 (read it with memcpy) */
} DeviceRequestRecord;

typedef struct DeviceEventRecord {
    uint32_t kind; /* 1 input report, 0 presence change */
    uint32_t unused;
    const DeviceRequestRecord* request; /* offset 8 */
} DeviceEventRecord;

typedef int (*DeviceCallback)(const DeviceEventRecord*);

enum {
    TORVEX_EVENT_PRESENCE = 0,
    TORVEX_EVENT_INPUT_REPORT = 1,
    TORVEX_REPORT_POINTER_OFFSET = 28
};

int Debug(int level);
int Init(int flags);
int End(void);
int RequestGetDeviceCount(const ChannelDescriptor* channel, DeviceCallback callback, uint32_t tag,
                          uint32_t check, int reserved);
int DeleteRequestFromUnitId(uint32_t unit_id);
int DeleteRequestFromHandle(void* handle);
int RequestWrite(const ChannelDescriptor* channel, DeviceCallback callback, uint32_t tag,
                 const uint8_t* data, int length, uint32_t check, uint32_t* unit_id);
int RequestWriteOne(const ChannelDescriptor* channel, DeviceCallback callback, uint32_t tag,
                    const uint8_t* data, int length, uint32_t check, int reserved);
int RequestStatusWrite(const ChannelDescriptor* channel, DeviceCallback callback, uint32_t tag,
                       const uint8_t* data, int length, uint32_t check, uint32_t* unit_id);
int RequestStatusGet(const ChannelDescriptor* channel, DeviceCallback callback, uint32_t tag,
                     uint8_t* data, int length, uint32_t check, uint32_t* unit_id);
int RequestAsyncRead(const ChannelDescriptor* channel, DeviceCallback callback, uint32_t tag,
                     uint32_t check, uint32_t* unit_id);
int RequestStatusSetFeature(const ChannelDescriptor* channel, DeviceCallback callback,
                            uint32_t tag, const uint8_t* data, int length, uint32_t check,
                            uint32_t* unit_id);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
static_assert(sizeof(ChannelDescriptor) == 16, "descriptor layout");
static_assert(sizeof(void*) != 8 || sizeof(DeviceRequestRecord) == 24, "request record layout");
static_assert(sizeof(void*) != 8 || sizeof(DeviceEventRecord) == 16, "event record layout");
#endif

#endif
