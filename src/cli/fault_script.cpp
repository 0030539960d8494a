#include "cli/fault_script.h"

#include <cstdlib>
#include <sstream>
#include <utility>

namespace photara::cli {

std::optional<FaultScript> FaultScript::parse(const std::string& text) {
    using Action = Step::Action;
    static const std::pair<const char*, Action> kActions[] = {{"unplug", Action::Unplug},
                                                              {"replug", Action::Replug},
                                                              {"silent", Action::Silent},
                                                              {"awake", Action::Awake}};
    FaultScript script;
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ',')) {
        const std::size_t at = item.find('@');
        if (at == std::string::npos) return std::nullopt;
        Step step;
        bool known = false;
        for (const auto& [name, action] : kActions) {
            if (item.compare(0, at, name) == 0) {
                step.action = action;
                known = true;
            }
        }
        if (item.rfind("unplugread", 0) == 0 && at > 10) {  // "unplugread12": read 12, from 1
            char* readEnd = nullptr;
            step.read = std::strtol(item.c_str() + 10, &readEnd, 10);
            if (readEnd != item.c_str() + at || step.read < 1) return std::nullopt;
            step.action = Action::UnplugAtRead;
            known = true;
        } else if (item.rfind("key", 0) == 0 && at > 3) {  // "key9": a key code, 0..255
            char* codeEnd = nullptr;
            const long code = std::strtol(item.c_str() + 3, &codeEnd, 10);
            if (codeEnd != item.c_str() + at || code < 0 || code > 255) return std::nullopt;
            step.action = Action::Key;
            step.key = static_cast<std::uint8_t>(code);
            known = true;
        }
        char* end = nullptr;
        step.poll = std::strtol(item.c_str() + at + 1, &end, 10);
        if (!known || end == item.c_str() + at + 1 || *end != '\0' || step.poll < 1)
            return std::nullopt;
        script.steps.push_back(step);
    }
    return script;
}

}  // namespace photara::cli
