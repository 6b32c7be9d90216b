#include "Strings.h"

#include <algorithm>

#include "Classes.h"

void TStrings::CheckIndex(int i, int limit) const {
  if (i < 0 || i > limit) throw Exception(L"List index out of bounds (" + IntToStr(i) + L")");
}

const std::wstring& TStrings::Strings(int i) const {
  CheckIndex(i, Count() - 1);
  return items_[i];
}

void TStrings::Put(int i, const std::wstring& s) {
  CheckIndex(i, Count() - 1);
  items_[i] = s;
  Replaced(i);
}

int TStrings::Add(const std::wstring& s) {
  Insert(Count(), s);
  return Count() - 1;
}

void TStrings::Insert(int i, const std::wstring& s) {
  CheckIndex(i, Count());
  items_.insert(items_.begin() + i, s);
  Inserted(i);
}

void TStrings::Delete(int i) {
  CheckIndex(i, Count() - 1);
  items_.erase(items_.begin() + i);
  Deleted(i);
}

void TStrings::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Cleared();
}

int TStrings::IndexOf(const std::wstring& s) const {
  auto it = std::find(items_.begin(), items_.end(), s);
  return it == items_.end() ? -1 : int(it - items_.begin());
}

void TStrings::Exchange(int a, int b) {
  CheckIndex(a, Count() - 1);
  CheckIndex(b, Count() - 1);
  if (a == b) return;
  std::wstring t = items_[a];
  Put(a, items_[b]);
  Put(b, t);
}

void TStrings::Move(int from, int to) {
  CheckIndex(from, Count() - 1);
  CheckIndex(to, Count() - 1);
  if (from == to) return;
  std::wstring s = items_[from];
  Delete(from);
  Insert(to, s);
}

void TStrings::Assign(const std::vector<std::wstring>& lines) {
  Clear();
  AddStrings(lines);
}

void TStrings::AddStrings(const std::vector<std::wstring>& lines) {
  for (const auto& l : lines) Add(l);
}

std::wstring TStrings::Text() const {
  size_t size = 0;
  for (const auto& s : items_) size += s.size() + 2;
  std::wstring t;
  t.reserve(size);
  for (const auto& s : items_) t.append(s).append(L"\r\n");
  return t;
}

void TStrings::SetText(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t b = 0;
  while (b < text.size()) {
    size_t e = text.find_first_of(L"\r\n", b);
    if (e == std::wstring::npos) {
      lines.push_back(text.substr(b));
      break;
    }
    lines.push_back(text.substr(b, e - b));
    b = e + ((text[e] == L'\r' && e + 1 < text.size() && text[e + 1] == L'\n') ? 2 : 1);
  }
  Assign(lines);
}
