#include "cli/choice_option.h"

namespace photara::cli {

CLI::Validator choiceOf(const ChoiceWords& words) {
    std::string list;
    for (const auto& entry : words) list += (list.empty() ? "" : ",") + entry.first;
    list = "{" + list + "}";
    return CLI::Validator(
        [words, list](std::string& text) -> std::string {
            for (const auto& [word, number] : words) {
                if (text != word) continue;
                text = std::to_string(number);
                return {};
            }
            return text + " not in " + list;
        },
        list);
}

}  // namespace photara::cli
