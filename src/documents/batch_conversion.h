#pragma once
// Page "编码转换" of the options window: every file of the conversion list converted from the
// encoding the user states (nothing is detected) and written, under its own name, into a folder
// the user chooses. The conversion runs on a worker and stops between files on request; each
// file converted and written leaves the list. The converters are in documents/batch_rules.h.
// At the end of a run one message names every file that was not converted, or lost characters
// on the way, and why; a file that would lose characters is converted only when its output does
// not replace it.
#include "documents/batch_rules.h"

// 1 asks the conversion to stop before its next file.
int conversion_stop_asked();

// 超级按钮_开始转换: asks for the output folder, then converts on a worker.
void start_encoding_conversion();
// 超级按钮_停止转换.
void stop_encoding_conversion();
