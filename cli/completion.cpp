#include "cli/completion.hpp"

#include <memory>
#include <ostream>
#include <sstream>
#include <string_view>

namespace toluvek::cli {
namespace {

// Names of the inactive validators that carry offered values.
constexpr std::string_view kOffered = "completion values";
constexpr std::string_view kOfferedList = "completion list";

// CLI11 describes a set check as "{a,b,c}".
std::vector<std::string> SetOf(const std::string& description) {
  std::vector<std::string> values;
  if (description.size() < 2 || description.front() != '{' || description.back() != '}') {
    return values;
  }
  const std::string inside = description.substr(1, description.size() - 2);
  std::size_t start = 0;
  while (!inside.empty()) {
    const std::size_t comma = inside.find(',', start);
    values.push_back(inside.substr(start, comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return values;
}

std::string SetText(const std::vector<std::string>& values) {
  std::string text = "{";
  for (std::size_t i = 0; i < values.size(); ++i) text += (i ? "," : "") + values[i];
  return text + "}";
}

struct OptionEntry {
  std::vector<std::string> names;  // "-h", "--help"
  std::string description;
  bool takes_value = false;
  bool files = false;  // its value names a file
  OfferedValues values;
};

struct PositionalEntry {
  std::string name;
  OfferedValues values;
};

struct CommandEntry {
  std::string name;  // empty for the program itself
  std::string description;
  std::vector<OptionEntry> options;
  std::vector<PositionalEntry> positionals;
};

// Whether the option's value is a file: its type, or one of CLI11's file checks, says FILE or
// PATH ("TEXT:FILE").
bool NamesFile(const CLI::Option& option) {
  const std::string type = option.get_type_name();
  for (const std::string_view word : {"FILE", "PATH"}) {
    for (std::size_t at = type.find(word); at != std::string::npos; at = type.find(word, at + 1)) {
      const bool starts = at == 0 || type[at - 1] == ':';
      const bool ends = at + word.size() == type.size() || type[at + word.size()] == ':';
      if (starts && ends) return true;
    }
  }
  return false;
}

// The options and positional arguments of one command, hidden ones left out.
CommandEntry EntryOf(CLI::App& command, std::string name) {
  CommandEntry entry{std::move(name), command.get_description(), {}, {}};
  for (CLI::Option* option : command.get_options()) {
    if (option->get_group().empty()) continue;
    if (!option->nonpositional()) {
      entry.positionals.push_back({option->get_name(true), ValuesOf(*option)});
      continue;
    }
    OptionEntry o;
    for (const std::string& s : option->get_snames()) o.names.push_back("-" + s);
    for (const std::string& l : option->get_lnames()) o.names.push_back("--" + l);
    o.description = option->get_description();
    o.takes_value = option->get_items_expected_max() != 0;
    o.values = ValuesOf(*option);
    o.files = NamesFile(*option);
    entry.options.push_back(std::move(o));
  }
  return entry;
}

std::vector<CommandEntry> Tree(CLI::App& program) {
  std::vector<CommandEntry> tree{EntryOf(program, "")};
  for (CLI::App* sub :
       program.get_subcommands([](CLI::App* s) { return !s->get_group().empty(); })) {
    tree.push_back(EntryOf(*sub, sub->get_name()));
  }
  return tree;
}

std::string Join(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& w : words) text += (text.empty() ? "" : " ") + w;
  return text;
}

// Word lists go into double quotes in bash and into the words of zsh's actions: a backslash
// before anything but letters, digits and the few marks that values hold.
std::string ShellWord(const std::string& word) {
  std::string quoted;
  for (const char c : word) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       std::string_view("-_./=+%,").find(c) != std::string_view::npos;
    if (!plain) quoted += '\\';
    quoted += c;
  }
  return quoted;
}

std::string QuotedValues(const OfferedValues& values) {
  std::vector<std::string> words;
  for (const std::string& v : values.values) words.push_back(ShellWord(v));
  return Join(words);
}

// Text inside single quotes.
std::string SingleQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

// One line, for a shell's description of a choice.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\t') c = ' ';
  }
  return text;
}

std::string ValuedOptions(const CommandEntry& command) {
  std::vector<std::string> names;
  for (const OptionEntry& o : command.options) {
    if (o.takes_value) names.insert(names.end(), o.names.begin(), o.names.end());
  }
  return Join(names);
}

std::string AllOptions(const CommandEntry& command) {
  std::vector<std::string> names;
  for (const OptionEntry& o : command.options)
    names.insert(names.end(), o.names.begin(), o.names.end());
  return Join(names);
}

void WriteBash(std::ostream& out, const std::vector<CommandEntry>& tree) {
  const CommandEntry& top = tree.front();
  std::vector<std::string> subcommands;
  for (std::size_t i = 1; i < tree.size(); ++i) subcommands.push_back(tree[i].name);

  out << R"sh(# bash completion for toluvek-cli, written by `toluvek-cli completion bash`.
# The words are read from the line itself, so that a value such as O2=21,N2=79 stays one word
# whatever COMP_WORDBREAKS holds.
_toluvek_cli() {
  local line=${COMP_LINE:0:COMP_POINT}
  local -a words
  read -r -a words <<<"$line"
  [[ -z $line || $line == *[[:space:]] ]] && words+=("")
  local n=$((${#words[@]} - 1))
  local cur=${words[n]} prev=""
  ((n > 0)) && prev=${words[n - 1]}
  # bash replaces only the part of the word after its last word-break character.
  local breaks="" keep=""
  [[ $COMP_WORDBREAKS == *=* ]] && breaks+="="
  [[ $COMP_WORDBREAKS == *:* ]] && breaks+=":"
  if [[ -n $breaks && $cur == *[$breaks]* ]]; then keep=${cur%"${cur##*[$breaks]}"}; fi

  # The subcommand, the options that take a value, and how many positional arguments come
  # before the word.
  local sub="" valued=")sh"
      << ValuedOptions(top) << R"sh(" position=0 i
  for ((i = 1; i < n; i++)); do
    local word=${words[i]}
    if [[ " $valued " == *" $word "* ]]; then
      i=$((i + 1))
    elif [[ $word != -* ]]; then
      if [[ -n $sub ]]; then
        position=$((position + 1))
        continue
      fi
      sub=$word
      case $sub in
)sh";
  for (std::size_t i = 1; i < tree.size(); ++i) {
    out << "        " << ShellWord(tree[i].name) << ") valued=\"" << ValuedOptions(tree[i])
        << "\" ;;\n";
  }
  out << R"sh(        *) return 0 ;;
      esac
    fi
  done

  local options="" values="" list=0 files=0
  case $sub in
    "") options=")sh"
      << AllOptions(top) << "\" ;;\n";
  for (std::size_t i = 1; i < tree.size(); ++i) {
    out << "    " << ShellWord(tree[i].name) << ") options=\"" << AllOptions(tree[i]) << "\" ;;\n";
  }
  out << R"sh(  esac
  if [[ -n $prev && " $valued " == *" $prev "* ]]; then
    case "$sub $prev" in
)sh";
  for (const CommandEntry& command : tree) {
    for (const OptionEntry& o : command.options) {
      if (!o.takes_value || (o.values.values.empty() && !o.files)) continue;
      for (const std::string& name : o.names) {
        out << "      \"" << command.name << ' ' << name << "\") ";
        if (o.values.values.empty()) {
          out << "files=1 ;;\n";
        } else {
          out << "values=\"" << QuotedValues(o.values) << '"' << (o.values.list ? " list=1" : "")
              << " ;;\n";
        }
      }
    }
  }
  out << R"sh(    esac
  elif [[ $cur == -* ]]; then
    values=$options
  elif [[ -z $sub ]]; then
    values=")sh"
      << Join(subcommands) << R"sh("
  else
    case "$sub $((position + 1))" in
)sh";
  for (std::size_t i = 1; i < tree.size(); ++i) {
    const CommandEntry& command = tree[i];
    for (std::size_t p = 0; p < command.positionals.size(); ++p) {
      const OfferedValues& values = command.positionals[p].values;
      if (values.values.empty()) continue;
      out << "      \"" << command.name << ' ' << p + 1 << "\") values=\"" << QuotedValues(values)
          << '"' << (values.list ? " list=1" : "") << " ;;\n";
    }
  }
  out << R"sh(    esac
  fi

  if ((files)); then
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
  elif ((list)); then
    # A comma-separated list: the item after the last comma, the ones before kept.
    local head=""
    [[ $cur == *,* ]] && head=${cur%,*},
    mapfile -t COMPREPLY < <(compgen -P "$head" -W "$values" -- "${cur##*,}")
    compopt -o nospace 2>/dev/null
  else
    mapfile -t COMPREPLY < <(compgen -W "$values" -- "$cur")
  fi
  if [[ -n $keep ]]; then COMPREPLY=("${COMPREPLY[@]#"$keep"}"); fi
  return 0
}
complete -F _toluvek_cli toluvek-cli
)sh";
}

// An explanation in zsh's brackets: a backslash before the brackets.
std::string ZshExplanation(const std::string& text) {
  std::string escaped;
  for (const char c : OneLine(text)) {
    if (c == '[' || c == ']' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

// What zsh completes after an option, or for a positional argument.
std::string ZshAction(const OfferedValues& values, bool files) {
  if (values.values.empty()) return files ? "_files" : " ";
  if (values.list) return "_toluvek_cli_list " + QuotedValues(values);
  return "(" + QuotedValues(values) + ")";
}

void WriteZshArguments(std::ostream& out, const CommandEntry& command, const std::string& indent) {
  for (const OptionEntry& o : command.options) {
    std::string exclusion;
    if (o.names.size() > 1) exclusion = "(" + Join(o.names) + ")";
    for (const std::string& name : o.names) {
      std::string argument = exclusion + name;
      if (o.takes_value) argument += name.starts_with("--") ? "=" : "+";
      argument += "[" + ZshExplanation(o.description) + "]";
      if (o.takes_value) {
        std::string message = name.substr(name.find_first_not_of('-'));
        argument += ":" + message + ":" + ZshAction(o.values, o.files);
      }
      out << indent << SingleQuoted(argument) << " \\\n";
    }
  }
  for (std::size_t p = 0; p < command.positionals.size(); ++p) {
    const PositionalEntry& positional = command.positionals[p];
    out << indent
        << SingleQuoted(std::to_string(p + 1) + ":" + positional.name + ":" +
                        ZshAction(positional.values, false))
        << " \\\n";
  }
}

void WriteZsh(std::ostream& out, const std::vector<CommandEntry>& tree) {
  out << R"sh(#compdef toluvek-cli
# zsh completion for toluvek-cli, written by `toluvek-cli completion zsh`.

# A comma-separated list: completes the item after the last comma.
_toluvek_cli_list() {
  compset -P '*,'
  compadd -S '' -- "$@"
}

_toluvek_cli() {
  local curcontext=$curcontext state state_descr line ret=1
  typeset -A opt_args
  _arguments -C \
)sh";
  WriteZshArguments(out, tree.front(), "    ");
  out << R"sh(    '1:subcommand:->subcommand' \
    '*::argument:->argument' && ret=0
  case $state in
    subcommand)
      local -a subcommands
      subcommands=(
)sh";
  for (std::size_t i = 1; i < tree.size(); ++i) {
    std::string description;
    for (const char c : OneLine(tree[i].description)) {
      if (c == ':') description += '\\';
      description += c;
    }
    out << "        " << SingleQuoted(tree[i].name + ":" + description) << '\n';
  }
  out << R"sh(      )
      _describe -t subcommands 'toluvek-cli subcommand' subcommands && ret=0
      ;;
    argument)
      curcontext=${curcontext%:*:*}:toluvek-cli-$words[1]:
      case $words[1] in
)sh";
  for (std::size_t i = 1; i < tree.size(); ++i) {
    out << "        " << ShellWord(tree[i].name) << ")\n          _arguments \\\n";
    WriteZshArguments(out, tree[i], "            ");
    out << "            && ret=0\n          ;;\n";
  }
  out << R"sh(      esac
      ;;
  esac
  return ret
}

if [[ $zsh_eval_context[-1] == loadautofunc ]]; then
  _toluvek_cli "$@"
else
  compdef _toluvek_cli toluvek-cli
fi
)sh";
}

}  // namespace

CLI::Option* OfferValues(CLI::Option* option, const std::vector<std::string>& values, bool list) {
  CLI::Validator carrier(SetText(values));
  carrier.name(std::string(list ? kOfferedList : kOffered)).active(false);
  return option->check(carrier);
}

OfferedValues ValuesOf(CLI::Option& option) {
  OfferedValues offered;
  for (int i = 0;; ++i) {
    CLI::Validator* validator = nullptr;
    try {
      validator = option.get_validator(i);
    } catch (const CLI::OptionNotFound&) {
      break;
    }
    const std::string& name = validator->get_name();
    const bool carrier = name == kOffered || name == kOfferedList;
    if (!carrier && !validator->get_active()) continue;
    CLI::Validator active = *validator;
    active.active(true);
    for (std::string& value : SetOf(active.get_description())) {
      offered.values.push_back(std::move(value));
    }
    if (name == kOfferedList) offered.list = true;
  }
  return offered;
}

std::string CompletionScript(CLI::App& program, Shell shell) {
  std::ostringstream out;
  const std::vector<CommandEntry> tree = Tree(program);
  if (shell == Shell::kBash) {
    WriteBash(out, tree);
  } else {
    WriteZsh(out, tree);
  }
  return out.str();
}

Subcommand AddCompletionCommand(CLI::App& program) {
  auto shell = std::make_shared<std::string>();
  CLI::App* sub = program.add_subcommand(
      "completion", "a completion script for bash or zsh, of every subcommand, option and value");
  sub->add_option("shell", *shell, "bash | zsh")->required()->check(CLI::IsMember({"bash", "zsh"}));
  return {sub, [shell, &program](Io& io) {
            io.out << CompletionScript(program, *shell == "zsh" ? Shell::kZsh : Shell::kBash);
            return kExitOk;
          }};
}

}  // namespace toluvek::cli
