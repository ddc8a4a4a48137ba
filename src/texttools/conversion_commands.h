#pragma once
// The commands that rewrite the whole text of the main edit box in one step (the Extra menu,
// Ctrl+F6 and the tab menu's "取纯歌词(&C)"), and the lyric file opened as a new page. Each
// writes the edit box's text; the edit box's change event stores it into the current page and
// sets the modified flag. A prompt answered with anything but its OK button changes nothing.

void convert_to_half_width();  // "全内容到半角(&F)"
void convert_to_full_width();  // "全内容到全角(&E)"
void convert_to_lower_case();  // "全内容到小写(&X)"
void convert_to_upper_case();  // "全内容到大写(&D)"
void remove_all_spaces();      // "删除全部空格(&F)    Ctrl+F6"
void keep_chinese_text();      // "取纯中文文本(&Z)"
void url_encode_editor();      // "URL编码(&U)"
void url_decode_editor();      // "URL解码(&J)"
// "取纯歌词(&C)" of the tab menu: a text without tags stays as it is.
void strip_lyrics_in_editor();
void replace_newlines_with();    // "换行符替换为(&E)"
void replace_with_newlines();    // "替换为换行符(&L)"
void extract_middle_text();      // "取中间文本(&I)"
void replace_number_range();     // "数字连续替换(&V)"
void evaluate_expression();      // "计算表达式(&S)"
void open_lyric_file_as_page();  // "取纯歌词文本(&R)"

// How long an expression may run before it is stopped.
constexpr int kExpressionTimeLimitMs = 3000;
