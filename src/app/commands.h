#pragma once
// The main window's commands, one row each (app/commands.cpp): the menu items that show it, its
// toolbar button, its keys, its routine and the rules that enable it. Every source (the menu
// bar's menus, the program, tray and tab menus, the toolbar, the keys, the mini bar) runs a
// command through run_command, and every view of it is found by its id.
#include <string>

#include "app/command_ids.h"
#include "app/command_items.h"
#include "runtime/popup_menu.h"

// Runs the command as the source does (a key meets the command's key condition first and is taken
// either way), then gives the keyboard back to the page.
void run_command(Command id, Source source);
// The command of a key (virtual key, the exact modifier set) or of a toolbar button; None when
// there is none.
Command command_of_key(int key, int modifiers);
Command command_of_toolbar_button(int index);

// The menus: an item of the command, with the row's caption (or another form of it the row
// has: 1, 2) and image, that runs the command as a menu item does.
rt::MenuItem& add_command_item(rt::MenuItem& menu, Command id, int caption_form = 0, bool with_image = true);
rt::MenuItem command_item(Command id, int caption_form = 0, bool with_image = false);
// The items of a menu and its submenus take their rows' enabling rules, as the menu opens.
void apply_enabling_rules(rt::MenuItem& menu);
// Whether an open run keeps the command from running (its items disabled meanwhile).
bool refused_while_opening(Command id);
void set_refused_commands_disabled(bool disabled);
