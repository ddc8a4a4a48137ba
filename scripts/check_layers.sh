#!/usr/bin/env bash
# The layer rule of src/ (ARCHITECTURE.md, "Layers"): which files may include which. Prints each
# include that breaks it as FILE:LINE with the rule it breaks, and fails; says nothing when every
# include keeps it.
#   scripts/check_layers.sh [SRC]     checks SRC (the repository's src/ by default)
#   scripts/check_layers.sh --self-test   checks the check on small trees of one include each
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Checks the tree under $1, naming its files as $2 followed by their path under it.
check() {
  local src=$1 shown=$2
  (
    cd "$src"
    find . -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.inc' \) | sed 's|^\./||' | LC_ALL=C sort |
      LC_ALL=C xargs -r awk -v shown="$shown" '
        # The layer of a file, by its path under src/.
        function layer(p) {
          if (p ~ /^runtime\//) return "runtime"
          if (p in pure) return "pure"
          if (p ~ /^options\/(config|option_values)\.(h|cpp)$/) return "config"
          if (p ~ /^common\//) return "common"
          if (p ~ /^forms\//) return "forms"
          if (p ~ /^(app|pages|documents|texttools|options|web|foreign)\//) return "logic"
          if (p == "main.cpp") return "main"
          return ""
        }
        function may_include(from, to) {
          if (from == "runtime") return to ~ /^runtime\//
          if (from == "pure") return 0
          if (from == "config") return to ~ /^runtime\// || to == "options/config.h" || to == "options/option_values.h" || to == "common/records.h"
          if (from == "common") return to ~ /^(runtime|common)\// || to == "options/config.h" || to == "options/option_values.h"
          if (from == "forms") return to ~ /^(runtime|forms)\// || to ~ /^common\/([a-z0-9_]+_art|skin)\.h$/ || to in pure
          if (from == "logic") return layer(to) != "" && layer(to) != "main"
          if (from == "main") return to ~ /^(app|runtime)\//
          return 0
        }
        BEGIN {
          # The pure data the forms show, which includes nothing of the program.
          pure["app/menu_rules.h"] = pure["texttools/font_choices.h"] = 1
          rule["runtime"] = "runtime/ includes only runtime/"
          rule["config"] = "options/config and options/option_values include only runtime/, each other and common/records.h"
          rule["common"] = "common/ includes only runtime/, common/, options/config.h and options/option_values.h"
          rule["pure"] = "the pure data the forms may include includes nothing of the program"
          rule["forms"] = "forms/ includes only runtime/, forms/, common/*_art.h, common/skin.h and the pure data (app/menu_rules.h, texttools/font_choices.h)"
          rule["logic"] = "the subsystems include any layer but main.cpp"
          rule["main"] = "main.cpp includes only app/ and runtime/"
        }
        FNR == 1 {
          from = layer(FILENAME)
          if (from == "") {
            printf "%s%s: no layer for this file: give its folder a row in the layer rule\n", shown, FILENAME
            bad++
          }
        }
        from != "" && /^[ \t]*#[ \t]*include[ \t]*"/ {
          to = $0
          sub(/^[^"]*"/, "", to)
          sub(/".*$/, "", to)
          if (!may_include(from, to)) {
            printf "%s%s:%d: includes \"%s\": %s\n", shown, FILENAME, FNR, to, rule[from]
            bad++
          }
        }
        END { exit bad > 0 }'
  )
}

self_test() {
  local tmp failed=0
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' RETURN
  # file, the one include it has, whether the rule allows it
  local cases=(
    "runtime/window.cpp runtime/unit.h ok"
    "runtime/window.cpp common/skin.h bad"
    "options/config.cpp runtime/ini.h ok"
    "options/config.cpp app/globals.h bad"
    "common/window_fade.cpp options/config.h ok"
    "common/window_fade.cpp options/options_window.h bad"
    "common/messages.cpp app/globals.h bad"
    "common/tool_window.cpp forms/main_window_form.h bad"
    "forms/jump_window_form.cpp common/skin_art.h ok"
    "forms/jump_window_form.cpp common/skin.h ok"
    "forms/jump_window_form.cpp forms/main_window_form.h ok"
    "forms/jump_window_form.cpp common/messages.h bad"
    "forms/jump_window_form.cpp pages/jump_to_page.h bad"
    "forms/font_window_form.cpp texttools/font_choices.h ok"
    "forms/font_window_form.cpp texttools/font_window.h bad"
    "texttools/font_choices.h runtime/gbk_text.h bad"
    "texttools/font_choices.cpp texttools/font_choices.h ok"
    "pages/jump_to_page.cpp forms/jump_window_form.h ok"
    "app/startup.cpp texttools/find_replace.h ok"
    "web/update_check.cpp main.cpp bad"
    "main.cpp app/startup.h ok"
    "main.cpp forms/main_window_form.h bad"
    "newfolder/thing.cpp runtime/unit.h bad"
  )
  local c file include expect tree out
  for c in "${cases[@]}"; do
    read -r file include expect <<<"$c"
    tree="$tmp/$((++n))"
    mkdir -p "$tree/$(dirname "$file")"
    printf '// a fixture\n\n#include <vector>\n#include "%s"\n' "$include" >"$tree/$file"
    if out=$(check "$tree" "" 2>&1); then got=ok; else got=bad; fi
    if [ "$got" != "$expect" ]; then
      echo "check_layers self-test: $file including $include: expected $expect, got $got${out:+: $out}"
      failed=1
    elif [ "$got" = bad ] && [ "${file#newfolder/}" = "$file" ] && [[ "$out" != "$file:4: includes \"$include\""* ]]; then
      echo "check_layers self-test: $file including $include: the report does not name the file and line: $out"
      failed=1
    fi
  done
  return $failed
}

n=0
if [ "${1:-}" = --self-test ]; then
  self_test
else
  if [ $# -gt 0 ]; then check "$1" "${1%/}/"; else check "$here/../src" src/; fi
fi
