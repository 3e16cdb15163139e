#include "model/ConfigStore.h"

namespace tessel {

void ConfigStore::Clear() {
    auto lock = Lock();
    image_.reset();
    macros_.clear();
    texts_.ClearAll();
    textArea_.clear();
}

}  // namespace tessel
