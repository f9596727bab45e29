#pragma once
// Reading an option's argument, for the options of the command line and of each mode alike: a
// refusal ends the parse with one line (BadOption, caught by ParseArguments).

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace veltrane::cli {

/// Ends the parse with one line; thrown from the options' callbacks, caught by ParseArguments.
struct BadOption {
    std::string message;
};

[[noreturn]] void Refuse(std::string message);

/// The argument of an option that takes one. CLI11 hands over an empty text when the option
/// ends the line or another option follows it.
std::string_view ArgumentOf(const CLI::results_t& results, std::string_view option,
                            std::string_view form);

/// A number of an option's argument; `label` names it in the message ("--tower: C").
float ReadOptionNumber(const std::string& label, std::string_view text);

/// A number above 0.
float ReadPositiveNumber(std::string_view option, std::string_view text);

/// The two parts of an argument of the form A:B, such as C:m or FROM:TO.
std::pair<std::string_view, std::string_view> SplitPair(std::string_view argument,
                                                        std::string_view option,
                                                        std::string_view form);

/// An option that takes one argument each time it is given, read at once in the order given.
/// A missing argument reaches its callback as an empty text rather than as CLI11's own error.
inline void ValueOption(CLI::Option* option) {
    option->expected(0, 1)->trigger_on_parse()->multi_option_policy(
        CLI::MultiOptionPolicy::TakeAll);
}

/// An option that takes one argument and may be given once, its argument handed to `read`.
template <typename T, typename Read>
void SingleOption(CLI::App& app, const std::string& name, const std::string& form,
                  std::optional<T>& target, Read read, const std::string& description) {
    ValueOption(app.add_option(
                       name,
                       [name, form, &target, read](const CLI::results_t& results) {
                           if (target) Refuse(name + " is given twice");
                           target = read(ArgumentOf(results, name, form));
                           return true;
                       },
                       description)
                    ->type_name(form));
}

/// Like SingleOption, but the argument may be left out: the option then holds an empty text and
/// `read` is not called. A study (--study) gives what such an option leaves out.
template <typename Read>
void OptionalArgumentOption(CLI::App& app, const std::string& name, const std::string& form,
                            std::optional<std::string>& target, Read read,
                            const std::string& description) {
    ValueOption(app.add_option(
                       name,
                       [name, &target, read](const CLI::results_t& results) {
                           if (target) Refuse(name + " is given twice");
                           const bool left = results.empty() || results.front().empty();
                           target = left ? std::string() : read(results.front());
                           return true;
                       },
                       description)
                    ->type_name(form));
}

}  // namespace veltrane::cli
