#include "support/SimFrameLogText.h"

#include <sstream>

namespace tessel::testing {

std::vector<int> ActiveProfileWrites(const std::string& frameLog) {
    std::vector<int> profiles;
    std::istringstream lines(frameLog);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string number, label, direction, channel, hex;
        words >> number >> label >> direction >> channel;
        std::vector<int> bytes;
        while (words >> hex) {
            bytes.push_back(std::stoi(hex, nullptr, 16));
        }
        if (direction == "->" && channel == "command" && bytes.size() > 18 && bytes[3] == 0x04) {
            profiles.push_back(bytes[18]);
        }
    }
    return profiles;
}

}  // namespace tessel::testing
