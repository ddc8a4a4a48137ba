#pragma once
// JScript evaluation through the Script Control (msscript.ocx), called late-bound by name.
// Texts are GBK; a failure of the script gives the text "Error: " + description + "; in line "
// + line number.
//
// ScriptObject runs the program's own code on the thread that created it. A text the user
// wrote is evaluated with evaluate_untrusted, which bounds its run time.
#include <string>
#include <string_view>
#include <vector>

namespace rt {

class ScriptObject {
 public:
  ScriptObject() = default;
  ~ScriptObject();
  ScriptObject(const ScriptObject&) = delete;
  ScriptObject& operator=(const ScriptObject&) = delete;

  // Creates the control and gives it the language JScript. It never shows anything to the user,
  // evaluated text cannot create unsafe objects (the safe subset), and a script that runs longer
  // than timeout_ms is stopped. False when the control cannot be created or refuses JScript;
  // the object is then empty.
  bool create(int timeout_ms = 5000);
  bool ready() const { return control_ != nullptr; }
  // Gives the control back; the object is empty afterwards.
  void release();

  // Adds code (function definitions) to the script's global module: "" or the error text.
  std::string add_code(std::string_view code);
  // Runs one statement: "" or the error text.
  std::string execute_statement(std::string_view statement);
  // Runs the procedure with text arguments and gives its result as text, or the error text.
  std::string run(std::string_view procedure, const std::vector<std::string>& arguments, bool* failed = nullptr);
  // Evaluates an expression and gives its value as text, or the error text. Not bounded in
  // time under Wine (its control ignores the bound): for the program's own expressions only.
  std::string eval(std::string_view expression, bool* failed = nullptr);

 private:
  void* control_ = nullptr;  // IDispatch of the control
  bool com_initialized_ = false;
};

// Evaluates an expression the user wrote, apart from the program: a helper process (the
// program's own file, started for this alone) evaluates it with a script object of its own,
// under the safe subset and without user interface. When the script runs longer than
// time_limit_ms the helper is ended (the whole process, so nothing of the script is left
// behind) and the result is script_timeout_text. The caller waits; on the UI thread messages
// keep being dispatched meanwhile, so windows paint and timers run. Gives the value as text, or
// the error text.
std::string evaluate_untrusted(std::string_view expression, int time_limit_ms, bool* failed = nullptr);
// The error text of a script stopped after time_limit_ms.
std::string script_timeout_text(int time_limit_ms);

// In a process started as the evaluating helper: serves the one evaluation and ends the
// process. Elsewhere returns at once. initialize() calls it before anything else.
void serve_as_script_helper_if_asked();

// The script's string for a GBK text: the edit box's characters (a lone lead byte at the end
// is one too, its byte escape), so the script counts as the text routines do.
std::wstring script_string(std::string_view gbk);

}  // namespace rt
