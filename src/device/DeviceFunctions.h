#pragma once
// The twelve exports of the device-service library, resolved by name at
// start-up. Every one must be present, even those the program never calls,
// so a mismatched library is caught before any traffic.

#include <string>

#include "torvex.h"

namespace tessel {

struct DeviceFunctions {
    decltype(&::Debug) Debug = nullptr;
    decltype(&::Init) Init = nullptr;
    decltype(&::End) End = nullptr;
    decltype(&::RequestGetDeviceCount) RequestGetDeviceCount = nullptr;
    decltype(&::DeleteRequestFromUnitId) DeleteRequestFromUnitId = nullptr;
    decltype(&::DeleteRequestFromHandle) DeleteRequestFromHandle = nullptr;
    decltype(&::RequestWrite) RequestWrite = nullptr;
    decltype(&::RequestWriteOne) RequestWriteOne = nullptr;
    decltype(&::RequestStatusWrite) RequestStatusWrite = nullptr;
    decltype(&::RequestStatusGet) RequestStatusGet = nullptr;
    decltype(&::RequestAsyncRead) RequestAsyncRead = nullptr;
    decltype(&::RequestStatusSetFeature) RequestStatusSetFeature = nullptr;
};

// Looks exports up by name: the loaded library, or in tests a view of it.
class ExportResolver {
public:
    virtual ~ExportResolver() = default;
    // nullptr when the export is missing.
    virtual void* Resolve(const std::string& name) = 0;
};

struct DeviceFunctionsBinding {
    DeviceFunctions functions;
    // Empty when every export resolved; otherwise the first missing name, in
    // the order the exports are resolved.
    std::string missingExport;
};

DeviceFunctionsBinding ResolveDeviceFunctions(ExportResolver& exports);

}  // namespace tessel
