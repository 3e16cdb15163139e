#pragma once
// HidApi over the real hidapi library (hidraw backend).

#include <memory>

#include "HidApi.h"

namespace torvex {

std::unique_ptr<HidApi> MakeHidApiLibrary();

}  // namespace torvex
