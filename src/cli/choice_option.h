#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <utility>
#include <vector>

namespace photara::cli {

// The words an option takes and the number each stands for.
using ChoiceWords = std::vector<std::pair<std::string, int>>;

// Turns one of the words into its number as the option is parsed (so the option's variable is
// an enum, read once); --help lists the words ("TEXT:{pxd,csv}", as the bash completion reads
// them) and any other word is a usage error that names them.
CLI::Validator choiceOf(const ChoiceWords& words);

// An option whose value is an enum given by its word.
template <typename Enum>
CLI::Option* addChoice(CLI::App* command, const std::string& name, Enum& value,
                       const std::vector<std::pair<std::string, Enum>>& words,
                       const std::string& help) {
    ChoiceWords numbered;
    for (const auto& [word, choice] : words) numbered.emplace_back(word, static_cast<int>(choice));
    return command->add_option(name, value, help)->type_name("TEXT")->transform(choiceOf(numbered));
}

}  // namespace photara::cli
