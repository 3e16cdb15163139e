#pragma once
// The real library's exports, with some of them missing or replaced, to see
// how the program binds a library that is not the one it expects.

#include <map>
#include <string>

#include "support/SimulatedKeyboard.h"

namespace tessel::test {

class ExportOverrides final : public ExportResolver {
public:
    ExportOverrides& Remove(const std::string& name) {
        replacements_[name] = nullptr;
        return *this;
    }
    template <typename Function>
    ExportOverrides& Replace(const std::string& name, Function* function) {
        replacements_[name] = reinterpret_cast<void*>(function);
        return *this;
    }
    // The library's own address of an export.
    static void* Original(const std::string& name) {
        return TorvexLibrary::Simulated().Resolve(name);
    }
    void* Resolve(const std::string& name) override {
        const auto found = replacements_.find(name);
        return found != replacements_.end() ? found->second : Original(name);
    }

private:
    std::map<std::string, void*> replacements_;
};

}  // namespace tessel::test
