#pragma once
// Tells the user, before an apply, which assigned keys the keyboard has no
// slot for: their assignments do not reach the keyboard.

#include "model/KeyAction.h"

namespace tessel {

class ConfigStore;
class LanguageTable;
class Prompter;
class TextLookup;

// True when every assignment of the profile has its slot (nothing is shown).
bool TellUnplacedKeys(const ConfigStore& store, int profile, const KeyBlock& defaults,
                      Prompter& prompter, const TextLookup& texts, const LanguageTable& table);

}  // namespace tessel
