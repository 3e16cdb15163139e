#include "device/DeviceFunctions.h"

#include <cstring>

namespace tessel {
namespace {

class Binder {
public:
    Binder(ExportResolver& exports, std::string& missing) : exports_(exports), missing_(missing) {}

    template <typename Function>
    Binder& Bind(const char* name, Function& target) {
        if (!missing_.empty())
            return *this;
        void* address = exports_.Resolve(name);
        if (address == nullptr) {
            missing_ = name;
            return *this;
        }
        static_assert(sizeof(target) == sizeof(address));
        std::memcpy(&target, &address, sizeof(target));
        return *this;
    }

private:
    ExportResolver& exports_;
    std::string& missing_;
};

}  // namespace

DeviceFunctionsBinding ResolveDeviceFunctions(ExportResolver& exports) {
    DeviceFunctionsBinding binding;
    DeviceFunctions& f = binding.functions;
    Binder(exports, binding.missingExport)
        .Bind("Debug", f.Debug)
        .Bind("Init", f.Init)
        .Bind("End", f.End)
        .Bind("RequestGetDeviceCount", f.RequestGetDeviceCount)
        .Bind("DeleteRequestFromUnitId", f.DeleteRequestFromUnitId)
        .Bind("DeleteRequestFromHandle", f.DeleteRequestFromHandle)
        .Bind("RequestWrite", f.RequestWrite)
        .Bind("RequestWriteOne", f.RequestWriteOne)
        .Bind("RequestStatusWrite", f.RequestStatusWrite)
        .Bind("RequestStatusGet", f.RequestStatusGet)
        .Bind("RequestAsyncRead", f.RequestAsyncRead)
        .Bind("RequestStatusSetFeature", f.RequestStatusSetFeature);
    return binding;
}

}  // namespace tessel
