#include "options/option_values.h"

#include <utility>

namespace {

OptionValues g_options;

}  // namespace

const OptionValues& options() { return g_options; }

void set_option(int OptionValues::*field, int value) { g_options.*field = value; }

void set_option(std::array<unsigned, 2> OptionValues::*field, std::array<unsigned, 2> value) {
  g_options.*field = value;
}

void set_option(FontRecord OptionValues::*field, FontRecord value) { g_options.*field = std::move(value); }

void set_option(std::string OptionValues::*field, std::string value) { g_options.*field = std::move(value); }

void reset_options() { g_options = OptionValues{}; }
