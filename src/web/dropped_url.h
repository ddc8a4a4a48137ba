#pragma once
// A web address dropped on the main window (or read from a dropped Internet shortcut) is fetched
// on a worker thread; its HTML becomes a new page named after the document's title, modified and
// without a path, so that saving it asks for a file name. The busy picture 图片框_读取网页 and
// its note 透明标签_说明 show while fetches run.
#include <string>

// Fetches the address into a new page. An unreachable address, an empty reply or a UTF-8 page
// that converts in no Chinese encoding gives no page and no message.
void fetch_url_into_page_thread(const std::string& address);
// The fetches running now.
int running_url_fetches();
// A fresh start (a new main window): fetches still running for an earlier one are dropped.
void reset_dropped_url();
