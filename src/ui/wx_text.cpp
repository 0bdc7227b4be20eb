#include "ui/wx_text.h"

#include "platform/text_codec.h"

wxString ToWx(const std::string& internal) {
  const std::string utf8 = AnsiToUtf8(internal);
  return wxString::FromUTF8(utf8.data(), utf8.size());
}

std::string FromWx(const wxString& text) {
  const wxScopedCharBuffer utf8 = text.utf8_str();
  return Utf8ToAnsi(std::string_view(utf8.data(), utf8.length()));
}

wxString Wx(const char* utf8) { return wxString::FromUTF8(utf8); }
