#pragma once
// Text conversions used by the form layer and the programs. Inside the programs text is UTF-16;
// the files the programs define are GBK (code page 936), handled by the shared toolkit.
#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view s);
std::string WideToUtf8(std::wstring_view s);
// Code-page conversions (CP_ACP, 936, ...). Characters that do not convert become '?'.
std::wstring CodePageToWide(std::string_view s, unsigned codePage);
std::string WideToCodePage(std::wstring_view s, unsigned codePage);

std::wstring IntToStr(long long v);
// Whole-string decimal or $hex conversion, as the classic run-time does; raises EConvertError
// "'%s' is not a valid integer value" when the text is not a number.
int StrToInt(const std::wstring& s);
int StrToIntDef(const std::wstring& s, int def);
std::wstring Trim(const std::wstring& s);
std::wstring UpperCase(const std::wstring& s);
