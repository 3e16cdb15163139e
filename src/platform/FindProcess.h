#pragma once

#include <string_view>

namespace tessel {

// The id of the first process of the current user, other than this one, whose
// executable file name equals `fileName` without regard to case; 0 when none.
int FindProcessByFileName(std::string_view fileName);

}  // namespace tessel
