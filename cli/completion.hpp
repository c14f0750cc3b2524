#pragma once
// Shell completion written from the command tree itself: the subcommands, each one's options
// and positional arguments, and the values an option takes, all as CLI11 holds them, so that
// a script can never name an option the program does not have or miss one it has.

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_app.hpp"

namespace toluvek::cli {

enum class Shell { kBash, kZsh };

// The values a shell offers for an option or a positional argument.
struct OfferedValues {
  std::vector<std::string> values;
  bool list = false;  // a comma-separated list of them (--columns, --amounts)
};

// Gives the option the values a shell offers for it, where no set check (CLI::IsMember) says
// them: a list such as --columns, or a text the subcommand checks itself with its own message.
// The values ride on the option as an inactive validator, which checks nothing and adds
// nothing to the help.
CLI::Option* OfferValues(CLI::Option* option, const std::vector<std::string>& values,
                         bool list = false);

// The values of the option's set checks and those OfferValues gave, in their order.
OfferedValues ValuesOf(CLI::Option& option);

// The completion script for `program`'s command tree.
std::string CompletionScript(CLI::App& program, Shell shell);

// `completion bash|zsh`: writes the script for the tree of `program`, which holds it.
Subcommand AddCompletionCommand(CLI::App& program);

}  // namespace toluvek::cli
