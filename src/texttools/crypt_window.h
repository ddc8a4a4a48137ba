#pragma once
// The encryption window "Velmora_加密解密": encrypts a page's text into a file with a password
// (DES or RC4) and decrypts such a file into a new page or into the window.
#include <string>

class PagePicker;

// Menu "加密解密(&J)    Ctrl+J".
void open_crypt_window();
// The action button: encrypts the picked page into a file, or decrypts a file.
void encrypt_or_decrypt_file();

// The page picker.
PagePicker& crypt_page_picker();
void fill_crypt_page_picker();
void fill_crypt_page_picker_thread();
void on_crypt_page_picked();

// Events.
void on_crypt_window_created();
void on_crypt_window_first_activation();
void on_password_changed();
void toggle_decrypt_mode();
void toggle_show_decrypted_here();
void on_des_click();
void on_rc4_click();
bool on_crypt_text_key_down(int key, int modifiers);
void move_crypt_window_by_title();
// The close button: fades the window out and destroys it (not while its picker is filled).
void close_crypt_window();
// The may-close event: refused while the picker is filled.
bool may_close_crypt_window();
// Fades the window out when loaded; also run at shutdown.
void fade_out_crypt_window();
