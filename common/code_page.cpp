#include "common/code_page.h"

bool ToCodePage(const std::wstring& wide, std::string* out) {
  out->clear();
  if (wide.empty()) return true;
  BOOL lost = FALSE;
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, &lost);
  if (n <= 0) return false;
  out->assign(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), &(*out)[0], n, nullptr,
                      &lost);
  return !lost;
}

std::wstring ToWide(const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  return wide;
}

bool CodePagePath(const std::wstring& path, std::string* out) {
  if (ToCodePage(path, out)) return true;
  std::wstring brief(32768, L'\0');
  DWORD n = GetShortPathNameW(path.c_str(), &brief[0], static_cast<DWORD>(brief.size()));
  std::string shown = *out;
  if (n > 0 && n < brief.size() && ToCodePage(brief.substr(0, n), out)) return true;
  *out = shown;
  return false;
}
