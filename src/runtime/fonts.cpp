#include "runtime/fonts.h"

#include <windows.h>

#include <set>

#include "runtime/strings.h"

namespace rt {
namespace {

struct Listing {
  std::vector<std::string> names;
  std::set<std::wstring> seen;
};

int CALLBACK take_family(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
  auto* l = reinterpret_cast<Listing*>(data);
  std::wstring name = font->lfFaceName;
  // One entry per family: the system lists a family once for each character set it has.
  if (!name.empty() && name[0] != L'@' && l->seen.insert(name).second) l->names.push_back(to_gbk(name));
  return 1;
}

}  // namespace

std::vector<std::string> installed_font_names() {
  Listing l;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return {};
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExW(dc, &all, take_family, reinterpret_cast<LPARAM>(&l), 0);
  DeleteDC(dc);
  return std::move(l.names);
}

}  // namespace rt
