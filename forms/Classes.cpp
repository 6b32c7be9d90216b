#include "Classes.h"

#include <algorithm>
#include <climits>

Exception::Exception(std::wstring message) : message_(std::move(message)), utf8_(WideToUtf8(message_)) {}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Free(TComponent* c) {
  if (!c || c->destroying_) return;
  c->BeforeDestruction();
  delete c;
}

void TComponent::BeforeDestruction() { destroying_ = true; }

void TComponent::DestroyComponents() {
  // Last created first, as the classic toolkit does.
  while (!components_.empty()) {
    TComponent* c = components_.back();
    components_.pop_back();
    c->owner_ = nullptr;
    Free(c);
  }
}

void TComponent::InsertComponent(TComponent* c) {
  c->owner_ = this;
  components_.push_back(c);
}

void TComponent::RemoveComponent(TComponent* c) {
  auto it = std::find(components_.begin(), components_.end(), c);
  if (it != components_.end()) components_.erase(it);
  c->owner_ = nullptr;
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
  for (TComponent* c : components_)
    if (c->name_ == name) return c;
  return nullptr;
}

// ---- number conversions (Text.h): they raise EConvertError, so they live beside it -----------

static bool ParseInt(const std::wstring& text, int& out) {
  std::wstring s = Trim(text);
  if (s.empty()) return false;
  size_t i = 0;
  bool neg = false;
  if (s[i] == L'-' || s[i] == L'+') neg = s[i++] == L'-';
  int base = 10;
  if (i < s.size() && s[i] == L'$') { base = 16; ++i; }
  else if (i + 1 < s.size() && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) { base = 16; i += 2; }
  if (i >= s.size()) return false;
  long long v = 0;
  for (; i < s.size(); ++i) {
    wchar_t c = s[i];
    int d;
    if (c >= L'0' && c <= L'9') d = c - L'0';
    else if (base == 16 && c >= L'a' && c <= L'f') d = c - L'a' + 10;
    else if (base == 16 && c >= L'A' && c <= L'F') d = c - L'A' + 10;
    else return false;
    v = v * base + d;
    if (v > 0x100000000LL) return false;
  }
  if (neg) v = -v;
  if (base == 10 && (v > INT_MAX || v < INT_MIN)) return false;
  out = int(v);  // hex wraps into the 32-bit range as the classic run-time does
  return true;
}

std::wstring InvalidIntegerMessage(const std::wstring& s) { return L"'" + s + L"' is not a valid integer value"; }

int StrToInt(const std::wstring& s) {
  int v;
  if (!ParseInt(s, v)) throw EConvertError(InvalidIntegerMessage(s));
  return v;
}

int StrToIntDef(const std::wstring& s, int def) {
  int v;
  return ParseInt(s, v) ? v : def;
}
