#pragma once
// Printing the current page as the edit box shows it, on the printer the user chooses.

// The menu item "打印文件(&P)    Ctrl+P", the toolbar's print button and Ctrl+P.
void print_current_page();
// The tab menu's item of the same caption.
void print_from_tab_menu();
